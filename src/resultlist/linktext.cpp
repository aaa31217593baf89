// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/linktext.h"

#include <array>

namespace ostrevo {

namespace {

constexpr std::string_view kSchemeMark = "://";
constexpr std::string_view kMailMark = "mailto:";
constexpr std::string_view kMarkupMark = "</";

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::string_view after(std::string_view text, std::string_view mark)
{
    const std::size_t at = text.find(mark);
    return at == std::string_view::npos ? text : text.substr(at + mark.size());
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool isLinkText(std::string_view text)
{
    return (contains(text, kSchemeMark) || contains(text, kMailMark)) && !contains(text, kMarkupMark);
}

std::string_view shownCellText(std::string_view text, bool hidePrefixes)
{
    if (!hidePrefixes || contains(text, kMarkupMark)) {
        return text;
    }
    return after(after(text, kSchemeMark), kMailMark);
}

bool isOpenableLink(std::string_view text)
{
    static constexpr std::array<std::string_view, 3> kSchemes = {"http://", "https://", "mailto:"};
    for (std::string_view scheme : kSchemes) {
        if (startsWithIgnoringCase(text, scheme)) {
            return text.size() > scheme.size();
        }
    }
    return false;
}

} // namespace ostrevo
