// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkextraction.h"

#include "net/httpurl.h"
#include "rechercheweb/linkhost.h"
#include "textscan/textscan.h"

#include <cstdint>

namespace ostrevo {
namespace {

constexpr std::string_view TokenSeparators{"\t\n\r ,;", 6};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Whether a line, or the host found in it, is worth another pass.
bool mentionsLink(std::string_view text)
{
    return contains(text, "www") || containsLinkScheme(text);
}

bool tokenLooksLikeLink(std::string_view token)
{
    return contains(token, "http:") || contains(token, "https:") || contains(token, "www");
}

} // namespace

// Each pass takes the next token of the work text; a token that looks like a
// link (and is not itself an entry) becomes the work text. A "/" is appended
// to the work text on every pass, so a line of many tokens would cost
// quadratic time if every pass searched it whole. Three facts keep a pass
// cheap without changing its outcome:
//  - after the cut markers have been applied the work text holds none of
//    them, so a new occurrence must reach into the slashes added since;
//  - the host candidate of "content + one or more slashes" is the same
//    whatever the number of slashes, so it is only recomputed when the
//    content changes;
//  - testing the same candidate again would append nothing (the page lines
//    are fixed and the list only grows), so it is tested once.
void parsepage(std::string_view line, const CutMarkers& cutMarkers, const PageLines& pageLines, UrlList& urls)
{
    std::string work = withLowerCaseSchemes(line);
    if (!mentionsLink(work)) {
        return;
    }
    std::size_t cleanLength = 0;             // work[0, cleanLength) holds no cut marker
    std::size_t contentLength = work.size(); // work is work[0, contentLength) + slashes
    bool candidateKnown = false;
    bool candidateMentionsLink = false;
    std::int32_t cursor = 1;

    for (;;) {
        for (const std::string& marker : cutMarkers) {
            if (marker.empty()) {
                continue;
            }
            const std::size_t from = cleanLength >= marker.size() ? cleanLength - marker.size() + 1 : 0;
            const std::size_t at = work.find(marker, from);
            if (at != std::string::npos) {
                work.resize(at);
                if (at < contentLength) {
                    contentLength = at;
                    candidateKnown = false;
                }
            }
        }
        cleanLength = work.size();

        const std::string_view token = NextToken(work, TokenSeparators, cursor);
        if (!token.empty() && tokenLooksLikeLink(token) && !urls.contains(token)) {
            std::string tokenText(token);
            work = std::move(tokenText);
            cleanLength = work.size();
            contentLength = work.size();
            candidateKnown = false;
        }

        work.push_back('/');

        if (!candidateKnown) {
            const std::string_view candidate = hostCandidate(work);
            if (containsDomainMark(candidate) && !pageLines.contains(candidate) &&
                !urls.contains(candidate)) {
                urls.append(candidate);
            }
            candidateMentionsLink = mentionsLink(candidate);
            candidateKnown = true;
        }

        if (cursor == 0 || !candidateMentionsLink) {
            return;
        }
    }
}

void parseAllLines(const PageLines& pageLines, const CutMarkers& cutMarkers, UrlList& urls)
{
    for (const std::string& line : pageLines.lines()) {
        parsepage(line, cutMarkers, pageLines, urls);
    }
}

} // namespace ostrevo
