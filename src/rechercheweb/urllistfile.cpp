// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/urllistfile.h"

#include "platform/filereading.h"
#include "platform/replacingfile.h"
#include "textscan/linesplit.h"
#include "textscan/textscan.h"

#include <array>
#include <cstdint>
#include <utility>

namespace ostrevo {
namespace {

struct LinkForm {
    std::string_view start;
    std::string_view end;
};

constexpr std::array<LinkForm, 3> LinkForms{{
    {"<A HREF='", "'"},
    {"<a href=\"", "\""},
    {"<A HREF=\"", "\""},
}};

// Far beyond the million lines a list is made for.
constexpr std::size_t kMaxListFileBytes = std::size_t{1} << 30;

} // namespace

bool isHtmlListFile(std::string_view path)
{
    return asciiLower(path).find(".htm") != std::string::npos;
}

void addTextListLines(std::string_view content, UrlList& urls)
{
    for (const std::string& line : textFileLines(content)) {
        urls.append(line);
    }
}

void addHtmlListLinks(std::string_view content, UrlList& urls)
{
    for (const LinkForm& form : LinkForms) {
        std::int32_t cursor = 1;
        do {
            urls.append(TextBetween(content, form.start, form.end, cursor));
        } while (cursor != 0);
    }
}

void openUrlListFile(const std::filesystem::path& path, UrlList& urls)
{
    if (isHtmlListFile(path.string())) {
        addHtmlListLinks(readFileForCommand(path, kMaxListFileBytes, MissingFileIs::CannotOpen), urls);
    } else {
        addTextListLines(readFileForCommand(path, kMaxListFileBytes, MissingFileIs::FileNotFound), urls);
    }
}

std::string urlListFileContent(const UrlList& urls)
{
    std::string content;
    for (int i = 0; i < urls.count(); ++i) {
        content += urls.text(i);
        content += "\r\n";
    }
    return content;
}

void saveUrlListFile(const std::filesystem::path& path, const UrlList& urls)
{
    replaceFile(path, urlListFileContent(urls));
}

} // namespace ostrevo
