// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/delimitedformat.h"

#include "resultlist/resulttable.h"
#include "textscan/textscan.h"

#include <cstring>

namespace ostrevo::delimited {

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

bool needsQuotes(std::string_view text, char delimiter)
{
    for (const char c : text) {
        if (c == delimiter || c == kQuote || (IsControlChar(c) && c != '\t')) {
            return true;
        }
    }
    return false;
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
        captions.push_back(decodeField(fields[k]));
    }
    return captions;
}

void appendField(std::string& out, std::string_view text, char delimiter, bool quoteIfEmpty)
{
    if (text.empty()) {
        if (quoteIfEmpty) {
            out.append(2, kQuote);
        }
        return;
    }
    if (!needsQuotes(text, delimiter)) {
        out.append(text);
        return;
    }
    out.push_back(kQuote);
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
    std::size_t controls = 0;
    bool quoted = false;
    for (const char c : data) {
        if (c == 0) {
            return false;
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
    for (const char candidate : {',', ';', '#', '\t', '|'}) {
        const std::int32_t count = SingleCharCount(candidate, firstLine);
        if (count == SingleCharCount(candidate, secondLine) && count > best) {
            best = count;
            found = candidate;
        }
    }
    return found;
}

} // namespace ostrevo::delimited
