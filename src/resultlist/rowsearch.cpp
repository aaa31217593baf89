// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/rowsearch.h"

#include "resultlist/linktext.h"
#include "resultlist/resulttable.h"

namespace ostrevo {

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerAscii(text[i]) != lowerAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

int findRowByTypedText(const ResultTable& table, std::string_view typed, int start, bool hidePrefixes)
{
    const int count = table.RowCount();
    if (typed.empty() || count == 0) {
        return -1;
    }
    if (start < 0 || start >= count) {
        start = 0;
    }
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        const std::string_view caption = table.Row(row).Caption();
        if (startsWithIgnoringAsciiCase(shownCellText(caption, hidePrefixes), typed)) {
            return row;
        }
    }
    return -1;
}

} // namespace ostrevo
