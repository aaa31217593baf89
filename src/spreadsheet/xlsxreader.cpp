// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsxreader.h"

#include "platform/filereading.h"
#include "spreadsheet/spreadsheetformat.h"
#include "spreadsheet/unreadableworkbook.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <zip.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrevo {

namespace {

using Token = QXmlStreamReader::TokenType;

// Parts are parsed as they are inflated, never held whole.
constexpr zip_uint64_t kReadChunk = 256 * 1024;
// The most inflated bytes the XML reader may hold without giving a token: a
// cell of the longest text, written with escapes, fits several times over.
constexpr std::size_t kMaxUnreadBytes = std::size_t{16} << 20;
// Deeper than any workbook's parts nest: millions of nested elements would
// otherwise fill the XML reader's stack of open elements.
constexpr int kMaxXmlDepth = 64;

UnreadableWorkbook cellTooLong()
{
    return UnreadableWorkbook("a cell holds more than " + std::to_string(SheetContents::kMaxCellCharacters) +
                              " characters");
}

std::string openReason(int error)
{
    switch (error) {
    case ZIP_ER_NOZIP:
        return "the file is damaged or is not an Excel workbook (it has no zip directory)";
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return "the file is damaged (its zip directory is inconsistent)";
    case ZIP_ER_MEMORY:
        return "there is not enough memory to read it";
    default: {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, error);
        std::string reason = std::string("the file cannot be read (") + zip_error_strerror(&zipError) + ")";
        zip_error_fini(&zipError);
        return reason;
    }
    }
}

class ZipArchive {
public:
    explicit ZipArchive(const std::filesystem::path& fileName)
    {
        // Opened as every file the program reads is: a regular file, without blocking.
        FilePtr file = openForReading(fileName);
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_filep_create(file.get(), 0, -1, &error);
        if (source == nullptr) {
            zip_error_fini(&error);
            throw UnreadableWorkbook(openReason(ZIP_ER_MEMORY));
        }
        file.release(); // the source closes it
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (m_zip == nullptr) {
            zip_source_free(source);
            const int code = zip_error_code_zip(&error);
            zip_error_fini(&error);
            throw UnreadableWorkbook(openReason(code));
        }
        zip_error_fini(&error);
    }
    ~ZipArchive() { zip_discard(m_zip); }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    zip_t* get() const { return m_zip; }

    // Part names compare without regard to case.
    std::optional<zip_uint64_t> locate(const std::string& partName) const
    {
        const zip_int64_t index = zip_name_locate(m_zip, partName.c_str(), ZIP_FL_NOCASE);
        return index < 0 ? std::nullopt : std::optional(static_cast<zip_uint64_t>(index));
    }

    UnreadableWorkbook damaged(const std::string& detail) const { return DamagedWorkbook(detail); }

private:
    zip_t* m_zip = nullptr;
};

// One XML part, read token by token while it is inflated. After the root
// element has closed, next() gives EndDocument.
class XmlPart {
public:
    XmlPart(const ZipArchive& zip, zip_uint64_t index, std::string name) : m_zip(zip), m_name(std::move(name))
    {
        m_file = zip_fopen_index(zip.get(), index, 0);
        if (m_file == nullptr) {
            throw m_zip.damaged(m_name + ": " + zip_strerror(zip.get()));
        }
    }
    ~XmlPart() { zip_fclose(m_file); }
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    QXmlStreamReader& reader() { return m_reader; }

    Token next()
    {
        if (m_done) {
            return Token::EndDocument;
        }
        for (;;) {
            const Token token = m_reader.readNext();
            if (token != Token::Invalid) {
                m_unread = 0;
            }
            switch (token) {
            case Token::StartElement:
                if (++m_depth > kMaxXmlDepth) {
                    throw damaged("its elements nest more than " + std::to_string(kMaxXmlDepth) + " deep");
                }
                return token;
            case Token::EndElement:
                m_done = --m_depth == 0;
                return token;
            case Token::EndDocument:
                m_done = true;
                return token;
            case Token::Invalid:
                if (m_reader.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_atEnd) {
                    feed();
                    continue;
                }
                throw m_zip.damaged(m_name + ", line " + std::to_string(m_reader.lineNumber()) + ": " +
                                    m_reader.errorString().toStdString());
            default:
                return token;
            }
        }
    }

    UnreadableWorkbook damaged(const std::string& detail) const
    {
        return m_zip.damaged(m_name + ": " + detail);
    }

private:
    void feed()
    {
        QByteArray chunk(static_cast<qsizetype>(kReadChunk), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(m_file, chunk.data(), kReadChunk);
        if (got < 0) {
            throw damaged(zip_error_strerror(zip_file_get_error(m_file)));
        }
        if (got == 0) {
            m_atEnd = true;
            return;
        }
        // A decompression bomb inflates to gigabytes of one text: refused
        // here, before the reader holds more than a few megabytes of it.
        m_unread += static_cast<std::size_t>(got);
        if (m_unread > kMaxUnreadBytes) {
            throw damaged("one of its items is larger than " + std::to_string(kMaxUnreadBytes >> 20) +
                          " MiB when inflated");
        }
        chunk.truncate(static_cast<qsizetype>(got));
        m_reader.addData(chunk);
    }

    const ZipArchive& m_zip;
    std::string m_name;
    zip_file_t* m_file = nullptr;
    QXmlStreamReader m_reader;
    int m_depth = 0;
    std::size_t m_unread = 0; // fed since the reader last gave a token
    bool m_atEnd = false;
    bool m_done = false;
};

// The text of the element just started, up to its end.
QString elementText(XmlPart& part)
{
    QString text;
    for (int depth = 1; depth > 0;) {
        const Token token = part.next();
        if (token == Token::StartElement) {
            ++depth;
        } else if (token == Token::EndElement) {
            --depth;
        } else if (token == Token::Characters) {
            // Usually one piece: take it whole rather than grow an empty string.
            if (text.isEmpty()) {
                text = part.reader().text().toString();
            } else {
                text += part.reader().text();
            }
            if (static_cast<std::size_t>(text.size()) > SheetContents::kMaxCellCharacters) {
                throw cellTooLong();
            }
        } else if (token == Token::EndDocument) {
            break;
        }
    }
    return text;
}

// The text of a string item (<si>, <is>): its <t> elements, runs included,
// without the phonetic reading (<rPh>).
QString richText(XmlPart& part)
{
    QString text;
    int phoneticDepth = 0;
    for (int depth = 1; depth > 0;) {
        const Token token = part.next();
        if (token == Token::StartElement) {
            ++depth;
            const QStringView name = part.reader().name();
            if (phoneticDepth == 0 && name == u"rPh") {
                phoneticDepth = depth;
            } else if (phoneticDepth == 0 && name == u"t") {
                text += elementText(part);
                if (static_cast<std::size_t>(text.size()) > SheetContents::kMaxCellCharacters) {
                    throw cellTooLong();
                }
                --depth;
            }
        } else if (token == Token::EndElement) {
            if (depth == phoneticDepth) {
                phoneticDepth = 0;
            }
            --depth;
        } else if (token == Token::EndDocument) {
            break;
        }
    }
    return text;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// SpreadsheetML writes characters XML cannot carry as _xHHHH_ (_x000D_ is a CR).
std::string decodedText(const QString& text)
{
    if (!text.contains(u"_x")) {
        return text.toStdString();
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_' &&
            isHexDigit(text[i + 2]) && isHexDigit(text[i + 3]) && isHexDigit(text[i + 4]) &&
            isHexDigit(text[i + 5])) {
            out += QChar(static_cast<char16_t>(QStringView(text).mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 7;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out.toStdString();
}

QStringView attribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1StringView(name));
}

// "r:id": the id in the relationships namespace, whatever its prefix.
QStringView relationshipId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == u"id" && !a.namespaceUri().isEmpty()) {
            return a.value();
        }
    }
    return {};
}

std::optional<int> parseInt(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::string directoryOf(const std::string& partName)
{
    const std::size_t slash = partName.rfind('/');
    return slash == std::string::npos ? std::string() : partName.substr(0, slash);
}

// A relationship target as a part name: relative to `baseDirectory` unless it
// starts with "/", with "." and ".." resolved.
std::string resolvePartName(const std::string& baseDirectory, QStringView target)
{
    const std::string text = target.toString().toStdString();
    const std::string path = !text.empty() && text.front() == '/' ? text.substr(1)
                             : baseDirectory.empty()              ? text
                                                                  : baseDirectory + '/' + text;
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& segment : segments) {
        resolved += (resolved.empty() ? "" : "/") + segment;
    }
    return resolved;
}

struct Relationship {
    QString id;
    QString type;
    std::string target; // part name
};

std::vector<Relationship> readRelationships(XmlPart& part, const std::string& baseDirectory)
{
    std::vector<Relationship> relationships;
    for (Token token = part.next(); token != Token::EndDocument; token = part.next()) {
        if (token != Token::StartElement || part.reader().name() != u"Relationship") {
            continue;
        }
        const QXmlStreamAttributes attributes = part.reader().attributes();
        if (attribute(attributes, "TargetMode") == u"External") {
            continue;
        }
        relationships.push_back({attribute(attributes, "Id").toString(),
                                 attribute(attributes, "Type").toString(),
                                 resolvePartName(baseDirectory, attribute(attributes, "Target"))});
    }
    return relationships;
}

const Relationship* relationshipOfType(const std::vector<Relationship>& relationships, QStringView typeEnd)
{
    for (const Relationship& relationship : relationships) {
        if (relationship.type.endsWith(typeEnd)) {
            return &relationship;
        }
    }
    return nullptr;
}
// The answer points into the list, so the list must outlive it.
const Relationship* relationshipOfType(std::vector<Relationship>&&, QStringView) = delete;

struct WorkbookInfo {
    bool date1904 = false;
    int activeTab = 0;
    // Relationship ids and names, in tab order; the first kMaxWorkbookSheets tabs only.
    std::vector<QString> sheetIds;
    std::vector<std::string> sheetNames;
};

bool isSpreadsheetMainNamespace(QStringView uri)
{
    return uri.isEmpty() || uri == u"http://schemas.openxmlformats.org/spreadsheetml/2006/main" ||
           uri == u"http://purl.oclc.org/ooxml/spreadsheetml/main";
}

WorkbookInfo readWorkbook(XmlPart& part)
{
    WorkbookInfo workbook;
    bool viewSeen = false;
    for (Token token = part.next(); token != Token::EndDocument; token = part.next()) {
        if (token != Token::StartElement) {
            continue;
        }
        const QStringView name = part.reader().name();
        const QXmlStreamAttributes attributes = part.reader().attributes();
        // Extension lists repeat the element in their own namespaces
        // (x14:workbookPr) without the date system.
        if (name == u"workbookPr" && isSpreadsheetMainNamespace(part.reader().namespaceUri())) {
            const QStringView date1904 = attribute(attributes, "date1904");
            workbook.date1904 = date1904 == u"1" || date1904 == u"true";
        } else if (name == u"workbookView" && !viewSeen) {
            viewSeen = true;
            workbook.activeTab = parseInt(attribute(attributes, "activeTab")).value_or(0);
        } else if (name == u"sheet" && workbook.sheetIds.size() < kMaxWorkbookSheets) {
            workbook.sheetIds.push_back(relationshipId(attributes).toString());
            workbook.sheetNames.push_back(attribute(attributes, "name").toString().toStdString());
        }
    }
    return workbook;
}

std::vector<std::string> readSharedStrings(XmlPart& part)
{
    std::vector<std::string> strings;
    std::size_t textBytes = 0;
    for (Token token = part.next(); token != Token::EndDocument; token = part.next()) {
        if (token == Token::StartElement && part.reader().name() == u"si") {
            // No sheet the import takes can use more.
            if (strings.size() >= SheetContents::kMaxCells) {
                throw UnreadableWorkbook("it holds more than " + std::to_string(SheetContents::kMaxCells) +
                                         " shared strings");
            }
            strings.push_back(decodedText(richText(part)));
            textBytes += strings.back().size();
            if (textBytes > SheetContents::kMaxTextBytes) {
                throw UnreadableWorkbook("its shared strings hold more than " +
                                         std::to_string(SheetContents::kMaxTextBytes >> 20) + " MiB of text");
            }
        }
    }
    return strings;
}

// What each cell style (the cell's "s") shows its number as.
std::vector<DateFormatKind> readStyles(XmlPart& part)
{
    std::map<int, DateFormatKind> customFormats;
    std::vector<int> styleFormats;
    bool inCellStyles = false;
    for (Token token = part.next(); token != Token::EndDocument; token = part.next()) {
        if (token == Token::EndElement && part.reader().name() == u"cellXfs") {
            inCellStyles = false;
        }
        if (token != Token::StartElement) {
            continue;
        }
        const QStringView name = part.reader().name();
        if (name == u"cellXfs") {
            inCellStyles = true;
        } else if (name == u"numFmt") {
            const QXmlStreamAttributes attributes = part.reader().attributes();
            if (const std::optional<int> id = parseInt(attribute(attributes, "numFmtId"))) {
                customFormats[*id] =
                    FormatCodeKind(attribute(attributes, "formatCode").toString().toStdString());
            }
        } else if (name == u"xf" && inCellStyles) {
            styleFormats.push_back(parseInt(attribute(part.reader().attributes(), "numFmtId")).value_or(0));
        }
    }
    std::vector<DateFormatKind> kinds;
    kinds.reserve(styleFormats.size());
    for (const int id : styleFormats) {
        const auto custom = customFormats.find(id);
        kinds.push_back(custom != customFormats.end() ? custom->second : BuiltInFormatKind(id));
    }
    return kinds;
}

enum class CellType { Number, SharedString, FormulaString, InlineString, Boolean, Error, Date };

CellType cellTypeOf(QStringView type)
{
    if (type.isEmpty() || type == u"n") {
        return CellType::Number;
    }
    if (type == u"s") {
        return CellType::SharedString;
    }
    if (type == u"str") {
        return CellType::FormulaString;
    }
    if (type == u"inlineStr") {
        return CellType::InlineString;
    }
    if (type == u"b") {
        return CellType::Boolean;
    }
    if (type == u"e") {
        return CellType::Error;
    }
    if (type == u"d") {
        return CellType::Date;
    }
    return CellType::FormulaString; // unknown: keep the text
}

std::optional<CellPosition> cellReference(QStringView reference)
{
    char buffer[16];
    if (reference.size() >= static_cast<qsizetype>(sizeof buffer)) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < reference.size(); ++i) {
        const char16_t c = reference[i].unicode();
        if (c > 0x7F) {
            return std::nullopt;
        }
        buffer[i] = static_cast<char>(c);
    }
    return ParseCellReference(std::string_view(buffer, static_cast<std::size_t>(reference.size())));
}

class SheetReader {
public:
    SheetReader(XmlPart& part, const WorkbookInfo& workbook, const std::vector<std::string>& sharedStrings,
                const std::vector<DateFormatKind>& styles, SheetContents& contents)
        : m_part(part), m_workbook(workbook), m_sharedStrings(sharedStrings), m_styles(styles),
          m_contents(contents)
    {}

    // With `firstValueOnly`, stops once a value is kept: enough to know the
    // sheet holds cells.
    void read(bool firstValueOnly = false)
    {
        bool inSheetData = false;
        for (Token token = m_part.next(); token != Token::EndDocument; token = m_part.next()) {
            if (token == Token::EndElement && m_part.reader().name() == u"sheetData") {
                inSheetData = false;
            }
            if (token != Token::StartElement) {
                continue;
            }
            const QStringView name = m_part.reader().name();
            if (name == u"sheetData") {
                inSheetData = true;
            } else if (inSheetData && name == u"row") {
                startRow();
            } else if (inSheetData && name == u"c") {
                readCell();
                if (firstValueOnly && m_contents.size() > 0) {
                    return;
                }
            }
        }
    }

private:
    void startRow()
    {
        const QStringView number = attribute(m_part.reader().attributes(), "r");
        if (number.isEmpty()) {
            ++m_row; // rows without a number follow the one before
        } else {
            const std::optional<int> row = parseInt(number);
            if (!row || *row < 1 || *row > kSheetMaxRows) {
                throw m_part.damaged("row number \"" + number.toString().toStdString() + "\" is not valid");
            }
            m_row = *row;
        }
        m_nextColumn = 1;
    }

    void readCell()
    {
        // Everything needed from the attributes, before reading on.
        CellPosition position{m_nextColumn, std::max(m_row, 1)};
        CellType type = CellType::Number;
        DateFormatKind format;
        for (const QXmlStreamAttribute& a : m_part.reader().attributes()) {
            const QStringView name = a.name();
            if (name == u"r") {
                const std::optional<CellPosition> reference = cellReference(a.value());
                if (!reference) {
                    throw m_part.damaged("cell reference \"" + a.value().toString().toStdString() +
                                         "\" is not valid");
                }
                position = *reference;
            } else if (name == u"t") {
                type = cellTypeOf(a.value());
            } else if (name == u"s") {
                const std::optional<int> style = parseInt(a.value());
                if (style && *style >= 0 && static_cast<std::size_t>(*style) < m_styles.size()) {
                    format = m_styles[static_cast<std::size_t>(*style)];
                }
            }
        }
        if (position.column > kSheetMaxColumns) {
            throw m_part.damaged("a row has more cells than a sheet has columns");
        }
        m_nextColumn = position.column + 1;

        QString value;
        bool hasValue = false;
        QString inlineText;
        bool hasInline = false;
        for (int depth = 1; depth > 0;) {
            const Token token = m_part.next();
            if (token == Token::StartElement) {
                const QStringView name = m_part.reader().name();
                if (depth == 1 && name == u"v") {
                    value = elementText(m_part);
                    hasValue = true;
                } else if (depth == 1 && name == u"is") {
                    inlineText = richText(m_part);
                    hasInline = true;
                } else {
                    ++depth;
                }
            } else if (token == Token::EndElement) {
                --depth;
            } else if (token == Token::EndDocument) {
                break;
            }
        }
        if (!hasValue && !hasInline) {
            return; // a cell with a style only
        }
        if (!m_contents.add(position,
                            valueOf(position, type, format, value, hasInline ? &inlineText : nullptr))) {
            throw UnreadableWorkbook(m_contents.refusal());
        }
    }

    CellValue valueOf(CellPosition position, CellType type, DateFormatKind format, const QString& value,
                      const QString* inlineText) const
    {
        const QStringView trimmed = QStringView(value).trimmed();
        switch (type) {
        case CellType::SharedString: {
            bool ok = false;
            const qlonglong index = trimmed.toLongLong(&ok);
            if (!ok || index < 0 || static_cast<std::size_t>(index) >= m_sharedStrings.size()) {
                throw m_part.damaged("cell " + ColumnLetters(position.column) + std::to_string(position.row) +
                                     " refers to shared string " + trimmed.toString().toStdString() +
                                     ", which does not exist");
            }
            return m_sharedStrings[static_cast<std::size_t>(index)];
        }
        case CellType::FormulaString:
        case CellType::InlineString:
            return decodedText(inlineText ? *inlineText : value);
        case CellType::Boolean:
            return trimmed == u"1" || trimmed == u"true";
        case CellType::Error:
            return CellError{};
        case CellType::Date: {
            std::optional<SheetDateTime> date = ParseIsoDateTime(trimmed.toString().toStdString());
            if (!date) {
                return value.toStdString();
            }
            if (format) {
                date->part = *format;
            } else if (date->hour == 0 && date->minute == 0 && date->second == 0) {
                date->part = SheetDateTime::Part::Date;
            }
            return *date;
        }
        case CellType::Number:
            break;
        }
        if (inlineText) {
            return decodedText(*inlineText);
        }
        bool ok = false;
        const double number = trimmed.toDouble(&ok);
        if (!ok) {
            return value.toStdString();
        }
        if (format) {
            if (const std::optional<SheetDateTime> date =
                    DateFromSerial(number, m_workbook.date1904, *format)) {
                return *date;
            }
        }
        return number;
    }

    XmlPart& m_part;
    const WorkbookInfo& m_workbook;
    const std::vector<std::string>& m_sharedStrings;
    const std::vector<DateFormatKind>& m_styles;
    SheetContents& m_contents;
    int m_row = 0;
    int m_nextColumn = 1;
};

// An open workbook: its parts shared by every sheet read once, its worksheets
// listed in tab order.
class XlsxBook {
public:
    explicit XlsxBook(const std::filesystem::path& fileName) : m_zip(fileName)
    {
        // The workbook part, as the package's relationships name it.
        std::string workbookName = "xl/workbook.xml";
        if (const auto index = m_zip.locate("_rels/.rels")) {
            XmlPart part(m_zip, *index, "_rels/.rels");
            // The lookup points into the list: keep the list alive while it is read.
            const auto relationships = readRelationships(part, {});
            if (const Relationship* main = relationshipOfType(relationships, u"/officeDocument")) {
                workbookName = main->target;
            }
        }
        if (workbookName.ends_with(".bin")) {
            throw UnreadableWorkbook(
                "it is an Excel binary workbook (.xlsb), which cannot be read; save it as .xlsx");
        }
        const auto workbookIndex = m_zip.locate(workbookName);
        if (!workbookIndex) {
            throw UnreadableWorkbook("it is a zip archive that holds no Excel workbook");
        }
        {
            XmlPart part(m_zip, *workbookIndex, workbookName);
            m_workbook = readWorkbook(part);
        }

        const std::string directory = directoryOf(workbookName);
        const std::string relationshipsName = (directory.empty() ? std::string() : directory + '/') +
                                              "_rels/" + workbookName.substr(workbookName.rfind('/') + 1) +
                                              ".rels";
        std::vector<Relationship> relationships;
        if (const auto index = m_zip.locate(relationshipsName)) {
            XmlPart part(m_zip, *index, relationshipsName);
            relationships = readRelationships(part, directory);
        }
        const auto worksheetOf = [&](const QString& id) -> const Relationship* {
            for (const Relationship& relationship : relationships) {
                if (relationship.id == id) {
                    return relationship.type.endsWith(u"/worksheet") ? &relationship : nullptr;
                }
            }
            return nullptr;
        };
        // The active tab, unless it is a chart: then the first worksheet.
        for (std::size_t tab = 0; tab < m_workbook.sheetIds.size(); ++tab) {
            if (const Relationship* sheet = worksheetOf(m_workbook.sheetIds[tab])) {
                if (tab == static_cast<std::size_t>(m_workbook.activeTab)) {
                    m_active = m_sheets.size();
                }
                m_sheets.push_back({m_workbook.sheetNames[tab], sheet->target});
            }
        }
        if (m_sheets.empty()) {
            throw UnreadableWorkbook("it holds no worksheet");
        }

        if (const Relationship* strings = relationshipOfType(relationships, u"/sharedStrings")) {
            if (const auto index = m_zip.locate(strings->target)) {
                XmlPart part(m_zip, *index, strings->target);
                m_sharedStrings = readSharedStrings(part);
            }
        }
        if (const Relationship* stylesPart = relationshipOfType(relationships, u"/styles")) {
            if (const auto index = m_zip.locate(stylesPart->target)) {
                XmlPart part(m_zip, *index, stylesPart->target);
                m_styles = readStyles(part);
            }
        }
    }

    std::size_t active() const { return m_active; }

    // Each sheet read up to its first value.
    std::vector<WorksheetSummary> summaries() const
    {
        std::vector<WorksheetSummary> summaries;
        for (std::size_t i = 0; i < m_sheets.size(); ++i) {
            SheetContents contents;
            bool holdsCells = true;
            try {
                read(i, contents, true);
                holdsCells = contents.size() > 0;
            } catch (const UnreadableWorkbook&) {
                // Offered all the same: the other sheets stay importable, and
                // picking this one tells why it is not.
            }
            summaries.push_back({m_sheets[i].name, holdsCells, i == m_active});
        }
        return summaries;
    }

    SheetContents read(std::size_t index) const
    {
        SheetContents contents;
        read(index, contents, false);
        return contents;
    }

private:
    struct Sheet {
        std::string name;
        std::string part;
    };

    void read(std::size_t index, SheetContents& contents, bool firstValueOnly) const
    {
        const std::string& name = m_sheets.at(index).part;
        const auto sheetIndex = m_zip.locate(name);
        if (!sheetIndex) {
            throw m_zip.damaged("the sheet " + name + " is missing");
        }
        XmlPart part(m_zip, *sheetIndex, name);
        SheetReader(part, m_workbook, m_sharedStrings, m_styles, contents).read(firstValueOnly);
    }

    ZipArchive m_zip;
    WorkbookInfo m_workbook;
    std::vector<Sheet> m_sheets;
    std::size_t m_active = 0;
    std::vector<std::string> m_sharedStrings;
    std::vector<DateFormatKind> m_styles;
};

} // namespace

SheetContents ReadXlsxSheet(const std::filesystem::path& fileName)
{
    return withImportErrors(fileName, [&] {
        const XlsxBook book(fileName);
        return book.read(book.active());
    });
}

WorkbookFile OpenXlsxWorkbook(const std::filesystem::path& fileName)
{
    return withImportErrors(fileName, [&] {
        auto book = std::make_shared<const XlsxBook>(fileName);
        WorkbookFile file;
        file.worksheets = book->summaries();
        file.readSheet = [book, fileName](std::size_t index) {
            return withImportErrors(fileName, [&] { return book->read(index); });
        };
        return file;
    });
}

} // namespace ostrevo
