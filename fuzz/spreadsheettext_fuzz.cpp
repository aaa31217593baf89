// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as a file named .xls that is not a workbook: reading it as a
// delimited sheet either fails with a message or gives a sheet whose used
// range holds all of its values, and importing it leaves a consistent table.

#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "spreadsheet/spreadsheetimport.h"
#include "spreadsheet/spreadsheettext.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace ostrevo;

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

class TextServer final : public SpreadsheetServer {
public:
    explicit TextServer(std::string_view text) : m_text(text) {}
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) override
    {
        return std::make_unique<LoadedWorkbook>(fileName, ReadDelimitedSheet(m_text, fileName));
    }
    void Quit() override {}

private:
    std::string_view m_text;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ResultTable table;
    table.SetSortType(SortType::stBoth);
    for (int k = 0; k < 3; ++k) {
        table.AddColumn();
    }
    table.AddRow().SetCaption("before");
    try {
        ImportSpreadsheet(table, "fuzz.xls", [text] { return std::make_unique<TextServer>(text); });
    } catch (const EResultListError&) {
        check(table.RowCount() == 1 && table.Row(0).Caption() == "before");
        return 0;
    }
    check(table.BulkUpdateDepth() == 0);
    for (int i = 0; i < table.RowCount(); ++i) {
        check(table.Row(i).SubItemCount() < static_cast<std::size_t>(table.ColumnCount()));
        if (i > 0) {
            check(!(table.Row(i).Caption() < table.Row(i - 1).Caption()));
        }
    }
    return 0;
}
