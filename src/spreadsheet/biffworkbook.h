// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The values of a BIFF 5 or 8 workbook stream (the "Book" or "Workbook"
// stream of an .xls file).

#include "spreadsheet/spreadsheetcontents.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace ostrevo {

// The worksheet that was active when the workbook was saved, or the first
// worksheet when the active sheet is a chart or the workbook does not say.
// Numbers in a date or time format become dates. Throws UnreadableWorkbook.
SheetContents ReadBiffWorkbook(std::span<const std::uint8_t> stream);

// The worksheets of a workbook stream, which must outlive it. Each throws
// UnreadableWorkbook.
class BiffWorkbook {
public:
    struct Globals;

    explicit BiffWorkbook(std::span<const std::uint8_t> stream);
    ~BiffWorkbook();
    BiffWorkbook(const BiffWorkbook&) = delete;
    BiffWorkbook& operator=(const BiffWorkbook&) = delete;

    // Among the first kMaxWorkbookSheets tabs, in tab order; each sheet read
    // up to its first value to tell whether it holds cells (one that cannot
    // be read counts as holding some).
    std::vector<WorksheetSummary> worksheets() const;
    // The worksheet that was active when the workbook was saved, as above.
    std::size_t activeIndex() const { return m_active; }
    // One of worksheets(), read whole.
    SheetContents sheet(std::size_t index) const;

private:
    std::span<const std::uint8_t> m_stream;
    std::unique_ptr<const Globals> m_globals;
    std::vector<std::size_t> m_worksheets; // their tabs
    std::size_t m_active = 0;
};

} // namespace ostrevo
