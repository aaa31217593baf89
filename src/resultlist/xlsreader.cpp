// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/xlsreader.h"

#include "platform/errors.h"

#include <freexl.h>

#include <string>

namespace ostrevo {

namespace {

class XlsHandle {
public:
    XlsHandle() = default;
    ~XlsHandle() { freexl_close(m_handle); } // also after a failed open, as FreeXL asks
    XlsHandle(const XlsHandle&) = delete;
    XlsHandle& operator=(const XlsHandle&) = delete;

    const void** out() { return &m_handle; }
    const void* get() const { return m_handle; }

private:
    const void* m_handle = nullptr;
};

std::string reasonOf(int error)
{
    switch (error) {
    case FREEXL_FILE_NOT_FOUND:
        return "the file does not exist or cannot be read";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "there is not enough memory to read it";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return "it holds no Excel 5 to 2003 workbook (it may be password-protected)";
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return "its text is in a character set that cannot be read";
    default:
        return "the file is damaged or is not an Excel workbook (FreeXL error " + std::to_string(error) + ")";
    }
}

CellValue valueOf(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return static_cast<double>(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return cell.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return cell.value.text_value ? std::string(cell.value.text_value) : std::string();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        // FreeXL writes them ISO style ("2025-11-05 13:30:00").
        const std::string text = cell.value.text_value ? cell.value.text_value : "";
        if (const auto dateTime = ParseIsoDateTime(text)) {
            return *dateTime;
        }
        return text;
    }
    default:
        return std::monostate{};
    }
}

} // namespace

SheetContents ReadXlsSheet(const std::filesystem::path& fileName)
{
    const auto fail = [&](const std::string& reason) {
        return EResultListError("Cannot import " + fileName.string() + ": " + reason);
    };
    XlsHandle handle;
    if (const int error = freexl_open(fileName.c_str(), handle.out()); error != FREEXL_OK) {
        throw fail(reasonOf(error));
    }
    unsigned int info = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        throw fail("it is protected by a password");
    }
    if (freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0) {
        throw fail("it holds no worksheet");
    }
    // FreeXL does not tell which sheet was active: the first one is read.
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (const int error = freexl_select_active_worksheet(handle.get(), 0); error != FREEXL_OK) {
        throw fail(reasonOf(error));
    }
    if (const int error = freexl_worksheet_dimensions(handle.get(), &rows, &columns); error != FREEXL_OK) {
        throw fail(reasonOf(error));
    }
    if (rows > static_cast<unsigned>(kSheetMaxRows) || columns > kSheetMaxColumns) {
        throw fail("its sheet is larger than a sheet can be");
    }

    SheetContents contents;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell{};
            if (const int error = freexl_get_cell_value(handle.get(), row, column, &cell);
                error != FREEXL_OK) {
                throw fail(reasonOf(error));
            }
            if (!contents.add({column + 1, static_cast<int>(row) + 1}, valueOf(cell))) {
                throw fail("it holds more than " + std::to_string(SheetContents::kMaxCells) + " values");
            }
        }
    }
    return contents;
}

} // namespace ostrevo
