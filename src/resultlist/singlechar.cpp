// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

namespace ostrevo {

namespace {

// Whether s[i] == c stands alone: the last character always does, any other
// only when neither neighbour is another c.
bool isSingleAt(char c, std::string_view s, std::size_t i)
{
    if (s[i] != c) {
        return false;
    }
    if (i + 1 == s.size()) {
        return true;
    }
    return s[i + 1] != c && (i == 0 || s[i - 1] != c);
}

} // namespace

std::int32_t SingleCharPos(char c, std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isSingleAt(c, s, i)) {
            return static_cast<std::int32_t>(i + 1);
        }
    }
    return 0;
}

std::int32_t SingleCharCount(char c, std::string_view s)
{
    // Counting by cutting the text after each find and searching again gives
    // the same result in one pass: the character after a single find is never
    // c, so the cut never changes what counts as single.
    std::int32_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isSingleAt(c, s, i)) {
            ++count;
        }
    }
    return count;
}

} // namespace ostrevo
