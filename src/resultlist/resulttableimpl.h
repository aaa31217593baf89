// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// State of a ResultTable shared by the files that implement it.

#include "containers/rowstore.h"
#include "containers/slotpool.h"
#include "containers/textarena.h"
#include "resultlist/resulttable.h"

#include <deque>

namespace ostrevo {

// Instantiated in resultrowstore.cpp.
using ResultRowStore = RowStore<ResultRow>;
extern template class RowStore<ResultRow>;

struct ResultTable::Impl {
    explicit Impl(ResultTable& table) : rows(&table) {}

    // A deque keeps references from AddColumn valid as columns are added.
    std::deque<ResultColumn> columns;
    // The rows themselves and all their texts (captions, keys, sub-items and
    // the sub-item lists); `rows` holds them in display order.
    SlotPool<ResultRow> rowSlots;
    TextArena texts;
    ResultRowStore rows;
    // Rows [0, orderedCount) are in caption order. Rows after them were added
    // or re-captioned while the table was not sorting, or re-ordered by a
    // header click; the next sorting caption assignment places them.
    std::size_t orderedCount = 0;
    SortKeyFunction sortKey;
    std::string emptyKey; // sortKey(""), the key of rows without a caption
    int bulkDepth = 0;
    ostrevo::SortType savedSortType = ostrevo::SortType::stNone;
};

} // namespace ostrevo
