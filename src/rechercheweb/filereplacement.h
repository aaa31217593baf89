// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Writing a file so that a failure never leaves it half written.

#include <filesystem>
#include <string_view>

namespace ostrevo {

// Writes `content` to a new file in the folder of `path`, then renames it to
// `path`, replacing any file there (whose permissions the new one takes over).
// On any failure the old file stays as it was, the temporary file is removed
// and FileCreateError ("Cannot create file <path>") is raised.
void replaceFile(const std::filesystem::path& path, std::string_view content);

} // namespace ostrevo
