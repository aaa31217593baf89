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

// The file read in large blocks; the unread rest stays in front when more is
// read, and the buffer grows for a record longer than itself.
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
    // Where the text ended at a NUL byte after the first block; 0 if it did not.
    std::uint64_t binaryFrom() const { return m_binaryFrom; }
    void consume(std::size_t count) { m_begin += count; }

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
        if (m_end == m_capacity) {
            std::unique_ptr<char[]> larger(new char[m_capacity * 2]);
            std::memcpy(larger.get(), m_buffer.get(), m_end);
            m_buffer = std::move(larger);
            m_capacity *= 2;
        }
        const std::size_t wanted = m_capacity - m_end;
        errno = 0;
        char* fresh = m_buffer.get() + m_end;
        const std::size_t got = std::fread(fresh, 1, wanted, m_file);
        // The first block is judged as a whole before any row changes; a NUL
        // byte further on ends the text at the line before it.
        const void* nul = m_read > 0 ? std::memchr(fresh, 0, got) : nullptr;
        if (nul != nullptr) {
            const auto* cut = static_cast<const char*>(nul);
            m_binaryFrom = m_read + static_cast<std::uint64_t>(cut - fresh) + 1;
            const char* unread = m_buffer.get() + m_begin;
            while (cut > unread && cut[-1] != '\n' && cut[-1] != '\r') {
                --cut;
            }
            m_end = static_cast<std::size_t>(cut - m_buffer.get());
            m_atEnd = true;
            return;
        }
        m_read += got;
        m_end += got;
        if (got < wanted) {
            if (std::ferror(m_file)) {
                const int error = errno != 0 ? errno : EIO;
                throw RuntimeError("Cannot read file " + m_name + ": " + std::strerror(error));
            }
            m_atEnd = true;
        }
    }

private:
    std::FILE* m_file;
    std::string m_name;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::uint64_t m_read = 0;       // bytes read from the file so far
    std::uint64_t m_binaryFrom = 0; // the first NUL byte's position, counted from 1
    bool m_atEnd = false;
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
        // What a row costs: the row and its place in the order, a view per
        // field, and each text twice (a caption's sort key may be as long).
        m_memoryNeeded += 128 + 16 * fields.size();
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
        for (std::size_t i = 1; i < count; ++i) {
            const delimited::RawField& field = fields[i];
            if (field.quoted) {
                delimited::decodeField(field, m_decoded[i]);
                m_subItems.emplace_back(m_decoded[i]);
            } else {
                m_subItems.push_back(field.text);
            }
        }
        std::string_view captionText = fields[0].text;
        if (fields[0].quoted) {
            delimited::decodeField(fields[0], m_caption);
            captionText = m_caption;
        }
        m_table.setCaptionText(row, captionText);
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
    input.fill();
    // A workbook goes to the spreadsheet import instead.
    if (!delimited::looksLikeText(input.data())) {
        throw EResultListError("Cannot load " + fileName.string() + ": it is not a text file");
    }
    return input;
}

char detectDelimiter(InputBuffer& input)
{
    delimited::FirstLines lines;
    while (!delimited::firstTwoLines(input.data(), input.atEnd(), lines)) {
        input.fill();
    }
    return delimited::detectDelimiter(lines.first, lines.second);
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
        if (input.binaryFrom() != 0) {
            throw EResultListError("Cannot load " + fileName.string() + ": it is not text from byte " +
                                   std::to_string(input.binaryFrom()) +
                                   " on; the lines before that were loaded");
        }
    } catch (...) {
        // Keep what was read; the bulk update and the file close on the way out.
        rows.keepWhatWasRead();
        throw;
    }
    bulk.end();
}

} // namespace ostrevo
