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

std::string oldExcelFileKind(std::string_view head)
{
    if (head.size() < 8) {
        return {};
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
    // BOF record types 0x0009, 0x0209 and 0x0409 with their data lengths.
    const unsigned type = byte(0) | byte(1) << 8;
    const unsigned length = byte(2) | byte(3) << 8;
    const char* version = type == 0x0009 && length == 4   ? "2"
                          : type == 0x0209 && length == 6 ? "3"
                          : type == 0x0409 && length == 6 ? "4"
                                                          : nullptr;
    if (version == nullptr) {
        return {};
    }
    const unsigned sheetType = byte(6) | byte(7) << 8;
    return std::string("an Excel ") + version + (sheetType == 0x0100 ? " workbook" : " worksheet");
}

} // namespace ostrevo
