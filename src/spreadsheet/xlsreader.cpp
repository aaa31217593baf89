// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsreader.h"

#include "platform/filereading.h"
#include "spreadsheet/biffworkbook.h"
#include "spreadsheet/compoundfile.h"
#include "spreadsheet/unreadableworkbook.h"

#include <cstdint>
#include <span>
#include <string>

namespace ostrevo {

namespace {

SheetContents readSheet(const std::filesystem::path& fileName)
{
    const std::string file = readWholeFile(fileName, kMaxWorkbookFileBytes);
    const CompoundFile compoundFile(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    if (const auto stream = compoundFile.stream("Workbook")) {
        return ReadBiffWorkbook(*stream);
    }
    if (const auto stream = compoundFile.stream("Book")) {
        return ReadBiffWorkbook(*stream);
    }
    // An .xlsx file saved with a password is a compound file too.
    if (compoundFile.stream("EncryptedPackage")) {
        throw UnreadableWorkbook("it is protected by a password");
    }
    throw UnreadableWorkbook("it holds no Excel 5 to 2003 workbook");
}

} // namespace

SheetContents ReadXlsSheet(const std::filesystem::path& fileName)
{
    return withImportErrors(fileName, [&] { return readSheet(fileName); });
}

} // namespace ostrevo
