// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The delimited text format of result files, without any file handling.
//
// A record is one line: it ends at CR LF, a lone LF or a lone CR, and byte 26
// (Ctrl-Z) ends the input. A field that begins with a double quote is quoted:
// inside it a doubled quote stands for one quote, a single quote closes it,
// and CR, LF, Ctrl-Z and the delimiter are text, so a quoted field may span
// lines. Text after the closing quote, up to the next delimiter, is kept as it
// stands. A quote never closed before the end of the input is a plain
// character of an unquoted field.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrevo::delimited {

inline constexpr char kQuote = '"';
inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';
inline constexpr char kEndOfInput = 26;

// One field as it stands in the data. For a quoted field, `text` starts after
// the opening quote and runs to the delimiter or the end of the record.
struct RawField {
    std::string_view text;
    bool quoted = false;
};

enum class ScanStatus {
    Record,       // `fields` holds a record of `consumed` bytes (line end included)
    NeedMoreData, // the data ends inside a record and more data may follow
    EndOfInput,   // no record left (no data, or Ctrl-Z)
};

struct ScanResult {
    ScanStatus status;
    std::size_t consumed = 0;
};

// Splits the record at the start of `data`. `atEnd` says that no data follows
// `data`; then a record may end where the data ends.
ScanResult scanRecord(std::string_view data, bool atEnd, char delimiter, std::vector<RawField>& fields);

// The field's text with its quoting removed.
void decodeField(const RawField& field, std::string& out);
std::string decodeField(const RawField& field);

// What a header line names: every field, except that an unquoted empty last
// field (the line ends with the delimiter) names nothing.
std::vector<std::string> headerCaptions(const std::vector<RawField>& fields);

// Appends `text` as one field, quoted when it holds the delimiter, a quote or
// a control character other than TAB. An empty text is written as "" when
// `quoteIfEmpty`, so that it survives as the last field of a line.
void appendField(std::string& out, std::string_view text, char delimiter, bool quoteIfEmpty);

// Text has no NUL byte and few other control characters outside quotes (more
// than one in kMaxControlShare): a binary file fails, and every file the
// writer makes passes.
inline constexpr std::size_t kMaxControlShare = 20;
bool looksLikeText(std::string_view data);

// The first two physical lines (an absent line is empty), or nothing when
// the data ends before they do and more data may follow.
struct FirstLines {
    std::string_view first;
    std::string_view second;
};
bool firstTwoLines(std::string_view data, bool atEnd, FirstLines& lines);

// The candidate (, ; # TAB |) with the highest equal, non-zero count of single
// occurrences in both lines; earlier candidates win ties. 0 when none.
char detectDelimiter(std::string_view firstLine, std::string_view secondLine);

} // namespace ostrevo::delimited
