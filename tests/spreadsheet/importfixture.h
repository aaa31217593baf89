// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The built-in spreadsheet server importing into the program's table, with the
// workbooks of tests/data/spreadsheets; shared by the server's and the
// readers' tests.

#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ostrevo::test {

namespace fs = std::filesystem;

inline const fs::path kFixtures = fs::path(OSTREVO_TEST_DATA_DIR) / "spreadsheets";

inline const std::vector<RowTexts> kBasicRows{
    {"http://abc.org", "mailto:x@abc.org", "2027/01/31"},
    {"http://example.com", "mailto:info@example.com", "2025/11/05"}};
inline const std::vector<RowTexts> kOffsetRows{{"http://a.com", "mailto:a@a.com", "7"},
                                               {"http://b.com", "mailto:b@b.com", "2026/02/03"},
                                               {"http://c.com", "", "2030/12/24"}};

class BuiltInServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpProgramTable(table);
        table.AddRow().SetCaption("http://before.com");
    }

    void import(const fs::path& file) { ImportSpreadsheet(table, file, createBuiltInSpreadsheetServer); }

    // The error's message; the table must be left as it was.
    std::string failure(const fs::path& file)
    {
        try {
            import(file);
        } catch (const EResultListError& error) {
            EXPECT_EQ(rowsOf(table), before) << file;
            EXPECT_EQ(table.ColumnCount(), 3);
            const std::string message = error.what();
            EXPECT_NE(message.find(file.string()), std::string::npos) << "names the file: " << message;
            return message;
        }
        ADD_FAILURE() << "no error for " << file;
        return {};
    }

    // Caption → first sub-item, for the sheets of one label and one value per row.
    std::map<std::string, std::string> labelled() const
    {
        std::map<std::string, std::string> values;
        for (const RowTexts& row : rowsOf(table)) {
            values[row.at(0)] = row.size() > 1 ? row[1] : "(no sub-item)";
        }
        return values;
    }

    ResultTable table;
    const std::vector<RowTexts> before{{"http://before.com"}};
    TempFolder temp;
};

} // namespace ostrevo::test
