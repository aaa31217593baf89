// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/rowoutput.h"

#include "cli/standardoutput.h"
#include "expired/resultfiles.h"
#include "platform/errors.h"
#include "platform/replacingfile.h"
#include "resultlist/delimitedformat.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include <optional>

namespace ostrevo::cli {

namespace {

constexpr char Delimiter = ',';
constexpr std::string_view LineEnd = "\r\n";

std::string siteOf(const LookupRow& row)
{
    return "http://" + row.host;
}

// Delimited text as the save writes it: the captions, then one record a row.
class DelimitedRows final : public RowOutput {
public:
    DelimitedRows(const std::string& target, bool guardFormulas) : m_guardFormulas(guardFormulas)
    {
        if (target != "-") {
            m_file.emplace(target);
        }
        std::string header;
        for (const ResultField field : ResultFields) {
            if (field != ResultField::Site) {
                header.push_back(Delimiter);
            }
            delimited::appendField(header, captionOf(field), Delimiter, false, m_guardFormulas);
        }
        write(header.append(LineEnd));
    }

    void add(const LookupRow& row) override
    {
        std::string record;
        delimited::appendField(record, siteOf(row), Delimiter, false, m_guardFormulas);
        record.push_back(Delimiter);
        delimited::appendField(record, row.email, Delimiter, false, m_guardFormulas);
        record.push_back(Delimiter);
        delimited::appendField(record, row.expires, Delimiter, true, m_guardFormulas);
        write(record.append(LineEnd));
        ++m_rows;
    }

    void finish() override
    {
        if (m_file) {
            m_file->commit();
        }
    }

    std::size_t rowCount() const override { return m_rows; }

private:
    void write(std::string_view text)
    {
        if (m_file) {
            m_file->write(text);
            return;
        }
        // A row at a time: a reader at the other end of a pipe sees each row as it is found.
        writeStandardOutput(text);
    }

    std::optional<ReplacingFile> m_file;
    bool m_guardFormulas;
    std::size_t m_rows = 0;
};

// The formats written whole: the rows are kept in a table until the end.
class TableRows final : public RowOutput {
public:
    TableRows(const std::string& target, ResultFileFormat format, int currentYear)
        : m_target(target), m_format(format), m_currentYear(currentYear)
    {
        // Refuses an unwritable place now rather than after the run.
        ReplacingFile probe(m_target);
        setUpResultColumns(m_table);
        m_table.SetSortType(SortType::stBoth);
        m_table.BeginBulkUpdate();
    }

    void add(const LookupRow& row) override
    {
        ResultRow& added = m_table.AddRow();
        added.SetCaption(siteOf(row));
        added.AppendSubItem(row.email);
        added.AppendSubItem(row.expires);
    }

    void finish() override
    {
        m_table.EndBulkUpdate();
        replaceFile(m_target, resultsDocument(m_format, m_table, m_currentYear));
    }

    std::size_t rowCount() const override { return static_cast<std::size_t>(m_table.RowCount()); }

private:
    std::string m_target;
    ResultFileFormat m_format;
    int m_currentYear;
    ResultTable m_table;
};

} // namespace

std::unique_ptr<RowOutput> openRowOutput(const std::string& target, int currentYear)
{
    const ResultFileFormat format = target == "-" ? ResultFileFormat::Delimited : resultFileFormatFor(target);
    if (format == ResultFileFormat::Delimited) {
        return std::make_unique<DelimitedRows>(target, target != "-" && guardsFormulas(target));
    }
    return std::make_unique<TableRows>(target, format, currentYear);
}

} // namespace ostrevo::cli
