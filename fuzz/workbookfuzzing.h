// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the workbook reader targets share: the readers take a file name, so
// each input is written to an in-memory file first; whatever a reader makes
// of it then goes through the import into a result table, as in the program.

#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "spreadsheet/spreadsheetimport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrevo::fuzzing {

inline void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// One in-memory file for the whole run, rewritten for every input.
inline std::filesystem::path inputFile(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("workbook", 0);
    check(fd >= 0);
    check(ftruncate(fd, 0) == 0);
    for (std::size_t written = 0; written < size;) {
        const ssize_t got = pwrite(fd, data + written, size - written, static_cast<off_t>(written));
        check(got > 0);
        written += static_cast<std::size_t>(got);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

// Serves the sheet a reader made, once.
class ReadSheetServer final : public SpreadsheetServer {
public:
    explicit ReadSheetServer(SheetContents contents) : m_contents(std::move(contents)) {}
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) override
    {
        return std::make_unique<LoadedWorkbook>(fileName, std::move(m_contents));
    }
    void Quit() override {}

private:
    SheetContents m_contents;
};

// Serves a workbook a reader opened, once.
class ReadWorkbookServer final : public SpreadsheetServer {
public:
    ReadWorkbookServer(std::filesystem::path fileName, WorkbookFile workbook)
        : m_fileName(std::move(fileName)), m_workbook(std::move(workbook))
    {}
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path&) override
    {
        return std::make_unique<LoadedWorkbook>(m_fileName, std::move(m_workbook));
    }
    void Quit() override {}

private:
    std::filesystem::path m_fileName;
    WorkbookFile m_workbook;
};

// Reads the input with `readSheet`; a refusal must be an import error naming
// the file, and a sheet read must import within the cell limit, or be refused
// with the table left as it was.
template <typename Reader> void readAndImport(const std::uint8_t* data, std::size_t size, Reader readSheet)
{
    const std::filesystem::path file = inputFile(data, size);
    SheetContents contents;
    try {
        contents = readSheet(file);
    } catch (const EResultListError& error) {
        check(std::string(error.what()).starts_with("Cannot import " + file.string() + ": "));
        return;
    }
    check(contents.size() <= SheetContents::kMaxCells);

    ResultTable table;
    table.AddRow().SetCaption("http://before.com");
    try {
        ImportSpreadsheet(table, file,
                          [&contents] { return std::make_unique<ReadSheetServer>(std::move(contents)); });
    } catch (const EResultListError&) {
        check(table.RowCount() == 1 && table.Row(0).Caption() == "http://before.com");
        return;
    }
    check(table.RowCount() <= kMaxImportedCells);
}

// Opens the input with `openWorkbook`, as the program's import does: the
// worksheets listed within bounds, at most one active, and the last one with
// cells imported as a user could pick it.
template <typename Opener> void openAndImport(const std::uint8_t* data, std::size_t size, Opener openWorkbook)
{
    const std::filesystem::path file = inputFile(data, size);
    const auto refused = [&](const EResultListError& error) {
        check(std::string(error.what()).starts_with("Cannot import " + file.string() + ": "));
    };
    WorkbookFile workbook;
    try {
        workbook = openWorkbook(file);
    } catch (const EResultListError& error) {
        refused(error);
        return;
    }
    check(!workbook.worksheets.empty() && workbook.worksheets.size() <= kMaxWorkbookSheets);
    check(std::count_if(workbook.worksheets.begin(), workbook.worksheets.end(),
                        [](const WorksheetSummary& sheet) { return sheet.active; }) <= 1);

    ResultTable table;
    try {
        ImportSpreadsheet(
            table, file,
            [&workbook, &file] { return std::make_unique<ReadWorkbookServer>(file, std::move(workbook)); },
            {},
            [](const std::vector<std::string>& names, std::size_t offered) -> std::optional<std::size_t> {
                check(names.size() >= 2 && offered < names.size());
                return names.size() - 1;
            });
    } catch (const EResultListError& error) {
        refused(error);
    }
}

} // namespace ostrevo::fuzzing
