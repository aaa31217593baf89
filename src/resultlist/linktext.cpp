// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/linktext.h"

#include "textscan/hostname.h"

#include <algorithm>

#include <array>
#include <cstdint>

namespace ostrevo {

namespace {

constexpr std::string_view kSchemeMark = "://";
constexpr std::string_view kMailMark = "mailto:";
constexpr std::string_view kMarkupMark = "</";

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
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

bool isAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isHostName(std::string_view host)
{
    return !checkedHostName(host).empty();
}

// host, or host:port.
bool isAuthority(std::string_view authority)
{
    const std::size_t colon = authority.find(':');
    if (colon == std::string_view::npos) {
        return isHostName(authority);
    }
    const std::string_view port = authority.substr(colon + 1);
    return isHostName(authority.substr(0, colon)) && !port.empty() && port.size() <= 5 &&
           port.find_first_not_of("0123456789") == std::string_view::npos;
}

// Appends `text`, percent-encoding every byte not in `kept` (nor a letter or
// digit), and a "%" that does not start an escape.
void appendPercentEncoded(std::string& out, std::string_view text, std::string_view kept)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool escape =
            c == '%' && i + 2 < text.size() && isHexDigit(text[i + 1]) && isHexDigit(text[i + 2]);
        if (isAsciiAlnum(c) || escape || (c != '%' && kept.find(c) != std::string_view::npos)) {
            out.push_back(c);
        } else {
            const auto byte = static_cast<std::uint8_t>(c);
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        }
    }
}

std::optional<std::string> webAddress(std::string_view scheme, std::string_view rest)
{
    const std::size_t end = rest.find_first_of("/?#");
    const std::string_view authority = rest.substr(0, end);
    if (!isAuthority(authority)) {
        return std::nullopt;
    }
    std::string address(scheme);
    address.append(authority);
    if (end != std::string_view::npos) {
        appendPercentEncoded(address, rest.substr(end), "-._~!$&'()*+,;=:@/?#");
    }
    return address;
}

std::optional<std::string> mailAddress(std::string_view mailbox)
{
    if (mailbox.size() >= 2 && mailbox.front() == '<' && mailbox.back() == '>') {
        mailbox = mailbox.substr(1, mailbox.size() - 2);
    }
    const std::size_t at = mailbox.rfind('@');
    if (at == std::string_view::npos || at == 0) {
        return std::nullopt;
    }
    const std::string_view local = mailbox.substr(0, at);
    const std::string_view domain = mailbox.substr(at + 1);
    // The local part's own characters (RFC 5322 dot-atom).
    constexpr std::string_view kLocalExtra = "!#$%&'*+-/=?^_`{|}~.";
    for (const char c : local) {
        if (!isAsciiAlnum(c) && kLocalExtra.find(c) == std::string_view::npos) {
            return std::nullopt;
        }
    }
    if (!isHostName(domain)) {
        return std::nullopt;
    }
    std::string address("mailto:");
    appendPercentEncoded(address, local, "-._~!$'*+=");
    address.push_back('@');
    address.append(domain);
    return address;
}

// The text after a leading "scheme://" (a letter, then letters, digits, "+",
// "-" or "."); the text itself when it has none.
std::string_view afterLeadingScheme(std::string_view text)
{
    const std::size_t end = text.find(kSchemeMark);
    if (end == std::string_view::npos || end == 0) {
        return text;
    }
    const auto isSchemeChar = [](char c) { return isAsciiAlnum(c) || c == '+' || c == '-' || c == '.'; };
    const std::string_view scheme = text.substr(0, end);
    const bool valid = !(scheme[0] >= '0' && scheme[0] <= '9') &&
                       std::all_of(scheme.begin(), scheme.end(), isSchemeChar) && isAsciiAlnum(scheme[0]);
    return valid ? text.substr(end + kSchemeMark.size()) : text;
}

int hexValue(char c)
{
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// The text with its "%HH" escapes decoded, as a mail program decodes a
// mailto address; nothing for a "%" that starts no escape.
std::optional<std::string> percentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low < 0) {
            return std::nullopt;
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return decoded;
}

// "mailto:" and the one address of a mail link, up to its headers ("?"),
// without enclosing "<>": a dot-atom local part of at most 64 characters and a
// checked host name. The local part is judged as the mail program reads it,
// escapes decoded: "evil%40x.com%2Cowner" would be two addresses there. Empty
// when it is no such address.
std::string rebuiltMailLink(std::string_view address)
{
    address = address.substr(0, address.find('?'));
    if (address.size() >= 2 && address.front() == '<' && address.back() == '>') {
        address = address.substr(1, address.size() - 2);
    }
    const std::size_t at = address.rfind('@');
    if (at == std::string_view::npos || at == 0 || at > 64) {
        return {};
    }
    const std::optional<std::string> decodedLocal = percentDecoded(address.substr(0, at));
    if (!decodedLocal || decodedLocal->empty() || decodedLocal->size() > 64) {
        return {};
    }
    const std::string_view local = *decodedLocal;
    const auto isAtomChar = [](char c) {
        return isAsciiAlnum(c) || std::string_view("!#$%&'*+/=^_`{|}~-").find(c) != std::string_view::npos;
    };
    std::size_t labelStart = 0;
    for (std::size_t i = 0; i <= local.size(); ++i) {
        if (i < local.size() && local[i] != '.') {
            if (!isAtomChar(local[i])) {
                return {};
            }
        } else if (i == labelStart) {
            return {}; // a leading, trailing or doubled dot
        } else {
            labelStart = i + 1;
        }
    }
    const std::string domain = checkedHostName(address.substr(at + 1));
    if (domain.empty()) {
        return {};
    }
    std::string link(kMailMark);
    for (const char c : local) {
        // A "%" the text meant as itself stays itself for the mail program.
        link.append(c == '%' ? std::string_view("%25") : std::string_view(&c, 1));
    }
    return link.append("@").append(domain);
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
    if (startsWithIgnoringCase(text, kMailMark)) {
        return text.substr(kMailMark.size());
    }
    return afterLeadingScheme(text);
}

std::string openableLink(std::string_view text)
{
    static constexpr std::array<std::string_view, 2> kWebSchemes = {"http://", "https://"};
    for (std::string_view scheme : kWebSchemes) {
        if (startsWithIgnoringCase(text, scheme)) {
            return text.size() > scheme.size() ? std::string(text) : std::string();
        }
    }
    if (startsWithIgnoringCase(text, kMailMark)) {
        return rebuiltMailLink(text.substr(kMailMark.size()));
    }
    return {};
}

std::optional<std::string> linkAddress(std::string_view text)
{
    static constexpr std::array<std::string_view, 2> kWebSchemes = {"http://", "https://"};
    for (std::string_view scheme : kWebSchemes) {
        if (startsWithIgnoringCase(text, scheme)) {
            return webAddress(scheme, text.substr(scheme.size()));
        }
    }
    if (startsWithIgnoringCase(text, kMailMark)) {
        return mailAddress(text.substr(kMailMark.size()));
    }
    return std::nullopt;
}

} // namespace ostrevo
