// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultfiles.h"

#include "platform/replacingfile.h"
#include "resultlist/resulttable.h"

#include <stdexcept>

namespace ostrevo {

namespace {

std::string lowerExtension(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of('/');
    const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = base.find_last_of('.');
    std::string extension(dot == std::string_view::npos ? std::string_view() : base.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

} // namespace

ResultFileFormat resultFileFormatFor(std::string_view fileName)
{
    const std::string extension = lowerExtension(fileName);
    if (extension == "htm" || extension == "html") {
        return ResultFileFormat::HtmlPage;
    }
    if (extension == "xml") {
        return ResultFileFormat::Xml;
    }
    if (extension == "xlsx") {
        return ResultFileFormat::Workbook;
    }
    return ResultFileFormat::Delimited;
}

bool guardsFormulas(std::string_view fileName)
{
    const std::string extension = lowerExtension(fileName);
    return extension == "csv" || extension == "xls";
}

void saveResults(const ResultTable& table, const std::filesystem::path& fileName, int currentYear)
{
    const ResultFileFormat format = resultFileFormatFor(fileName.native());
    if (format == ResultFileFormat::Delimited) {
        table.SaveToDelimitedFile(fileName, guardsFormulas(fileName.native())
                                                ? ResultTable::FormulaCells::AsText
                                                : ResultTable::FormulaCells::AsTheyStand);
        return;
    }
    if (table.ColumnCount() == 0 || table.RowCount() == 0) {
        return;
    }
    replaceFile(fileName, resultsDocument(format, table, currentYear));
}

std::string resultsDocument(ResultFileFormat format, const ResultTable& table, int currentYear)
{
    switch (format) {
    case ResultFileFormat::HtmlPage:
        return resultsHtmlPage(table, currentYear);
    case ResultFileFormat::Xml:
        return resultsXml(table);
    case ResultFileFormat::Workbook:
        return resultsWorkbook(table, currentYear);
    case ResultFileFormat::Delimited:
        break;
    }
    throw std::logic_error("delimited results are written by the table itself");
}

} // namespace ostrevo
