// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapserversfile.h"

#include "platform/filereading.h"
#include "platform/replacingfile.h"

namespace ostrevo {

std::optional<RdapServers> readRdapServersFile(const std::filesystem::path& file)
{
    try {
        return readRdapBootstrap(readWholeFile(file, MaxRdapBootstrapBytes));
    } catch (const FileReadError&) {
        return std::nullopt;
    }
}

bool installRdapServers(std::string_view body, const std::filesystem::path& file)
{
    if (!readRdapBootstrap(body)) {
        return false;
    }
    replaceFile(file, body);
    return true;
}

} // namespace ostrevo
