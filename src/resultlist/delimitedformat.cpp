// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/delimitedformat.h"

#include "textscan/textscan.h"
#include "textscan/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace ostrevo::delimited {

using namespace std::string_view_literals;

namespace {

bool endsRecord(char c)
{
    return c == kCr || c == kLf || c == kEndOfInput;
}

// Returned by quotedFieldEnd when the data ends with the quote still open.
constexpr std::size_t kUnclosed = std::string_view::npos - 1;

// Where a quoted field's text ends (at the delimiter or the record's end),
// npos when the data ends first, or kUnclosed when no more data follows and
// the quote was never closed.
std::size_t quotedFieldEnd(std::string_view data, std::size_t pos, bool atEnd, char delimiter)
{
    bool inQuotes = true;
    while (pos < data.size()) {
        const char c = data[pos];
        if (inQuotes) {
            if (c == kQuote) {
                if (pos + 1 == data.size() && !atEnd) {
                    return std::string_view::npos; // doubled or closing: the next byte tells
                }
                if (pos + 1 < data.size() && data[pos + 1] == kQuote) {
                    pos += 2;
                    continue;
                }
                inQuotes = false;
            }
            ++pos;
        } else if (c == delimiter || endsRecord(c)) {
            return pos;
        } else {
            ++pos;
        }
    }
    if (!atEnd) {
        return std::string_view::npos;
    }
    return inQuotes ? kUnclosed : pos;
}

std::size_t plainFieldEnd(std::string_view data, std::size_t pos, bool atEnd, char delimiter)
{
    const char* p = data.data();
    for (; pos < data.size(); ++pos) {
        const char c = p[pos];
        if (c == delimiter || endsRecord(c)) {
            return pos;
        }
    }
    return atEnd ? pos : std::string_view::npos;
}

// Bytes that make a field quoted whatever the delimiter.
constexpr std::array<bool, 256> kQuotedBytes = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c < 256; ++c) {
        bytes[static_cast<std::size_t>(c)] = IsControlChar(static_cast<char>(c));
    }
    bytes[static_cast<unsigned char>(kQuote)] = true;
    for (const char c : kCandidates) {
        bytes[static_cast<unsigned char>(c)] = true;
    }
    return bytes;
}();

bool needsQuotes(std::string_view text, char delimiter)
{
    // A field that starts like a byte-order mark would make the next load
    // take the whole file for UTF-16 (or drop its first bytes) when it opens
    // a save.
    if (!text.empty() && (static_cast<unsigned char>(text[0]) >= 0xFE || text.starts_with("\xEF\xBB\xBF"))) {
        return true;
    }
    for (const char c : text) {
        if (kQuotedBytes[static_cast<unsigned char>(c)] || c == delimiter) {
            return true;
        }
    }
    return false;
}

bool startsFormula(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@';
}

// SingleCharCount, but a character between quotes is field text.
std::int32_t unquotedSingleCount(char c, std::string_view line)
{
    std::int32_t count = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        quoted ^= line[i] == kQuote;
        if (!quoted && line[i] == c &&
            (i + 1 == line.size() || (line[i + 1] != c && (i == 0 || line[i - 1] != c)))) {
            ++count;
        }
    }
    return count;
}

// End of the physical line starting at `pos` and where the next one starts
// (npos after Ctrl-Z: no next line); false when the data ends first and more
// may follow.
bool physicalLine(std::string_view data, std::size_t pos, bool atEnd, std::size_t& end, std::size_t& next)
{
    for (end = pos; end < data.size(); ++end) {
        if (data[end] == kLf) {
            next = end + 1;
            return true;
        }
        if (data[end] == kCr) {
            if (end + 1 == data.size() && !atEnd) {
                return false;
            }
            next = end + 1 < data.size() && data[end + 1] == kLf ? end + 2 : end + 1;
            return true;
        }
        if (data[end] == kEndOfInput) {
            next = std::string_view::npos;
            return true;
        }
    }
    next = end;
    return atEnd;
}

} // namespace

ScanResult scanRecord(std::string_view data, bool atEnd, char delimiter, std::vector<RawField>& fields)
{
    fields.clear();
    if (data.empty()) {
        return {atEnd ? ScanStatus::EndOfInput : ScanStatus::NeedMoreData};
    }
    if (data.front() == kEndOfInput) {
        return {ScanStatus::EndOfInput};
    }
    std::size_t pos = 0;
    for (;;) {
        bool quoted = pos < data.size() && data[pos] == kQuote;
        std::size_t start = quoted ? pos + 1 : pos;
        std::size_t end = quoted ? quotedFieldEnd(data, start, atEnd, delimiter)
                                 : plainFieldEnd(data, start, atEnd, delimiter);
        if (end == kUnclosed) {
            // A quote still open at the end of the data is a plain character:
            // the records after it stay records.
            quoted = false;
            start = pos;
            end = plainFieldEnd(data, start, atEnd, delimiter);
        }
        if (end == std::string_view::npos) {
            return {ScanStatus::NeedMoreData};
        }
        fields.push_back({data.substr(start, end - start), quoted});
        if (end == data.size() || data[end] == kEndOfInput) {
            return {ScanStatus::Record, end};
        }
        if (data[end] == kLf) {
            return {ScanStatus::Record, end + 1};
        }
        if (data[end] == kCr) {
            if (end + 1 == data.size() && !atEnd) {
                return {ScanStatus::NeedMoreData}; // an LF may follow
            }
            const bool lf = end + 1 < data.size() && data[end + 1] == kLf;
            return {ScanStatus::Record, end + (lf ? 2 : 1)};
        }
        pos = end + 1; // past the delimiter
    }
}

void decodeField(const RawField& field, std::string& out)
{
    const std::string_view text = field.text;
    if (!field.quoted) {
        out.assign(text);
        return;
    }
    // Common case: no quote but the closing one at the very end.
    const void* firstQuote = std::memchr(text.data(), kQuote, text.size());
    if (firstQuote == nullptr) {
        out.assign(text); // never closed
        return;
    }
    const auto quoteAt = static_cast<std::size_t>(static_cast<const char*>(firstQuote) - text.data());
    if (quoteAt + 1 == text.size()) {
        out.assign(text.substr(0, quoteAt));
        return;
    }
    out.clear();
    out.reserve(text.size());
    bool inQuotes = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes && c == kQuote) {
            if (i + 1 < text.size() && text[i + 1] == kQuote) {
                out.push_back(kQuote);
                ++i;
            } else {
                inQuotes = false;
            }
        } else {
            out.push_back(c);
        }
    }
}

std::string decodeField(const RawField& field)
{
    std::string out;
    decodeField(field, out);
    return out;
}

std::vector<std::string> headerCaptions(const std::vector<RawField>& fields)
{
    std::vector<std::string> captions;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const bool last = k + 1 == fields.size();
        if (last && !fields[k].quoted && fields[k].text.empty()) {
            break;
        }
        std::string caption = decodeField(fields[k]);
        if (withoutTextMark(caption).size() != caption.size()) {
            caption.erase(0, 1);
        }
        captions.push_back(std::move(caption));
    }
    return captions;
}

bool needsTextMark(std::string_view text, bool guardFormulas)
{
    // Most texts are settled by their first byte.
    if (text.empty() || (text[0] != kTextMark && !(guardFormulas && startsFormula(text[0])))) {
        return false;
    }
    const std::size_t marks = std::min(text.find_first_not_of(kTextMark), text.size());
    return marks < text.size() && startsFormula(text[marks]) && (guardFormulas || marks > 0);
}

std::string_view withoutTextMark(std::string_view field)
{
    if (field.empty() || field.front() != kTextMark) {
        return field;
    }
    return needsTextMark(field, false) ? field.substr(1) : field;
}

void appendField(std::string& out, std::string_view text, char delimiter, bool quoteIfEmpty,
                 bool guardFormulas)
{
    if (text.empty()) {
        if (quoteIfEmpty) {
            out.append(2, kQuote);
        }
        return;
    }
    const bool mark = needsTextMark(text, guardFormulas);
    if (!needsQuotes(text, delimiter)) {
        if (mark) {
            out.push_back(kTextMark);
        }
        out.append(text);
        return;
    }
    out.push_back(kQuote);
    if (mark) {
        out.push_back(kTextMark);
    }
    for (const char c : text) {
        if (c == kQuote) {
            out.push_back(kQuote);
        }
        out.push_back(c);
    }
    out.push_back(kQuote);
}

bool looksLikeText(std::string_view data)
{
    // Binary formats start with a header holding zero bytes and hold runs of
    // them; text written with a stray NUL holds one here and there.
    const std::size_t firstLineEnd = std::min(data.find_first_of("\r\n"), data.size());
    if (data.substr(0, firstLineEnd).find('\0') != std::string_view::npos ||
        data.find("\0\0"sv) != std::string_view::npos ||
        static_cast<std::size_t>(std::count(data.begin(), data.end(), '\0')) >
            1 + data.size() / kMaxNulShare) {
        return false;
    }
    std::size_t controls = 0;
    bool quoted = false;
    for (const char c : data) {
        if (c == 0) {
            continue; // judged above
        }
        // Controls inside quotes are field text, as the writer quotes them.
        quoted ^= c == kQuote;
        if (!quoted && IsControlChar(c) && c != '\t' && c != kCr && c != kLf && c != '\f' &&
            c != kEndOfInput) {
            ++controls;
        }
    }
    return controls <= data.size() / kMaxControlShare;
}

bool firstTwoLines(std::string_view data, bool atEnd, FirstLines& lines)
{
    std::size_t end = 0;
    std::size_t next = 0;
    if (!physicalLine(data, 0, atEnd, end, next)) {
        return false;
    }
    lines.first = data.substr(0, end);
    lines.second = {};
    const std::size_t secondStart = next;
    if (secondStart == std::string_view::npos) {
        return true;
    }
    if (!physicalLine(data, secondStart, atEnd, end, next)) {
        return false;
    }
    lines.second = data.substr(secondStart, end - secondStart);
    return true;
}

char detectDelimiter(std::string_view firstLine, std::string_view secondLine)
{
    char found = 0;
    std::int32_t best = 0;
    for (const char candidate : kCandidates) {
        const std::int32_t count = unquotedSingleCount(candidate, firstLine);
        if (count == unquotedSingleCount(candidate, secondLine) && count > best) {
            best = count;
            found = candidate;
        }
    }
    return found;
}

char delimiterOfRecords(std::string_view data, bool atEnd)
{
    if (data.size() > kDetectionWindow) {
        data = data.substr(0, kDetectionWindow);
        atEnd = false;
    }
    const auto isEmpty = [](const RawField& f) { return f.text.empty() || (f.quoted && f.text == "\""); };
    std::vector<RawField> fields;
    char found = 0;
    bool foundEven = false;
    std::size_t foundCount = 1;
    for (const char candidate : kCandidates) {
        std::string_view rest = data;
        std::size_t records = 0;
        std::size_t firstCount = 0;
        std::size_t firstNamed = 0; // the first record's fields up to its last with text
        std::size_t count = 0;      // of the second record
        std::size_t fewest = std::string_view::npos;
        bool even = true; // every later record as the second
        while (records < kDetectionRecords) {
            const ScanResult scan = scanRecord(rest, atEnd, candidate, fields);
            if (scan.status != ScanStatus::Record) {
                break;
            }
            rest.remove_prefix(scan.consumed);
            // Empty lines (CR CR LF ends make one after every line) say nothing.
            if (fields.size() == 1 && !fields[0].quoted && fields[0].text.empty()) {
                continue;
            }
            fewest = std::min(fewest, fields.size());
            if (++records == 1) {
                firstCount = fields.size();
                firstNamed = firstCount;
                while (firstNamed > 0 && isEmpty(fields[firstNamed - 1])) {
                    --firstNamed;
                }
            } else if (records == 2) {
                count = fields.size();
            } else {
                even = even && fields.size() == count;
            }
        }
        if (records < 2 || fewest < 2) {
            continue;
        }
        // A header may have more fields than it names columns: the writers
        // of earlier versions padded it with empty captions. Rows of the
        // program's own saves may have fewer or more fields than the header.
        even = even && (firstCount == count || (firstCount > count && firstNamed <= count));
        const std::size_t width = even ? count : fewest;
        if ((even && !foundEven) || (even == foundEven && width > foundCount)) {
            found = candidate;
            foundEven = even;
            foundCount = width;
        }
    }
    return found;
}

ByteOrderMark byteOrderMark(std::string_view data)
{
    if (data.starts_with("\xef\xbb\xbf"sv)) {
        return {Encoding::Utf8, 3};
    }
    if (data.starts_with("\xff\xfe"sv)) {
        return {Encoding::Utf16Le, 2};
    }
    if (data.starts_with("\xfe\xff"sv)) {
        return {Encoding::Utf16Be, 2};
    }
    return {};
}

std::size_t utf8FromUtf16(std::string_view data, bool bigEndian, bool atEnd, char* out, std::size_t& used)
{
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(data[i]);
        const auto second = static_cast<unsigned char>(data[i + 1]);
        return bigEndian ? static_cast<std::uint32_t>(first << 8 | second)
                         : static_cast<std::uint32_t>(second << 8 | first);
    };
    char* const start = out;
    const auto put = [&](std::uint32_t code) { out = encodeUtf8(code, out); };
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::size_t i = 0;
    while (i + 1 < data.size()) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 3 >= data.size() && !atEnd) {
                break; // the low half may follow
            }
            const std::uint32_t low = i + 3 < data.size() ? unitAt(i + 2) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 4;
                continue;
            }
            put(kReplacement);
        } else {
            put(unit >= 0xDC00 && unit <= 0xDFFF ? kReplacement : unit);
        }
        i += 2;
    }
    if (atEnd && i < data.size()) {
        put(kReplacement);
        i = data.size();
    }
    used = i;
    return static_cast<std::size_t>(out - start);
}

} // namespace ostrevo::delimited
