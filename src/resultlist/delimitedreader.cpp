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

void ResultTable::LoadFromDelimitedFile(const std::filesystem::path& fileName)
{
    FilePtr file = openDelimitedFile(fileName);
    std::error_code ec;
    const std::uintmax_t fileSize = std::filesystem::file_size(fileName, ec);
    InputBuffer input(file.get(), fileName.string(),
                      ec ? kReadChunk
                         : static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, kReadChunk)));
    input.fill();
    // Checked before any row changes; a workbook goes to the spreadsheet import instead.
    if (!delimited::looksLikeText(input.data())) {
        throw EResultListError("Cannot load " + fileName.string() + ": it is not a text file");
    }
    if (m_delimiter == 0) {
        delimited::FirstLines lines;
        while (!delimited::firstTwoLines(input.data(), input.atEnd(), lines)) {
            input.fill();
        }
        m_delimiter = delimited::detectDelimiter(lines.first, lines.second);
    }
    const char delimiter = m_delimiter != 0 ? m_delimiter : ',';

    std::vector<ResultRow*> pending;
    pending.reserve(kRowsPerBatch);
    // Made rows go to the table batch by batch; until then the load owns them.
    const auto dropPending = [&]() noexcept {
        for (ResultRow* row : pending) {
            dropRow(row);
        }
        pending.clear();
    };
    std::string caption;
    std::vector<std::string> decoded;
    std::vector<std::string_view> subItems;

    const std::string name = fileName.string();
    const std::size_t memoryLimit = m_loadMemoryLimit != 0 ? m_loadMemoryLimit : loadingMemoryBudget();
    std::size_t memoryNeeded = 0;

    // One record becomes one row; fields that are not last make
    // room for the field after them, as columns for the next field. The
    // columns a record needs are added at once: each change of the columns
    // resets the views, and one per field would cost quadratic time.
    const auto addRecord = [&](const std::vector<delimited::RawField>& fields) {
        // A quoted field's text runs to its closing quote.
        const auto isEmpty = [](const delimited::RawField& f) {
            return f.text.empty() || (f.quoted && f.text == "\"");
        };
        if (std::all_of(fields.begin(), fields.end(), isEmpty)) {
            return; // an empty line, or delimiters only: no row
        }
        std::size_t columnsNeeded = m_impl->columns.size();
        for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
            if (columnsNeeded < i + 2) {
                ++columnsNeeded;
            }
        }
        if (columnsNeeded > static_cast<std::size_t>(kMaxColumns)) {
            throw EResultListError("Cannot load " + name + ": a record has " + std::to_string(fields.size()) +
                                   " fields, more than the " + std::to_string(kMaxColumns) +
                                   " columns a table can hold");
        }
        // What a row costs: the row and its place in the order, a view per
        // field, and each text twice (a caption's sort key may be as long).
        memoryNeeded += 128 + 16 * fields.size();
        for (const delimited::RawField& field : fields) {
            memoryNeeded += 2 * field.text.size();
        }
        if (memoryNeeded > memoryLimit) {
            dropPending();
            throw EResultListError("Cannot load " + name + ": its rows would take more than the " +
                                   std::to_string(memoryLimit >> 20) + " MiB of memory there is room for");
        }
        if (columnsNeeded > m_impl->columns.size()) {
            appendRows(pending); // rows before this line come before the columns
            addColumnsUpTo(static_cast<int>(columnsNeeded));
        }
        std::size_t count = fields.size();
        if (count > 1 && !fields.back().quoted && fields.back().text.empty()) {
            --count; // the line ends with the delimiter: no last field
        }
        // Unquoted fields are stored straight from the read buffer.
        subItems.clear();
        if (decoded.size() < count) {
            decoded.resize(count);
        }
        for (std::size_t i = 1; i < count; ++i) {
            const delimited::RawField& field = fields[i];
            if (field.quoted) {
                delimited::decodeField(field, decoded[i]);
                subItems.emplace_back(decoded[i]);
            } else {
                subItems.push_back(field.text);
            }
        }
        std::string_view captionText = fields[0].text;
        if (fields[0].quoted) {
            delimited::decodeField(fields[0], caption);
            captionText = caption;
        }
        ResultRow* row = makeRow();
        try {
            setCaptionText(*row, captionText);
            setSubItems(*row, subItems);
        } catch (...) {
            dropRow(row);
            throw;
        }
        pending.push_back(row); // reserved for a whole batch
    };

    BulkUpdate bulk(*this);
    try {
        if (m_loadHeader) {
            Clear();
        }
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
                break;
            }
            // `fields` views the buffer: use them before the next fill.
            if (firstRecord && m_loadHeader) {
                addColumns(delimited::headerCaptions(fields));
            } else if (!(firstRecord && isCaptionRow(delimited::headerCaptions(fields)))) {
                addRecord(fields);
            }
            firstRecord = false;
            input.consume(scan.consumed);
            if (pending.size() >= kRowsPerBatch) {
                appendRows(pending);
            }
        }
        appendRows(pending);
        if (input.binaryFrom() != 0) {
            throw EResultListError("Cannot load " + fileName.string() + ": it is not text from byte " +
                                   std::to_string(input.binaryFrom()) +
                                   " on; the lines before that were loaded");
        }
    } catch (...) {
        // Keep what was read; the bulk update and the file close on the way out.
        try {
            appendRows(pending);
        } catch (...) {
            dropPending();
        }
        throw;
    }
    bulk.end();
}

} // namespace ostrevo
