// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as a result file: loading must not crash, must refuse only what
// is not text and then change nothing (stray NUL bytes are reported after the
// rows were added), must leave the table consistent, and what the table saves
// must load back into the same rows and fields. The first byte picks the
// settings (header line, preset delimiter, sorting, formula cells saved as
// text); the rest is the file.

#include "platform/errors.h"
#include "resultlist/resulttable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using ostrevo::ResultTable;
using ostrevo::SortType;

// Files of this process, removed after each input (libFuzzer may end the
// process without running exit handlers).
fs::path scratchFile(const char* suffix)
{
    return fs::temp_directory_path() / ("ostrevo-delimited-fuzz-" + std::to_string(getpid()) + suffix);
}

struct RemoveOnExit {
    ~RemoveOnExit()
    {
        std::error_code ec;
        fs::remove(input, ec);
        fs::remove(output, ec);
    }
    fs::path input = scratchFile("-in.csv");
    fs::path output = scratchFile("-out.csv");
};

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(const ResultTable& table)
{
    Rows rows;
    for (int i = 0; i < table.RowCount(); ++i) {
        const auto& row = table.Row(i);
        std::vector<std::string> texts{std::string(row.Caption())};
        for (std::size_t j = 0; j < row.SubItemCount(); ++j) {
            texts.emplace_back(row.SubItem(j));
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t settings = data[0];
    const RemoveOnExit files;
    const fs::path& input = files.input;
    const fs::path& output = files.output;
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

    const SortType sortType = settings & 0x10 ? SortType::stNone : SortType::stBoth;
    static const char delimiters[] = {0, ',', ';', '#', '\t', '|', 0, 0};
    ResultTable table;
    table.SetSortType(sortType);
    table.SetSaveHeader(true);
    table.SetLoadHeader((settings & 1) != 0);
    table.SetDelimiter(delimiters[(settings >> 1) & 7]);
    for (const char* caption : {"Web sites", "Email", "Expires"}) {
        table.AddColumn().Caption = caption;
    }
    try {
        table.LoadFromDelimitedFile(input);
    } catch (const ostrevo::EResultListError&) {
        const bool strayNuls = std::memchr(data + 1, 0, size - 1) != nullptr;
        check(strayNuls || (table.RowCount() == 0 && table.ColumnCount() == 3),
              "a refused file changes nothing");
    }

    check(table.BulkUpdateDepth() == 0, "bulk update closed");
    check(table.SortType() == sortType, "sort type restored");
    if (sortType == SortType::stBoth) {
        for (int i = 1; i < table.RowCount(); ++i) {
            check(!(table.Row(i).Caption() < table.Row(i - 1).Caption()), "caption order");
        }
    }
    for (int i = 0; i < table.RowCount(); ++i) {
        check(table.IndexOf(table.Row(i)) == i, "row index");
    }

    std::error_code ec;
    fs::remove(output, ec);
    table.SaveToDelimitedFile(output, settings & 0x20 ? ResultTable::FormulaCells::AsText
                                                      : ResultTable::FormulaCells::AsTheyStand);
    if (table.RowCount() == 0 || table.ColumnCount() == 0) {
        check(!fs::exists(output), "nothing saved");
        return 0;
    }

    // The same table reads its own save back: same columns and delimiter.
    ResultTable again;
    again.SetSortType(sortType);
    again.SetDelimiter(table.Delimiter() != 0 ? table.Delimiter() : ',');
    for (int k = 0; k < table.ColumnCount(); ++k) {
        again.AddColumn().Caption = table.Column(k).Caption;
    }
    again.LoadFromDelimitedFile(output);
    check(rowsOf(again) == rowsOf(table), "round trip keeps the rows and fields");
    return 0;
}
