// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// How much memory a file being loaded may take, so that a file too large for
// the machine is refused with a message instead of the system killing the
// program.

#include <cstddef>

namespace ostrevo {

// Half of the memory the system reports available now (the rest is for the
// program and everything else running); the largest size_t when unknown.
std::size_t loadingMemoryBudget();

} // namespace ostrevo
