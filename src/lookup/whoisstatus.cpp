// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoisstatus.h"

#include "lookup/domainstatus.h"

namespace ostrevo {

namespace {

constexpr std::size_t MaxWhoisStatusWords = 32;
constexpr std::size_t MaxStatusWordBytes = 64;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<std::string> whoisStatusOfLine(std::string_view line)
{
    line = trimmed(line);
    // "Domain Status:", "Status:", "domain-status:"; the label ends at its colon.
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon > 20) {
        return std::nullopt;
    }
    const std::string label = statusKey(line.substr(0, colon));
    if (label != "status" && label != "domainstatus") {
        return std::nullopt;
    }
    std::string_view value = trimmed(line.substr(colon + 1));
    // An ICANN address or a remark in brackets may follow the code.
    for (const std::string_view end : {std::string_view("http"), std::string_view("(")}) {
        for (std::size_t at = 0; (at = value.find(end, at)) != std::string_view::npos; ++at) {
            if (at == 0 || isBlank(value[at - 1]) || end == "(") {
                value = trimmed(value.substr(0, at));
                break;
            }
        }
    }
    if (value.empty() || value.size() > MaxStatusWordBytes) {
        return std::nullopt;
    }
    return std::string(value);
}

std::vector<std::string> whoisStatusWords(std::string_view page)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < page.size() && words.size() < MaxWhoisStatusWords) {
        std::size_t end = page.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = page.size();
        }
        const std::string_view line = page.substr(start, end - start);
        if (std::optional<std::string> word = whoisStatusOfLine(line)) {
            words.push_back(std::move(*word));
        }
        start = end + 1;
    }
    return words;
}

} // namespace ostrevo
