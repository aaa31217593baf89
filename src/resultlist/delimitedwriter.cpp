// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/replacingfile.h"
#include "resultlist/delimitedformat.h"
#include "resultlist/resulttableimpl.h"

namespace ostrevo {

namespace {
constexpr std::size_t kWriteChunk = std::size_t{1} << 20;
constexpr std::string_view kLineEnd = "\r\n";
} // namespace

void ResultTable::SaveToDelimitedFile(const std::filesystem::path& fileName, FormulaCells formulas) const
{
    const std::size_t columns = m_impl->columns.size();
    if (columns == 0 || m_impl->rows.size() == 0) {
        return; // nothing to save: an existing file stays as it is
    }
    const char delimiter = m_delimiter != 0 ? m_delimiter : ',';
    const bool asText = formulas == FormulaCells::AsText;
    ReplacingFile file(fileName);
    std::string buffer;
    buffer.reserve(kWriteChunk + 4096);

    if (m_saveHeader) {
        // Captions up to the last one with text: empty ones after it would
        // make a line of doubled delimiters that detection cannot take for
        // the header of the rows below. The rows bring their columns back.
        std::size_t named = columns;
        while (named > 0 && m_impl->columns[named - 1].Caption.empty()) {
            --named;
        }
        for (std::size_t k = 0; k < named; ++k) {
            if (k > 0) {
                buffer.push_back(delimiter);
            }
            delimited::appendField(buffer, m_impl->columns[k].Caption, delimiter, false, asText);
        }
        buffer.append(kLineEnd);
    }

    const auto writeRow = [&](const ResultRow& row) {
        // Every sub-item, also beyond the columns: a save loses no field.
        const std::size_t subItems = row.m_subItemCount;
        delimited::appendField(buffer, row.m_caption.view(), delimiter, false, asText);
        for (std::size_t j = 0; j < subItems; ++j) {
            buffer.push_back(delimiter);
            // An empty last field would read back as no field at all.
            delimited::appendField(buffer, row.m_subItems[j].view(), delimiter, j + 1 == subItems, asText);
        }
        buffer.append(kLineEnd);
    };
    m_impl->rows.forEachBlock([&](const std::vector<ResultRow*>& rows) {
        // Reading the sizes first, with no dependency between rows, lets the
        // processor fetch rows in parallel instead of one after the other;
        // it also sizes the buffer.
        std::size_t bytes = 0;
        for (const ResultRow* row : rows) {
            bytes += row->m_caption.view().size() + 2;
            for (std::uint32_t k = 0; k < row->m_subItemCount; ++k) {
                bytes += row->m_subItems[k].view().size() + 1;
            }
        }
        buffer.reserve(buffer.size() + bytes + bytes / 8);
        for (const ResultRow* row : rows) {
            writeRow(*row);
        }
        if (buffer.size() >= kWriteChunk) {
            file.write(buffer);
            buffer.clear();
        }
    });
    file.write(buffer);
    file.commit();
}

} // namespace ostrevo
