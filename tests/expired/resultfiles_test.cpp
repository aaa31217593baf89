// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Each save format, written through the save button under its name and read
// back by a reader that owes the writer nothing: Qt's XML and HTML parsers,
// the program's own workbook reader and load.
#include "app/startup.h"
#include "platform/eventpump.h"
#include "spreadsheet/xlsxreader.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QToolButton>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>
#include <map>

namespace ostrevo {
namespace {

using Cells = std::vector<std::string>;

const int kYear = QDate::currentDate().year();
const std::string kThisYear = std::to_string(kYear);

// Texts as the table holds them, and what a reader that replaces bytes that
// are not UTF-8 and characters XML cannot carry gets back.
struct SampleRow {
    Cells cells;
    Cells inMarkup;
};

const std::vector<SampleRow> kRows = {
    {{"http://gardening-tools.com", "mailto:owner@gardening-tools.com", kThisYear + "/11/05"}, {}},
    {{"https://seedbank.org/a b?q=\"x\"&y=<1>", "mailto:<admin@seedbank.org>", "2031/02/30"}, {}},
    {{"javascript:alert(1)", "Tom & Jerry <tj@x.com>", ""}, {}},
    {{"http://bad host.com/", "mailto:a\"b@x.com", "_x0041_ soon"}, {}},
    {{"http://caf\xE9.com", "a\x01z", std::to_string(kYear + 1) + "/01/05"},
     {"http://caf\xEF\xBF\xBD.com", "a\xEF\xBF\xBDz", std::to_string(kYear + 1) + "/01/05"}},
};

Cells inMarkup(const SampleRow& row)
{
    return row.inMarkup.empty() ? row.cells : row.inMarkup;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string text(const QString& s)
{
    return s.toStdString();
}

QByteArray zipMember(const QString& path, const char* name)
{
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY, &error);
    zip_stat_t stat;
    zip_file_t* file =
        archive && zip_stat(archive, name, 0, &stat) == 0 ? zip_fopen(archive, name, 0) : nullptr;
    QByteArray bytes;
    if (file) {
        bytes.resize(static_cast<qsizetype>(stat.size));
        bytes.resize(
            static_cast<qsizetype>(std::max<zip_int64_t>(0, zip_fread(file, bytes.data(), stat.size))));
        zip_fclose(file);
    }
    if (archive) {
        zip_discard(archive);
    }
    return bytes;
}

struct CellColour {
    std::string fill; // ARGB
    std::string text;
};

// The cells of the workbook's sheet that have a solid fill, by reference.
std::map<std::string, CellColour> workbookCellColours(const QString& path)
{
    std::vector<std::string> fontColours, fills;
    std::vector<std::pair<int, int>> styles; // font, fill
    QXmlStreamReader xml(zipMember(path, "xl/styles.xml"));
    bool inCellStyles = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto attribute = [&](const char* name) {
            return text(xml.attributes().value(QLatin1String(name)).toString());
        };
        if (xml.name() == u"font") {
            fontColours.emplace_back();
        } else if (xml.name() == u"color" && !fontColours.empty()) {
            fontColours.back() = attribute("rgb");
        } else if (xml.name() == u"patternFill") {
            fills.emplace_back();
        } else if (xml.name() == u"fgColor") {
            fills.back() = attribute("rgb");
        } else if (xml.name() == u"cellXfs") {
            inCellStyles = true;
        } else if (xml.name() == u"xf" && inCellStyles) {
            styles.emplace_back(std::stoi(attribute("fontId")), std::stoi(attribute("fillId")));
        }
    }
    std::map<std::string, CellColour> colours;
    QXmlStreamReader sheet(zipMember(path, "xl/worksheets/sheet1.xml"));
    while (!sheet.atEnd()) {
        if (sheet.readNext() == QXmlStreamReader::StartElement && sheet.name() == u"c") {
            const auto [font, fill] = styles.at(sheet.attributes().value(QLatin1String("s")).toInt());
            if (!fills.at(static_cast<std::size_t>(fill)).empty()) {
                colours[text(sheet.attributes().value(QLatin1String("r")).toString())] = {
                    fills.at(static_cast<std::size_t>(fill)), fontColours.at(static_cast<std::size_t>(font))};
            }
        }
    }
    return colours;
}

class SaveFormats : public ::testing::Test {
protected:
    SaveFormats()
        : windows(createWindows(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{})),
          form(*windows.Form1), table(form.table())
    {
        table.SetSortType(SortType::stNone); // keep the sample's order
        for (const SampleRow& sample : kRows) {
            ResultRow& row = table.AddRow();
            row.SetCaption(sample.cells[0]);
            row.AppendSubItem(sample.cells[1]);
            row.AppendSubItem(sample.cells[2]);
        }
    }

    QString save(const char* name)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        prompts.answerSaveFile(path);
        form.BDisk->click();
        return path;
    }

    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    EventPump pump{ticks};
    StartupWindows windows;
    TForm1& form;
    ResultTable& table;
    QTemporaryDir dir;
};

TEST_F(SaveFormats, EachFormatReadsBackAsSaved)
{
    {
        SCOPED_TRACE("Every other name: the delimited text");
        EXPECT_TRUE(fileBytes(save("results.doc")).startsWith("Web sites,Email,Expires\r\n"));
    }
    {
        SCOPED_TRACE("XML: one element per row, one child per column");
        QXmlStreamReader xml(fileBytes(save("results.XML")));
        std::vector<Cells> rows;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == u"results") {
                continue;
            }
            if (xml.name() == u"domain") {
                rows.emplace_back();
            } else {
                rows.back().push_back(text(xml.readElementText()));
            }
        }
        EXPECT_FALSE(xml.hasError()) << text(xml.errorString());
        ASSERT_EQ(rows.size(), kRows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i], inMarkup(kRows[i]));
        }
    }
    {
        SCOPED_TRACE("HTML page: UTF-8, one table, links only to checked addresses, expiry colours");
        const QByteArray page = fileBytes(save("results.htm"));
        EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
        EXPECT_FALSE(page.contains("<a href=\"javascript"));
        QTextDocument document;
        document.setHtml(QString::fromUtf8(page));
        QTextTable* html = QTextCursor(&document).currentTable();
        for (QTextBlock b = document.begin(); !html && b.isValid(); b = b.next()) {
            html = QTextCursor(b).currentTable();
        }
        ASSERT_NE(html, nullptr);
        ASSERT_EQ(html->rows(), static_cast<int>(kRows.size()) + 1);
        ASSERT_EQ(html->columns(), 3);
        const auto cellText = [&](int r, int c) {
            const QTextTableCell cell = html->cellAt(r, c);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return text(cursor.selectedText());
        };
        const auto href = [&](int r, int c) {
            QTextCursor cursor = html->cellAt(r, c).firstCursorPosition();
            cursor.movePosition(QTextCursor::NextCharacter);
            return text(cursor.charFormat().anchorHref());
        };
        EXPECT_EQ(cellText(0, 0), "Web sites");
        EXPECT_EQ(cellText(0, 2), "Expires");
        const struct {
            int row;
            const char* site;
            const char* siteLink;
            const char* email;
            const char* emailLink;
        } links[] = {
            {1, "gardening-tools.com", "http://gardening-tools.com", "owner@gardening-tools.com",
             "mailto:owner@gardening-tools.com"},
            {2, "seedbank.org/a b?q=\"x\"&y=<1>", "https://seedbank.org/a%20b?q=%22x%22&y=%3C1%3E",
             "<admin@seedbank.org>", "mailto:admin@seedbank.org"},
            {3, "javascript:alert(1)", "", "Tom & Jerry <tj@x.com>", ""},
            {4, "http://bad host.com/", "", "mailto:a\"b@x.com", ""},
        };
        for (const auto& l : links) {
            SCOPED_TRACE(l.row);
            EXPECT_EQ(cellText(l.row, 0), l.site);
            EXPECT_EQ(href(l.row, 0), l.siteLink);
            EXPECT_EQ(cellText(l.row, 1), l.email);
            EXPECT_EQ(href(l.row, 1), l.emailLink);
        }
        EXPECT_EQ(cellText(5, 1), "a\xEF\xBF\xBDz");
        const auto background = [&](int r) { return html->cellAt(r, 2).format().background().color(); };
        EXPECT_EQ(background(1), QColor(255, 0, 0));                              // expires this year
        EXPECT_EQ(background(5), QColor(255, 85, 0));                             // next year
        EXPECT_EQ(html->cellAt(3, 2).format().background().style(), Qt::NoBrush); // no year
        for (const int r : {1, 5}) {
            QTextCursor cursor = html->cellAt(r, 2).firstCursorPosition();
            cursor.movePosition(QTextCursor::NextCharacter);
            EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::black)) << r;
        }
    }
    {
        SCOPED_TRACE("Workbook: the program's reader sees the header, texts and real dates");
        const QString path = save("results.xlsx");
        const SheetContents sheet = ReadXlsxSheet(path.toStdString());
        const CellBlock block = sheet.block(*sheet.usedRange());
        ASSERT_EQ(block.rows, static_cast<int>(kRows.size()) + 1);
        ASSERT_EQ(block.columns, 3);
        EXPECT_EQ(block.at(1, 1), CellValue(std::string("Web sites")));
        EXPECT_EQ(block.at(2, 3), CellValue(SheetDateTime{kYear, 11, 5}));
        EXPECT_EQ(block.at(3, 3), CellValue(std::string("2031/02/30"))); // no such day: text
        EXPECT_EQ(block.at(6, 3), CellValue(SheetDateTime{kYear + 1, 1, 5}));
        for (std::size_t i = 0; i < kRows.size(); ++i) {
            const int r = static_cast<int>(i) + 2;
            Cells expected = inMarkup(kRows[i]);
            expected[1] = kRows[i].cells[1]; // control characters survive as _xHHHH_
            EXPECT_EQ((Cells{CellText(block.at(r, 1)), CellText(block.at(r, 2)), CellText(block.at(r, 3))}),
                      expected);
        }

        // The load command imports it in place of the rows, without the header.
        form.E1->trigger();
        prompts.answerOpenFile(path);
        form.BOpen->click();
        EXPECT_TRUE(prompts.errors().empty());
        ASSERT_EQ(table.RowCount(), static_cast<int>(kRows.size()));
        for (int i = 0; i < table.RowCount(); ++i) {
            const Cells expected = inMarkup(kRows[static_cast<std::size_t>(i)]);
            EXPECT_EQ(table.Row(i).Caption(), expected[0]);
            EXPECT_EQ(table.Row(i).SubItemOrEmpty(1), expected[2]);
        }
        EXPECT_EQ(prompts.lastFileRequest().filters.filter(QStringLiteral("*.xlsx")).size(), 1);

        SCOPED_TRACE("Workbook: the expiry cells have the window's colours, with readable text");
        const std::map<std::string, CellColour> colours = workbookCellColours(path);
        EXPECT_EQ(colours.at("C2").fill, "FFFF0000");
        EXPECT_EQ(colours.at("C6").fill, "FFFF5500");
        EXPECT_TRUE(colours.contains("C3"));  // no such day, but its year colours it
        EXPECT_FALSE(colours.contains("C4")); // no year
        EXPECT_FALSE(colours.contains("C5"));
        for (const auto& [cell, colour] : colours) {
            EXPECT_EQ(cell[0], 'C') << cell;
            EXPECT_EQ(colour.text, "FF000000") << cell;
        }
    }
    EXPECT_TRUE(prompts.errors().empty());
}

TEST_F(SaveFormats, SpreadsheetNamesShowFormulaCellsAsTextAndLoadBack)
{
    ResultRow& row = table.AddRow();
    row.SetCaption("@SUM(1+1)");
    row.AppendSubItem("-2+3");
    row.AppendSubItem("=1+2");
    const struct {
        const char* name;
        const char* line;
    } saves[] = {
        {"results.csv", "\r\n'@SUM(1+1),'-2+3,'=1+2\r\n"},
        {"results.XLS", "\r\n'@SUM(1+1),'-2+3,'=1+2\r\n"},
        {"results.txt", "\r\n@SUM(1+1),-2+3,=1+2\r\n"},
    };
    for (const auto& s : saves) {
        EXPECT_TRUE(fileBytes(save(s.name)).contains(s.line)) << s.name;
    }
    // The load keeps the window's sort order, the save had the sample's.
    const auto sortedRows = [&] {
        std::vector<Cells> rows;
        for (int i = 0; i < table.RowCount(); ++i) {
            const ResultRow& r = table.Row(i);
            rows.push_back({std::string(r.Caption()), std::string(r.SubItemOrEmpty(0)),
                            std::string(r.SubItemOrEmpty(1))});
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    const std::vector<Cells> saved = sortedRows();
    form.E1->trigger();
    prompts.answerOpenFile(dir.filePath(QStringLiteral("results.csv")));
    form.BOpen->click();
    EXPECT_TRUE(prompts.errors().empty());
    EXPECT_EQ(sortedRows(), saved);
}

} // namespace
} // namespace ostrevo
