// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

#include <string_view>

namespace ostrevo::cli {

// All of `text` to standard output, at once: a reader at the other end of a
// pipe sees whole records. Throws RuntimeError when it cannot be written.
void writeStandardOutput(std::string_view text);

} // namespace ostrevo::cli
