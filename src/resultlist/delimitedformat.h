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

// What a header line names: every field (without its text mark), except that
// an unquoted empty last field (the line ends with the delimiter) names nothing.
std::vector<std::string> headerCaptions(const std::vector<RawField>& fields);

// Appends `text` as one field, quoted when it holds the delimiter, any other
// delimiter detection looks for, a quote or a control character: detection
// then sees only the delimiter outside quotes. An empty text is written as ""
// when `quoteIfEmpty`, so that it survives as the last field of a line.
// With `guardFormulas`, a text a spreadsheet program would run as a formula
// gets a leading kTextMark (see markedText).
void appendField(std::string& out, std::string_view text, char delimiter, bool quoteIfEmpty,
                 bool guardFormulas = false);

// Spreadsheet programs run a cell starting with = + - or @ as a formula, and
// show one starting with an apostrophe as text. The writer puts kTextMark in
// front of such a text when asked to, and in front of a text that already
// starts with marks before one of those, so that the reader can take exactly
// one mark off every field of that shape.
inline constexpr char kTextMark = '\'';
bool needsTextMark(std::string_view text, bool guardFormulas);
std::string_view withoutTextMark(std::string_view field);

// Text has few NUL bytes: none before the first line end, never two in a
// row, at most one in kMaxNulShare (a stray NUL in a field is dropped while
// reading); and few other control characters outside quotes (at most one in
// kMaxControlShare). A binary file fails; every file the writer makes passes.
inline constexpr std::size_t kMaxControlShare = 20;
inline constexpr std::size_t kMaxNulShare = 4096;
bool looksLikeText(std::string_view data);

// A byte-order mark at the start of the data: what it says and its length.
// A UTF-8 mark is dropped; UTF-16 is read as UTF-8.
enum class Encoding { Utf8, Utf16Le, Utf16Be };
struct ByteOrderMark {
    Encoding encoding = Encoding::Utf8;
    std::size_t length = 0;
};
ByteOrderMark byteOrderMark(std::string_view data);

// Converts the UTF-16 code units of `data` to UTF-8 at `out`, which has room
// for 3 bytes per 2 of `data` and 3 more. Returns the bytes written; `used` is the bytes
// of `data` taken: an odd last byte and a high surrogate at the end stay
// when more data may follow. Unpaired surrogates and an odd last byte at the
// end become U+FFFD.
std::size_t utf8FromUtf16(std::string_view data, bool bigEndian, bool atEnd, char* out, std::size_t& used);

// The first two physical lines (an absent line is empty), or nothing when
// the data ends before they do and more data may follow.
struct FirstLines {
    std::string_view first;
    std::string_view second;
};
bool firstTwoLines(std::string_view data, bool atEnd, FirstLines& lines);

// The candidate (, ; # TAB |) with the highest equal, non-zero count of single
// occurrences outside quotes in both lines; earlier candidates win ties. 0
// when none.
inline constexpr char kCandidates[] = {',', ';', '#', '\t', '|'};
char detectDelimiter(std::string_view firstLine, std::string_view secondLine);

// When the two lines decide nothing: the records of the data's first
// kDetectionWindow bytes, as the reader splits them (quotes, empty fields),
// up to kDetectionRecords of them that are not empty lines. A candidate
// that splits each of at least two records in two or more fields counts.
// One that splits every record after the first in as many fields, and the
// first in as many or in more of which those beyond are empty (a padded
// header), wins over one that does not; then the most fields (the fewest a
// record has, when uneven), then the earlier candidate. 0 when none counts.
inline constexpr std::size_t kDetectionWindow = std::size_t{64} << 10;
inline constexpr std::size_t kDetectionRecords = 8;
char delimiterOfRecords(std::string_view data, bool atEnd);

} // namespace ostrevo::delimited
