// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetfileserver.h"

#include "platform/filereading.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "spreadsheet/spreadsheettext.h"
#include "spreadsheet/unreadableworkbook.h"
#include "spreadsheet/xlsreader.h"
#include "spreadsheet/xlsxreader.h"

#include <string>
#include <string_view>

namespace ostrevo {

namespace {

constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kEmptyZipSignature = "PK\x05\x06";

} // namespace

std::unique_ptr<SpreadsheetWorkbook> BuiltInSpreadsheetServer::Open(const std::filesystem::path& fileName)
{
    const std::string head =
        withImportErrors(fileName, [&] { return readFileHead(fileName, kOle2Signature.size()); });
    if (head == kOle2Signature) {
        return std::make_unique<LoadedWorkbook>(fileName, OpenXlsWorkbook(fileName));
    }
    if (head.starts_with(kZipSignature) || head.starts_with(kEmptyZipSignature)) {
        return std::make_unique<LoadedWorkbook>(fileName, OpenXlsxWorkbook(fileName));
    }
    if (const std::string kind = oldExcelFileKind(head); !kind.empty()) {
        throw importError(fileName, "it is " + kind + ", which is too old to import");
    }
    SheetContents contents = withImportErrors(fileName, [&] {
        return ReadDelimitedSheet(readWholeFile(fileName, kMaxWorkbookFileBytes), fileName);
    });
    return std::make_unique<LoadedWorkbook>(fileName, std::move(contents));
}

std::unique_ptr<SpreadsheetServer> createBuiltInSpreadsheetServer()
{
    return std::make_unique<BuiltInSpreadsheetServer>();
}

} // namespace ostrevo
