// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/availablememory.h"
#include "platform/errors.h"
#include "platform/filereading.h"
#include "resultlist/delimitedformat.h"
#include "resultlist/resulttableimpl.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ostrevo {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;
// Rows reach the table (and its observer) in batches rather than one by one.
constexpr std::size_t kRowsPerBatch = std::size_t{1} << 16;

// Room kept free for a read: a UTF-16 read needs a few bytes to convert.
constexpr std::size_t kMinRoom = 16;

// The file read in large blocks; the unread rest stays in front when more is
// read, and the buffer grows for a record longer than itself. A UTF-8
// byte-order mark is dropped, UTF-16 (with its mark) becomes UTF-8, and a
// stray NUL byte is dropped.
class InputBuffer {
public:
    // `sizeHint`: the file's size when known; a small file gets a small buffer.
    InputBuffer(std::FILE* file, std::string name, std::size_t sizeHint)
        : m_file(file), m_name(std::move(name)),
          m_capacity(std::clamp<std::size_t>(sizeHint + 1, 64, kReadChunk))
    {
        m_buffer.reset(new char[m_capacity]);
    }

    std::string_view data() const { return {m_buffer.get() + m_begin, m_end - m_begin}; }
    bool atEnd() const { return m_atEnd; }
    // Where the text ended at NUL bytes after the first block; 0 if it did not.
    std::uint64_t binaryFrom() const { return m_binaryFrom; }
    // Stray NUL bytes left out of the text.
    std::uint64_t droppedNuls() const { return m_droppedNuls; }
    void consume(std::size_t count) { m_begin += count; }

    // Reads the first block and settles the encoding by its byte-order mark.
    void start()
    {
        fill();
        const delimited::ByteOrderMark mark = delimited::byteOrderMark(data());
        m_begin += mark.length;
        if (mark.encoding == delimited::Encoding::Utf8) {
            return;
        }
        // What was read is UTF-16: it becomes the first raw input to convert.
        m_bigEndian = mark.encoding == delimited::Encoding::Utf16Be;
        m_raw.reset(new char[kReadChunk]);
        m_rawEnd = m_end - m_begin;
        std::memcpy(m_raw.get(), m_buffer.get() + m_begin, m_rawEnd);
        m_rawAtEnd = m_atEnd;
        m_atEnd = false;
        m_begin = m_end = m_read = 0;
        fill();
    }

    // After the first block was judged to be text: its stray NULs go.
    void dropStrayNuls()
    {
        char* const begin = m_buffer.get() + m_begin;
        char* const end = m_buffer.get() + m_end;
        m_lastWasNul = m_end > m_begin && end[-1] == 0;
        char* const kept = std::remove(begin, end, '\0');
        m_droppedNuls += static_cast<std::size_t>(end - kept);
        m_end = static_cast<std::size_t>(kept - m_buffer.get());
    }

    void fill()
    {
        if (m_atEnd) {
            return;
        }
        if (m_begin > 0) {
            std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
            m_end -= m_begin;
            m_begin = 0;
        }
        if (m_capacity - m_end < kMinRoom) {
            std::unique_ptr<char[]> larger(new char[m_capacity * 2]);
            std::memcpy(larger.get(), m_buffer.get(), m_end);
            m_buffer = std::move(larger);
            m_capacity *= 2;
        }
        char* fresh = m_buffer.get() + m_end;
        const std::size_t got = m_raw ? readUtf16(fresh) : readBytes(fresh, m_capacity - m_end);
        // The first block is judged as a whole before any row changes.
        const std::size_t kept = m_read > 0 ? takeNuls(fresh, got) : got;
        if (kept == kBinary) {
            return;
        }
        m_read += got;
        m_end += kept;
    }

private:
    std::size_t readBytes(char* to, std::size_t wanted)
    {
        errno = 0;
        const std::size_t got = std::fread(to, 1, wanted, m_file);
        if (got < wanted) {
            if (std::ferror(m_file)) {
                const int error = errno != 0 ? errno : EIO;
                throw RuntimeError("Cannot read file " + m_name + ": " + std::strerror(error));
            }
            m_atEnd = true;
        }
        return got;
    }

    // Converts what the buffer has room for; what a conversion leaves (half
    // a character) waits at the front of the raw block.
    std::size_t readUtf16(char* to)
    {
        const std::size_t room = (m_capacity - m_end - 3) / 3 * 2;
        if (!m_rawAtEnd && m_rawEnd < std::min(room, kReadChunk)) {
            const bool wasAtEnd = m_atEnd;
            m_rawEnd += readBytes(m_raw.get() + m_rawEnd, std::min(room, kReadChunk) - m_rawEnd);
            m_rawAtEnd = m_atEnd;
            m_atEnd = wasAtEnd;
        }
        const std::size_t take = std::min(room, m_rawEnd);
        const bool last = m_rawAtEnd && take == m_rawEnd;
        std::size_t used = 0;
        const std::size_t made = delimited::utf8FromUtf16({m_raw.get(), take}, m_bigEndian, last, to, used);
        std::memmove(m_raw.get(), m_raw.get() + used, m_rawEnd - used);
        m_rawEnd -= used;
        m_atEnd = last && m_rawEnd == 0;
        return made;
    }

    static constexpr std::size_t kBinary = std::string_view::npos;

    // Drops stray NULs from `got` fresh bytes and says how many bytes are
    // left; kBinary when NULs in a row end the text, at the line before them.
    std::size_t takeNuls(char* fresh, std::size_t got)
    {
        char* const end = fresh + got;
        char* nul = static_cast<char*>(std::memchr(fresh, 0, got));
        if (nul == nullptr) {
            m_lastWasNul = m_lastWasNul && got == 0;
            return got;
        }
        char* kept = nul;
        for (char* p = nul; p < end; ++p) {
            if (*p != 0) {
                *kept++ = *p;
                m_lastWasNul = false;
                continue;
            }
            if (m_lastWasNul || (p + 1 < end && p[1] == 0)) {
                m_binaryFrom = m_read + static_cast<std::uint64_t>(p - fresh) + (m_lastWasNul ? 0 : 1);
                const char* cut = kept;
                const char* unread = m_buffer.get() + m_begin;
                while (cut > unread && cut[-1] != '\n' && cut[-1] != '\r') {
                    --cut;
                }
                m_end = static_cast<std::size_t>(cut - m_buffer.get());
                m_atEnd = true;
                return kBinary;
            }
            ++m_droppedNuls;
            m_lastWasNul = true;
        }
        return static_cast<std::size_t>(kept - fresh);
    }

    std::FILE* m_file;
    std::string m_name;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::uint64_t m_read = 0;       // bytes of text read so far
    std::uint64_t m_binaryFrom = 0; // the first of the NULs in a row, counted from 1
    std::uint64_t m_droppedNuls = 0;
    bool m_lastWasNul = false;
    bool m_atEnd = false;
    // UTF-16 input, read into its own block and converted from there.
    std::unique_ptr<char[]> m_raw;
    std::size_t m_rawEnd = 0;
    bool m_rawAtEnd = false;
    bool m_bigEndian = false;
};

FilePtr openDelimitedFile(const std::filesystem::path& fileName)
{
    try {
        return openForReading(fileName);
    } catch (const FileReadError&) {
        throw EResultListError("File cannot be opened");
    }
}

} // namespace

// Adds the records of a load to a table as rows. Made rows go to the table
// batch by batch; until then the load owns them, and drops them if it fails.
class DelimitedRows {
public:
    DelimitedRows(ResultTable& table, std::string fileName)
        : m_table(table), m_name(std::move(fileName)),
          m_memoryLimit(table.m_loadMemoryLimit != 0 ? table.m_loadMemoryLimit : loadingMemoryBudget())
    {
        m_pending.reserve(kRowsPerBatch);
    }
    ~DelimitedRows() { dropPending(); }
    DelimitedRows(const DelimitedRows&) = delete;
    DelimitedRows& operator=(const DelimitedRows&) = delete;

    // The first record of a load with a header: the columns' captions.
    void header(const std::vector<delimited::RawField>& fields)
    {
        m_table.addColumns(delimited::headerCaptions(fields));
    }

    // One record becomes one row; a record without any text is none.
    void add(const std::vector<delimited::RawField>& fields)
    {
        // A quoted field's text runs to its closing quote.
        const auto isEmpty = [](const delimited::RawField& f) {
            return f.text.empty() || (f.quoted && f.text == "\"");
        };
        if (std::all_of(fields.begin(), fields.end(), isEmpty)) {
            return; // an empty line, or delimiters only: no row
        }
        makeRoomFor(fields);
        ResultRow* row = m_table.makeRow();
        try {
            fillRow(*row, fields);
        } catch (...) {
            m_table.dropRow(row);
            throw;
        }
        m_pending.push_back(row); // reserved for a whole batch
        if (m_pending.size() >= kRowsPerBatch) {
            flush();
        }
    }

    void flush() { m_table.appendRows(m_pending); }

    // After a failure: the rows read so far stay in the table if they can.
    void keepWhatWasRead() noexcept
    {
        try {
            flush();
        } catch (...) {
            dropPending();
        }
    }

private:
    void dropPending() noexcept
    {
        for (ResultRow* row : m_pending) {
            m_table.dropRow(row);
        }
        m_pending.clear();
    }

    // Fields that are not last make room for the field after them, as
    // columns. The columns a record needs are added at once: each change of
    // the columns resets the views, and one per field would cost quadratic
    // time. The memory the rows would take is counted before any is made.
    void makeRoomFor(const std::vector<delimited::RawField>& fields)
    {
        const std::size_t columns = m_table.m_impl->columns.size();
        std::size_t columnsNeeded = columns;
        for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
            if (columnsNeeded < i + 2) {
                ++columnsNeeded;
            }
        }
        if (columnsNeeded > static_cast<std::size_t>(ResultTable::kMaxColumns)) {
            throw EResultListError("Cannot load " + m_name + ": a record has " +
                                   std::to_string(fields.size()) + " fields, more than the " +
                                   std::to_string(ResultTable::kMaxColumns) + " columns a table can hold");
        }
        // What a row costs: the row and its place in the order, a text
        // reference per field, and each text twice (a caption's sort key may
        // be as long).
        m_memoryNeeded += sizeof(ResultRow) + 2 * sizeof(void*) + sizeof(ArenaText) * fields.size();
        for (const delimited::RawField& field : fields) {
            m_memoryNeeded += 2 * field.text.size();
        }
        if (m_memoryNeeded > m_memoryLimit) {
            dropPending();
            throw EResultListError("Cannot load " + m_name + ": its rows would take more than the " +
                                   std::to_string(m_memoryLimit >> 20) + " MiB of memory there is room for");
        }
        if (columnsNeeded > columns) {
            flush(); // rows before this line come before the columns
            m_table.addColumnsUpTo(static_cast<int>(columnsNeeded));
        }
    }

    // Unquoted fields are stored straight from the read buffer.
    void fillRow(ResultRow& row, const std::vector<delimited::RawField>& fields)
    {
        std::size_t count = fields.size();
        if (count > 1 && !fields.back().quoted && fields.back().text.empty()) {
            --count; // the line ends with the delimiter: no last field
        }
        m_subItems.clear();
        if (m_decoded.size() < count) {
            m_decoded.resize(count);
        }
        // A text the writer marked so that spreadsheets show it as text loses the mark.
        for (std::size_t i = 1; i < count; ++i) {
            const delimited::RawField& field = fields[i];
            if (field.quoted) {
                delimited::decodeField(field, m_decoded[i]);
                m_subItems.push_back(delimited::withoutTextMark(m_decoded[i]));
            } else {
                m_subItems.push_back(delimited::withoutTextMark(field.text));
            }
        }
        std::string_view captionText = fields[0].text;
        if (fields[0].quoted) {
            delimited::decodeField(fields[0], m_caption);
            captionText = m_caption;
        }
        m_table.setCaptionText(row, delimited::withoutTextMark(captionText));
        m_table.setSubItems(row, m_subItems);
    }

    ResultTable& m_table;
    std::string m_name;
    std::size_t m_memoryLimit;
    std::size_t m_memoryNeeded = 0;
    std::vector<ResultRow*> m_pending;
    std::string m_caption;
    std::vector<std::string> m_decoded;
    std::vector<std::string_view> m_subItems;
};

namespace {

// The file's first block, checked to be text before any row changes.
InputBuffer openTextInput(std::FILE* file, const std::filesystem::path& fileName)
{
    std::error_code ec;
    const std::uintmax_t fileSize = std::filesystem::file_size(fileName, ec);
    InputBuffer input(file, fileName.string(),
                      ec ? kReadChunk
                         : static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, kReadChunk)));
    input.start();
    // A workbook goes to the spreadsheet import instead.
    if (!delimited::looksLikeText(input.data())) {
        throw EResultListError("Cannot load " + fileName.string() + ": it is not a text file");
    }
    input.dropStrayNuls();
    return input;
}

char detectDelimiter(InputBuffer& input)
{
    delimited::FirstLines lines;
    while (!delimited::firstTwoLines(input.data(), input.atEnd(), lines)) {
        input.fill();
    }
    const char delimiter = delimited::detectDelimiter(lines.first, lines.second);
    if (delimiter != 0) {
        return delimiter;
    }
    while (!input.atEnd() && input.data().size() < delimited::kDetectionWindow) {
        input.fill();
    }
    return delimited::delimiterOfRecords(input.data(), input.atEnd());
}

// Hands every record to `rows`; the first is a header, or skipped when it
// repeats the table's captions.
void readRecords(InputBuffer& input, char delimiter, const ResultTable& table, DelimitedRows& rows)
{
    std::vector<delimited::RawField> fields;
    bool firstRecord = true;
    for (;;) {
        const delimited::ScanResult scan =
            delimited::scanRecord(input.data(), input.atEnd(), delimiter, fields);
        if (scan.status == delimited::ScanStatus::NeedMoreData) {
            input.fill();
            continue;
        }
        if (scan.status == delimited::ScanStatus::EndOfInput) {
            return;
        }
        // `fields` views the buffer: use them before the next fill.
        if (firstRecord && table.LoadHeader()) {
            rows.header(fields);
        } else if (!(firstRecord && table.isCaptionRow(delimited::headerCaptions(fields)))) {
            rows.add(fields);
        }
        firstRecord = false;
        input.consume(scan.consumed);
    }
}

} // namespace

void ResultTable::LoadFromDelimitedFile(const std::filesystem::path& fileName)
{
    FilePtr file = openDelimitedFile(fileName);
    InputBuffer input = openTextInput(file.get(), fileName);
    if (m_delimiter == 0) {
        m_delimiter = detectDelimiter(input);
    }
    DelimitedRows rows(*this, fileName.string());
    BulkUpdate bulk(*this);
    try {
        if (m_loadHeader) {
            Clear();
        }
        readRecords(input, m_delimiter != 0 ? m_delimiter : ',', *this, rows);
        rows.flush();
        // Both after the rows were added: the caller shows the message and counts them.
        const std::string nuls = input.droppedNuls() == 1
                                     ? "1 NUL byte, which is not text"
                                     : std::to_string(input.droppedNuls()) + " NUL bytes, which are not text";
        if (input.binaryFrom() != 0) {
            throw EResultListError("Cannot load " + fileName.string() + ": it is not text from byte " +
                                   std::to_string(input.binaryFrom()) +
                                   " on; the lines before that were loaded" +
                                   (input.droppedNuls() != 0 ? ", without " + nuls : ""));
        }
        if (input.droppedNuls() != 0) {
            throw EResultListError("Loaded " + fileName.string() + " without " + nuls);
        }
    } catch (...) {
        // Keep what was read; the bulk update and the file close on the way out.
        rows.keepWhatWasRead();
        throw;
    }
    bulk.end();
}

} // namespace ostrevo
