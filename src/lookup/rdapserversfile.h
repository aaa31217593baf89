// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The RDAP bootstrap file on disk: read before a run, replaced by an update.

#include "lookup/rdapbootstrap.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace ostrevo {

// Nothing when the file is missing, too large or no bootstrap file.
std::optional<RdapServers> readRdapServersFile(const std::filesystem::path& file);

// Replaces `file` with `body` when it is a bootstrap file (readRdapBootstrap),
// completely or not at all; false, touching nothing, when it is not. Throws
// FileCreateError or RuntimeError when the file cannot be written.
bool installRdapServers(std::string_view body, const std::filesystem::path& file);

} // namespace ostrevo
