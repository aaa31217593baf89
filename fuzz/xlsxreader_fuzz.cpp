// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as an .xlsx workbook: the reader refuses it with an import error
// or gives sheets the import can take; nothing may crash or leak.

#include "spreadsheet/xlsxreader.h"

#include "workbookfuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ostrevo::fuzzing::readAndImport(data, size, &ostrevo::ReadXlsxSheet);
    ostrevo::fuzzing::openAndImport(data, size, &ostrevo::OpenXlsxWorkbook);
    return 0;
}
