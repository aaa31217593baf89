// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as an .xls workbook: the reader refuses it with an import error
// or gives sheets the import can take; nothing may crash or leak.

#include "spreadsheet/xlsreader.h"

#include "workbookfuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ostrevo::fuzzing::readAndImport(data, size, &ostrevo::ReadXlsSheet);
    ostrevo::fuzzing::openAndImport(data, size, &ostrevo::OpenXlsWorkbook);
    return 0;
}
