// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/pagekind.h"

#include "textscan/textkey.h"

#include <algorithm>
#include <string>

namespace ostrevo {
namespace {

enum class Where { HostStart, HostOrPath, Path, Text };

struct Mark {
    PageKind kind;
    Where where;
    std::string_view words; // lower case, single spaces
};

// Everything that gives a page away, in one place.
constexpr Mark Marks[] = {
    {PageKind::Check, Where::Path, "/sorry/"},
    {PageKind::Check, Where::HostOrPath, "captcha"},
    {PageKind::Check, Where::HostOrPath, "challenge"},
    {PageKind::Check, Where::Text, "unusual traffic from your computer network"},
    {PageKind::Check, Where::Text, "are you a robot"},
    {PageKind::Check, Where::Text, "verify you are human"},
    {PageKind::Check, Where::Text, "not a robot"},
    {PageKind::Check, Where::Text, "bots use"},
    {PageKind::Consent, Where::HostStart, "consent."},
    {PageKind::Consent, Where::Text, "before you continue"},
    {PageKind::Consent, Where::Text, "accept all"},
    {PageKind::Consent, Where::Text, "reject all"},
    {PageKind::Block, Where::Text, "automated queries"},
};

constexpr int RefusalStatuses[] = {403, 429, 503};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Lower case, every run of white space one space: a phrase split over two
// lines of the page still matches.
std::string foldedText(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    bool inSpace = false;
    for (const char c : text) {
        if (isSpace(c)) {
            inSpace = true;
            continue;
        }
        if (inSpace && !folded.empty()) {
            folded.push_back(' ');
        }
        inSpace = false;
        folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return folded;
}

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The phrase as whole words: "robots used" does not say "bots use".
bool containsPhrase(std::string_view text, std::string_view phrase)
{
    for (std::size_t at = text.find(phrase); at != std::string_view::npos; at = text.find(phrase, at + 1)) {
        const std::size_t end = at + phrase.size();
        if ((at == 0 || !isWordByte(text[at - 1])) && (end == text.size() || !isWordByte(text[end]))) {
            return true;
        }
    }
    return false;
}

struct UrlParts {
    std::string host;
    std::string path;
};

// scheme://[user@]host[:port][/path][?query][#fragment], lower case.
UrlParts urlParts(std::string_view url)
{
    UrlParts parts;
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) {
        return parts;
    }
    std::string_view rest = url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("?#"));
    const std::size_t slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    authority = authority.substr(0, authority.find(':'));
    parts.host = asciiLower(authority);
    parts.path = slash == std::string_view::npos ? std::string("/") : asciiLower(rest.substr(slash));
    return parts;
}

} // namespace

bool isRefusalStatus(int httpStatus)
{
    return std::find(std::begin(RefusalStatuses), std::end(RefusalStatuses), httpStatus) !=
           std::end(RefusalStatuses);
}

PageKind recognisePage(const PageFacts& page)
{
    if (page.hasResultLinks) {
        return PageKind::Results;
    }
    const UrlParts url = urlParts(page.finalUrl);
    const std::string text = foldedText(page.text);
    PageKind found = isRefusalStatus(page.httpStatus) ? PageKind::Block : PageKind::Results;
    for (const Mark& mark : Marks) {
        bool matches = false;
        switch (mark.where) {
        case Where::HostStart:
            matches = url.host.starts_with(mark.words);
            break;
        case Where::HostOrPath:
            matches = url.host.find(mark.words) != std::string::npos ||
                      url.path.find(mark.words) != std::string::npos;
            break;
        case Where::Path:
            matches = url.path.find(mark.words) != std::string::npos;
            break;
        case Where::Text:
            matches = containsPhrase(text, mark.words);
            break;
        }
        if (matches) {
            found = std::min(found, mark.kind);
        }
    }
    return found;
}

} // namespace ostrevo
