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

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

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

} // namespace ostrevo::fuzzing
