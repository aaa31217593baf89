// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/catalogueupdate.h"

#include "platform/replacingfile.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/textkey.h"

namespace ostrevo {

std::string catalogueUpdateUrl(std::string_view server)
{
    std::string url = "http://";
    url += server;
    url += CatalogueUpdatePath;
    return url;
}

bool isAcceptableCatalogue(std::string_view body)
{
    return asciiLower(body).find("google") != std::string::npos;
}

std::string catalogueFileContent(std::string_view body)
{
    std::string content(body);
    content += "\r\n";
    return content;
}

std::filesystem::path catalogueTargetPath(const std::filesystem::path& executableFolder)
{
    return executableFolder / CatalogueFileName;
}

bool installCatalogue(std::string_view body, const std::filesystem::path& target)
{
    if (!isAcceptableCatalogue(body)) {
        return false;
    }
    replaceFile(target, catalogueFileContent(body));
    return true;
}

} // namespace ostrevo
