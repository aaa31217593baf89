// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheettext.h"

#include "resultlist/delimitedformat.h"
#include "spreadsheet/unreadableworkbook.h"

#include <vector>

namespace ostrevo {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

SheetContents ReadDelimitedSheet(std::string_view data, const std::filesystem::path& fileName)
{
    const auto fail = [&](const std::string& reason) { return importError(fileName, reason); };
    if (!delimited::looksLikeText(data)) {
        throw fail("it is neither an Excel workbook nor delimited text");
    }
    if (data.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        data.remove_prefix(kUtf8ByteOrderMark.size());
    }
    delimited::FirstLines lines;
    delimited::firstTwoLines(data, true, lines);
    const char detected = delimited::detectDelimiter(lines.first, lines.second);
    const char delimiter = detected != 0 ? detected : ',';

    SheetContents contents;
    std::vector<delimited::RawField> fields;
    std::string text;
    for (int row = 1;; ++row) {
        const delimited::ScanResult scan = delimited::scanRecord(data, true, delimiter, fields);
        if (scan.status != delimited::ScanStatus::Record) {
            break;
        }
        if (row > kSheetMaxRows) {
            throw fail("it has more lines than a sheet has rows");
        }
        if (fields.size() > static_cast<std::size_t>(kSheetMaxColumns)) {
            throw fail("line " + std::to_string(row) + " has more fields than a sheet has columns");
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            delimited::decodeField(fields[i], text);
            if (!text.empty() && !contents.add({static_cast<int>(i) + 1, row}, text)) {
                throw fail(contents.refusal());
            }
        }
        data.remove_prefix(scan.consumed);
    }
    return contents;
}

} // namespace ostrevo
