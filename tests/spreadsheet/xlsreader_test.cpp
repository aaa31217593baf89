// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsreader.h"

#include "platform/errors.h"
#include "tablehelpers.h"
#include "xlsbuilders.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using namespace test::xls;
using test::readFile;
using test::TempFolder;
using test::writeFile;

const fs::path kFixtures = fs::path(OSTREVO_TEST_DATA_DIR) / "spreadsheets";

std::string textAt(const SheetContents& contents, int column, int row)
{
    const CellPosition cell{column, row};
    return CellText(contents.block(CellRange{cell, cell}).at(1, 1));
}

class XlsReaderTest : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes)
    {
        const fs::path file = temp.file(name);
        writeFile(file, bytes);
        return file;
    }

    // The message, which must name the file first.
    std::string failure(const fs::path& file)
    {
        try {
            ReadXlsSheet(file);
        } catch (const EResultListError& error) {
            const std::string message = error.what();
            const std::string prefix = "Cannot import " + file.string() + ": ";
            EXPECT_EQ(message.substr(0, prefix.size()), prefix);
            return message.substr(std::min(prefix.size(), message.size()));
        }
        ADD_FAILURE() << "no error for " << file;
        return {};
    }

    TempFolder temp;
};

TEST_F(XlsReaderTest, ReadsBiff8AndBiff5Workbooks)
{
    // Under 4096 bytes: the workbook stream lives in the mini stream.
    const std::string small = workbookStream("", label(0, 0, u"small") + number(0, 1, 2.5));
    ASSERT_LT(small.size(), 4096u);
    const SheetContents fromMini = ReadXlsSheet(write("small.xls", xlsFile(small)));
    EXPECT_EQ(textAt(fromMini, 1, 1), "small");
    EXPECT_EQ(textAt(fromMini, 2, 1), "2.5");

    const std::string biff5 = workbookStream(
        record(rec::kCodePage, u16(1252)), record(rec::kLabel, cell(2, 1) + byteString("\xE9t\xE9")), false);
    EXPECT_EQ(textAt(ReadXlsSheet(write("biff5.xls", xlsFile(biff5, "Book"))), 2, 3), "\xC3\xA9t\xC3\xA9");

    // Booleans and error values keep their kind: TRUE, and no text for an error.
    const SheetContents types = ReadXlsSheet(kFixtures / "types.xls");
    EXPECT_EQ(textAt(types, 2, 5), "TRUE");
    EXPECT_EQ(textAt(types, 2, 6), "");
    EXPECT_EQ(types.size(), 20u); // the error value counts: the import keeps its cell
}

TEST_F(XlsReaderTest, ForeignAndUnreadableFilesAreClearErrors)
{
    EXPECT_EQ(failure(temp.file("missing.xls")), "the file cannot be opened (No such file or directory)");
    EXPECT_EQ(failure(write("empty.xls", "")),
              "the file is damaged or is not an Excel workbook (it is no OLE2 compound file)");
    EXPECT_EQ(failure(write("word.doc", CompoundFileBuilder().stream("WordDocument", "text").build().bytes)),
              "it holds no Excel 5 to 2003 workbook");
    EXPECT_EQ(failure(write("locked.xlsx", CompoundFileBuilder()
                                               .stream("EncryptionInfo", std::string(200, 'i'))
                                               .stream("EncryptedPackage", std::string(5000, 'p'))
                                               .build()
                                               .bytes)),
              "it is protected by a password");
    const std::string protectedBook =
        workbookStream(record(rec::kFilePass, u16(1) + std::string(52, '\0')), label(0, 0, u"x"));
    EXPECT_EQ(failure(write("protected.xls", xlsFile(protectedBook))), "it is protected by a password");

    const std::string basic = readFile(kFixtures / "basic.xls");
    EXPECT_EQ(failure(write("truncated.xls", basic.substr(0, 1536))),
              "the file is damaged (the stream Workbook is larger than the file)");
}

// Found by fuzzing: a string whose length runs past its record. The library
// this reader replaced read that far into its own stack.
TEST_F(XlsReaderTest, OverlongStringIsReadOnlyAsFarAsItsRecord)
{
    try {
        const SheetContents contents = ReadXlsSheet(kFixtures / "fuzz-overlongstring.xls");
        EXPECT_LE(contents.size(), 20u);
    } catch (const EResultListError& error) {
        EXPECT_NE(std::string(error.what()).find("damaged"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace ostrevo
