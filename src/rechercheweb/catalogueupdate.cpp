// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/catalogueupdate.h"

#include "platform/replacingfile.h"
#include "rechercheweb/catalogue.h"
#include "textscan/integertext.h"
#include "textscan/textkey.h"

#include <algorithm>

namespace ostrevo {

namespace {

bool isWebAddress(std::string_view url)
{
    const std::string head = asciiLower(url.substr(0, 8));
    return head.starts_with("http://") || head.starts_with("https://");
}

bool isWellFormed(const EngineEntry& engine)
{
    const std::optional<std::int32_t> offset = tryParseInteger(engine.firstOffset);
    const std::optional<std::int32_t> step = tryParseInteger(engine.step);
    return !isBlank(engine.name) && isWebAddress(engine.urlHead) && offset && *offset >= 0 && step &&
           *step >= 0;
}

} // namespace

std::string catalogueUpdateUrl(std::string_view server)
{
    std::string url(server);
    url += CatalogueUpdatePath;
    return url;
}

bool isAcceptableCatalogue(std::string_view body)
{
    if (body.size() > kMaxCatalogueBytes || asciiLower(body).find("google") == std::string::npos) {
        return false;
    }
    const std::vector<std::string> lines = catalogueLines(catalogueFileContent(body));
    if (lines.empty() || lines.size() % 6 != 0) {
        return false;
    }
    const std::vector<EngineEntry> engines = catalogueEntries(lines);
    return std::all_of(engines.begin(), engines.end(), isWellFormed);
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
