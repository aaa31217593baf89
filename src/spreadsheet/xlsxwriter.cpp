// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsxwriter.h"

#include "platform/errors.h"
#include "spreadsheet/spreadsheetaddress.h"
#include "textscan/markuptext.h"

#include <zip.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>

namespace ostrevo {

namespace {

// A cell holds at most this many UTF-16 units.
constexpr std::size_t kMaxCellCharacters = 32767;

constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationshipType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// Cell styles (cellXfs below): plain, then the three date formats; the same
// four again in bold; then the coloured ones.
constexpr int kPlainStyles = 8;
constexpr const char* kNumberFormats[] = {"0", "164", "165", "166"};

// Spreadsheet programs hold at most about 64000 cell styles.
constexpr std::size_t kMaxColouredStyles = 60000;

std::string argb(std::uint32_t rgb)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "FF";
    for (int shift = 20; shift >= 0; shift -= 4) {
        text.push_back(kHex[(rgb >> shift) & 0xFu]);
    }
    return text;
}

int styleOf(const CellValue& value, bool bold)
{
    int style = bold ? 4 : 0;
    if (const auto* date = std::get_if<SheetDateTime>(&value)) {
        style += date->part == SheetDateTime::Part::Date       ? 1
                 : date->part == SheetDateTime::Part::DateTime ? 2
                                                               : 3;
    }
    return style;
}

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<std::uint8_t>(c);
        units += (byte & 0xC0u) != 0x80u ? 1 : 0; // a lead byte or ASCII
        units += byte >= 0xF0u ? 1 : 0;           // beyond U+FFFF: a surrogate pair
    }
    return units;
}

// SpreadsheetML carries control characters as _xHHHH_, so an underscore
// that would read as such an escape is escaped itself (_x005F_).
std::string escapedCellText(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto looksEscaped = [&](std::size_t i) {
        if (i + 6 >= text.size() || text[i + 1] != 'x' || text[i + 6] != '_') {
            return false;
        }
        for (std::size_t k = i + 2; k < i + 6; ++k) {
            const char c = text[k];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
                return false;
            }
        }
        return true;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') ||
            (byte == '_' && looksEscaped(i))) {
            out.append("_x00");
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
            out.push_back('_');
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string workbookPart(std::string_view sheetName)
{
    std::string part(kXmlDeclaration);
    part.append("<workbook xmlns=\"")
        .append(kMainNamespace)
        .append("\" xmlns:r=\"")
        .append(kRelationshipType);
    part.append("\"><sheets><sheet name=\"");
    appendMarkupText(part, sheetName);
    part.append("\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    return part;
}

template <typename ColouredStyles> std::string stylesPart(const ColouredStyles& coloured)
{
    const std::string fonts = std::to_string(2 + coloured.size());
    const std::string styles = std::to_string(kPlainStyles + coloured.size());
    std::string part(kXmlDeclaration);
    part.append("<styleSheet xmlns=\"").append(kMainNamespace).append("\">");
    part.append("<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/>"
                "<numFmt numFmtId=\"165\" formatCode=\"yyyy/mm/dd hh:mm:ss\"/>"
                "<numFmt numFmtId=\"166\" formatCode=\"hh:mm:ss\"/></numFmts>");
    // Fonts and fills 0 and 1 are the plain ones; each coloured style has a
    // font and a fill of its own after them.
    part.append("<fonts count=\"" + fonts +
                "\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font>");
    for (const auto& style : coloured) {
        part.append(style.plainStyle >= 4 ? "<font><b/>" : "<font>");
        part.append("<sz val=\"11\"/><color rgb=\"" + argb(style.colours.text) +
                    "\"/><name val=\"Calibri\"/></font>");
    }
    part.append("</fonts><fills count=\"" + fonts +
                "\"><fill><patternFill patternType=\"none\"/></fill>"
                "<fill><patternFill patternType=\"gray125\"/></fill>");
    for (const auto& style : coloured) {
        part.append("<fill><patternFill patternType=\"solid\"><fgColor rgb=\"" + argb(style.colours.fill) +
                    "\"/><bgColor indexed=\"64\"/></patternFill></fill>");
    }
    part.append(
        "</fills><borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs>"
        "<cellXfs count=\"" +
        styles + "\">");
    const auto xf = [&](const char* format, std::size_t font, std::size_t fill) {
        part.append("<xf numFmtId=\"").append(format).append("\" fontId=\"").append(std::to_string(font));
        part.append("\" fillId=\"").append(std::to_string(fill));
        part.append("\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\" applyFont=\"1\"");
        part.append(fill != 0 ? " applyFill=\"1\"/>" : "/>");
    };
    for (const std::size_t font : {0u, 1u}) {
        for (const char* format : kNumberFormats) {
            xf(format, font, 0);
        }
    }
    for (std::size_t i = 0; i < coloured.size(); ++i) {
        xf(kNumberFormats[coloured[i].plainStyle % 4], 2 + i, 2 + i);
    }
    part.append("</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
                "</cellStyles></styleSheet>");
    return part;
}

const std::string kContentTypes =
    std::string(kXmlDeclaration) +
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>";

const std::string kPackageRelationships =
    std::string(kXmlDeclaration) +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"" +
    std::string(kRelationshipType) + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";

const std::string kWorkbookRelationships =
    std::string(kXmlDeclaration) +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"" +
    std::string(kRelationshipType) +
    "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"" +
    std::string(kRelationshipType) + "/styles\" Target=\"styles.xml\"/></Relationships>";

[[noreturn]] void zipFailed(const char* what, zip_error_t* error)
{
    throw RuntimeError(std::string("Cannot make the workbook (") + what + "): " + zip_error_strerror(error));
}

// The parts as a zip archive, made in memory.
std::string zipped(const std::vector<std::pair<const char*, const std::string*>>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    const std::unique_ptr<zip_source_t, decltype(&zip_source_free)> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &error), &zip_source_free);
    if (!buffer) {
        zipFailed("buffer", &error);
    }
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zipFailed("archive", &error);
    }
    zip_source_keep(buffer.get()); // the archive's close would free it otherwise
    const auto fail = [&](const char* what) {
        zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)),
                      zip_error_code_system(zip_get_error(archive)));
        zip_discard(archive);
        zipFailed(what, &error);
    };
    for (const auto& [name, data] : parts) {
        zip_source_t* source = zip_source_buffer(archive, data->data(), data->size(), 0);
        if (source == nullptr) {
            fail(name);
        }
        if (zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            fail(name);
        }
    }
    if (zip_close(archive) < 0) {
        fail("close");
    }
    std::string bytes;
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0) {
        zipFailed("result", zip_source_error(buffer.get()));
    }
    bytes.resize(static_cast<std::size_t>(stat.size));
    const zip_int64_t got = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (got != static_cast<zip_int64_t>(stat.size)) {
        zipFailed("result", zip_source_error(buffer.get()));
    }
    return bytes;
}

bool hasDateSerial(const SheetDateTime& dateTime)
{
    using namespace std::chrono;
    const year_month_day date{year{dateTime.year}, month{static_cast<unsigned>(dateTime.month)},
                              day{static_cast<unsigned>(dateTime.day)}};
    return dateTime.part == SheetDateTime::Part::Time ||
           (date.ok() && dateTime.year >= 1900 && dateTime.year <= 9999);
}

} // namespace

double DateSerial(const SheetDateTime& dateTime)
{
    using namespace std::chrono;
    double days = 0;
    if (dateTime.part != SheetDateTime::Part::Time) {
        const sys_days date{year{dateTime.year} / month{static_cast<unsigned>(dateTime.month)} /
                            day{static_cast<unsigned>(dateTime.day)}};
        days = static_cast<double>((date - sys_days{1899y / December / 30}).count());
        if (days < 61) {
            --days; // before the fictitious 29 February 1900
        }
    }
    return days + (dateTime.hour * 3600 + dateTime.minute * 60 + dateTime.second) / 86400.0;
}

XlsxWriter::XlsxWriter(std::string sheetName, std::vector<double> columnWidths)
    : m_sheetName(std::move(sheetName)), m_columnWidths(std::move(columnWidths))
{}

int XlsxWriter::colouredStyle(const CellColours& colours, int plainStyle)
{
    const ColouredStyle wanted{colours, plainStyle};
    for (std::size_t i = 0; i < m_colouredStyles.size(); ++i) {
        if (m_colouredStyles[i] == wanted) {
            return kPlainStyles + static_cast<int>(i);
        }
    }
    if (m_colouredStyles.size() >= kMaxColouredStyles) {
        throw RuntimeError("A workbook holds at most " + std::to_string(kMaxColouredStyles) +
                           " cell colours");
    }
    m_colouredStyles.push_back(wanted);
    return kPlainStyles + static_cast<int>(m_colouredStyles.size()) - 1;
}

void XlsxWriter::addRow(std::span<const CellValue> cells, bool bold,
                        std::span<const std::optional<CellColours>> colours)
{
    if (m_rows >= kSheetMaxRows) {
        throw RuntimeError("A workbook's sheet holds at most " + std::to_string(kSheetMaxRows) + " rows");
    }
    if (cells.size() > static_cast<std::size_t>(kSheetMaxColumns)) {
        throw RuntimeError("A workbook's sheet holds at most " + std::to_string(kSheetMaxColumns) +
                           " columns");
    }
    const std::string row = std::to_string(++m_rows);
    m_sheetData.append("<row r=\"").append(row).append("\">");
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const auto* date = std::get_if<SheetDateTime>(&cells[k]);
        // Day numbers start in 1900: an earlier date stays a text.
        const CellValue value = date && !hasDateSerial(*date) ? CellValue(DateTimeText(*date)) : cells[k];
        const bool text = std::holds_alternative<std::string>(value);
        const std::optional<CellColours> colour = k < colours.size() ? colours[k] : std::nullopt;
        const bool empty = std::holds_alternative<std::monostate>(value) ||
                           std::holds_alternative<CellError>(value) ||
                           (text && std::get<std::string>(value).empty());
        const int style = colour ? colouredStyle(*colour, styleOf(value, bold)) : styleOf(value, bold);
        if (empty && !colour) {
            continue;
        }
        m_sheetData.append("<c r=\"").append(ColumnLetters(static_cast<int>(k) + 1)).append(row);
        m_sheetData.append("\" s=\"").append(std::to_string(style)).append("\"");
        if (empty) {
            m_sheetData.append("/>");
            continue;
        }
        if (const auto* string = std::get_if<std::string>(&value)) {
            if (utf16Length(*string) > kMaxCellCharacters) {
                throw RuntimeError("A workbook's cell holds at most " + std::to_string(kMaxCellCharacters) +
                                   " characters; row " + row + " has a longer text");
            }
            m_sheetData.append(" t=\"inlineStr\"><is><t xml:space=\"preserve\">");
            appendMarkupText(m_sheetData, escapedCellText(*string));
            m_sheetData.append("</t></is></c>");
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            m_sheetData.append(" t=\"b\"><v>").append(*flag ? "1" : "0").append("</v></c>");
        } else {
            const double number = std::holds_alternative<double>(value)
                                      ? std::get<double>(value)
                                      : DateSerial(std::get<SheetDateTime>(value));
            m_sheetData.append("><v>").append(NumberText(number)).append("</v></c>");
        }
    }
    m_sheetData.append("</row>");
}

std::string XlsxWriter::finish() const
{
    std::string sheet(kXmlDeclaration);
    sheet.append("<worksheet xmlns=\"").append(kMainNamespace).append("\">");
    if (!m_columnWidths.empty()) {
        sheet.append("<cols>");
        for (std::size_t k = 0; k < m_columnWidths.size(); ++k) {
            const std::string column = std::to_string(k + 1);
            sheet.append("<col min=\"").append(column).append("\" max=\"").append(column);
            sheet.append("\" width=\"")
                .append(NumberText(m_columnWidths[k]))
                .append("\" customWidth=\"1\"/>");
        }
        sheet.append("</cols>");
    }
    sheet.append("<sheetData>").append(m_sheetData).append("</sheetData></worksheet>");
    const std::string workbook = workbookPart(m_sheetName);
    const std::string styles = stylesPart(m_colouredStyles);
    return zipped({{"[Content_Types].xml", &kContentTypes},
                   {"_rels/.rels", &kPackageRelationships},
                   {"xl/workbook.xml", &workbook},
                   {"xl/_rels/workbook.xml.rels", &kWorkbookRelationships},
                   {"xl/styles.xml", &styles},
                   {"xl/worksheets/sheet1.xml", &sheet}});
}

} // namespace ostrevo
