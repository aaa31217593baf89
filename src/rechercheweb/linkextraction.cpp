// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkextraction.h"

#include "net/registereddomain.h"
#include "rechercheweb/linkhost.h"
#include "textscan/hostname.h"
#include "textscan/textbreaks.h"

namespace ostrevo {
namespace {

bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isHostByte(char c)
{
    return isLetterOrDigit(c) || c == '-' || c == '.';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (lowerAscii(text[text.size() - suffix.size() + i]) != suffix[i]) {
            return false;
        }
    }
    return true;
}

bool containsWww(std::string_view text)
{
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (endsWithNoCase(text.substr(i, 3), "www")) {
            return true;
        }
    }
    return false;
}

// The line before the first cut marker, the markers applied in their order.
std::string_view cutLine(std::string_view line, const CutMarkers& cutMarkers)
{
    for (const std::string& marker : cutMarkers) {
        if (const std::size_t at = marker.empty() ? std::string_view::npos : line.find(marker);
            at != std::string_view::npos) {
            line = line.substr(0, at);
        }
    }
    return line;
}

// A host written here stands on its own, not in a word or a path.
bool hostMayStartAt(std::string_view line, std::size_t at)
{
    if (at == 0) {
        return true;
    }
    if (std::string_view(" \t\"'(<[{,;>*").find(line[at - 1]) != std::string_view::npos) {
        return true;
    }
    return breakLengthBefore(line, at) != 0;
}

// Past a URL's path: up to a blank, a break, a quote, an angle bracket, or a
// comma or semicolon (which end a link in a sentence).
std::size_t urlEnd(std::string_view line, std::size_t at)
{
    while (at < line.size()) {
        const char c = line[at];
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '\'' || c == '<' || c == '>' ||
            c == ',' || c == ';' || breakLengthAt(line, at) != 0) {
            break;
        }
        ++at;
    }
    return at;
}

// Blanks and Unicode spaces, then the breadcrumb arrow.
bool breadcrumbFollows(std::string_view line, std::size_t at)
{
    while (const std::size_t space = spaceLengthAt(line, at)) {
        at += space;
    }
    return line.substr(at).starts_with(kBreadcrumbArrow);
}

// A label printed right before a host with nothing between them ("Ad" before
// "www.example.com"): the host is the part from "www." when that part has a
// registered domain.
std::string_view withoutGluedWord(std::string_view run)
{
    const std::string_view label = run.substr(0, run.find('.'));
    if (label.size() <= 3 || label.size() == run.size() || !endsWithNoCase(label, "www")) {
        return run;
    }
    for (std::size_t i = 0; i + 3 < label.size(); ++i) {
        if (!isLetterOrDigit(label[i])) {
            return run;
        }
    }
    const std::string_view split = run.substr(label.size() - 3);
    return registeredDomain(checkedHostName(split)).empty() ? run : split;
}

class Harvester {
public:
    Harvester(UrlList& urls, const LinkRules& rules) : m_urls(urls), m_rules(rules) {}

    // `host` is checked and lower case, or empty.
    void take(const std::string& host)
    {
        if (host.empty() || isOwnHost(host, m_rules.ownDomain)) {
            return;
        }
        if (m_urls.contains(host)) {
            ++m_found;
            return;
        }
        if (m_rules.tlds.accepts(host)) {
            ++m_found;
            m_urls.append(host);
        }
    }

    // `cut`: the line stood in front of a cut marker, which follows a link
    // as its path would.
    void scanLine(std::string_view line, bool cut)
    {
        std::size_t at = 0;
        while (at < line.size()) {
            if (!isHostByte(line[at])) {
                ++at;
                continue;
            }
            const std::size_t start = at;
            while (at < line.size() && isHostByte(line[at])) {
                ++at;
            }
            const std::string_view run = line.substr(start, at - start);
            if (line.substr(at).starts_with("://") &&
                (endsWithNoCase(run, "http") || endsWithNoCase(run, "https"))) {
                const std::size_t schemeStart = at - (endsWithNoCase(run, "https") ? 5 : 4);
                const std::size_t end = urlEnd(line, at + 3);
                const std::string host =
                    targetHost(line.substr(schemeStart, end - schemeStart), m_rules.ownDomain);
                take(host);
                // A URL that leads nowhere is scanned on for addresses written after its scheme.
                at = host.empty() ? at + 3 : end;
                continue;
            }
            if (!hostMayStartAt(line, start) || isNonAsciiWordAt(line, at)) {
                continue;
            }
            const bool withPath = at < line.size() ? line[at] == '/' : cut;
            if (!withPath && !containsWww(run) && !breadcrumbFollows(line, at)) {
                continue;
            }
            std::string_view host = run;
            while (host.starts_with('.')) {
                host.remove_prefix(1);
            }
            // The path is scanned on: it may hold an address of its own.
            take(checkedHostName(withoutGluedWord(host)));
        }
    }

    int found() const { return m_found; }

private:
    UrlList& m_urls;
    const LinkRules& m_rules;
    int m_found = 0;
};

} // namespace

int parsepage(std::string_view line, const CutMarkers& cutMarkers, UrlList& urls, const LinkRules& rules)
{
    Harvester harvester(urls, rules);
    const std::string_view kept = cutLine(line, cutMarkers);
    harvester.scanLine(kept, kept.size() < line.size());
    return harvester.found();
}

int parseAllLines(const PageLines& pageLines, const CutMarkers& cutMarkers, UrlList& urls,
                  const LinkRules& rules)
{
    Harvester harvester(urls, rules);
    for (const std::string& line : pageLines.lines()) {
        const std::string_view kept = cutLine(line, cutMarkers);
        harvester.scanLine(kept, kept.size() < line.size());
    }
    return harvester.found();
}

int harvestLinkTargets(const std::vector<std::string>& targets, UrlList& urls, const LinkRules& rules)
{
    Harvester harvester(urls, rules);
    const std::size_t count = std::min(targets.size(), static_cast<std::size_t>(kMaxLinkTargets));
    for (std::size_t i = 0; i < count; ++i) {
        if (targets[i].size() <= kMaxLinkTargetBytes) {
            harvester.take(targetHost(targets[i], rules.ownDomain));
        }
    }
    return harvester.found();
}

} // namespace ostrevo
