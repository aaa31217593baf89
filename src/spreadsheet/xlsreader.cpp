// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsreader.h"

#include "platform/filereading.h"
#include "spreadsheet/biffworkbook.h"
#include "spreadsheet/compoundfile.h"
#include "spreadsheet/unreadableworkbook.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {

namespace {

// The workbook stream of the file.
std::vector<std::uint8_t> workbookStream(const std::filesystem::path& fileName)
{
    const std::string file = readWholeFile(fileName, kMaxWorkbookFileBytes);
    const CompoundFile compoundFile(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    if (auto stream = compoundFile.stream("Workbook")) {
        return std::move(*stream);
    }
    if (auto stream = compoundFile.stream("Book")) {
        return std::move(*stream);
    }
    // An .xlsx file saved with a password is a compound file too.
    if (compoundFile.stream("EncryptedPackage")) {
        throw UnreadableWorkbook("it is protected by a password");
    }
    throw UnreadableWorkbook("it holds no Excel 5 to 2003 workbook");
}

// The stream and the workbook reading it, kept together while sheets are read.
struct OpenBook {
    explicit OpenBook(std::vector<std::uint8_t> bytes) : stream(std::move(bytes)), workbook(stream) {}
    std::vector<std::uint8_t> stream;
    BiffWorkbook workbook;
};

} // namespace

SheetContents ReadXlsSheet(const std::filesystem::path& fileName)
{
    return withImportErrors(fileName, [&] { return ReadBiffWorkbook(workbookStream(fileName)); });
}

WorkbookFile OpenXlsWorkbook(const std::filesystem::path& fileName)
{
    return withImportErrors(fileName, [&] {
        auto book = std::make_shared<const OpenBook>(workbookStream(fileName));
        WorkbookFile file;
        file.worksheets = book->workbook.worksheets();
        file.readSheet = [book, fileName](std::size_t index) {
            return withImportErrors(fileName, [&] { return book->workbook.sheet(index); });
        };
        return file;
    });
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
