// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Keeping the rows in caption order, and the full sorts (caption order after
// a bulk update, a column chosen by a header click).
//
// A caption assignment must leave the table as a full re-sort would, without
// paying for one: only the re-captioned row and the rows outside the ordered
// prefix (new rows, usually just the one being filled) are placed, each by a
// binary search. Too many unplaced rows, and one full sort is cheaper.

#include "resultlist/resulttable.h"

#include "resultlist/resulttableimpl.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ostrevo {

namespace {

constexpr std::size_t kMaxRowsPlacedOneByOne = 16;
constexpr std::size_t kReadAhead = 8;

// The sorts gather every key once. Most comparisons are then decided by an
// entry of sixteen bytes: eight key bytes after the start all keys share, the
// key's length (short keys, such as dates, lie wholly in those bytes) and
// the row's position; only ties of longer keys read the keys, which are
// scattered in memory.
struct SortEntry {
    std::uint64_t prefix; // key bytes [common, common + 8), big-endian
    std::uint32_t index;  // position before the sort; equal keys keep this order
    std::uint32_t length; // the key's length, at most `covered` + 1
};

std::uint64_t bytesAt(std::string_view key, std::size_t from)
{
    // Zero padding keeps the order: a shorter key is smaller or, on equal
    // prefixes, the full comparison decides.
    std::uint64_t value = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        value <<= 8;
        if (i < key.size()) {
            value |= static_cast<unsigned char>(key[i]);
        }
    }
    return value;
}

// -1, 0 or 1 as `a`'s key sorts before, with or after `b`'s. `covered`: keys
// up to this length lie wholly in the prefix; two such keys with equal
// prefixes differ at most in length (the shorter comes first).
// `keyAt(index)` gives the key of the row at that position before the sort.
template <typename KeyAt>
int compareKeys(const SortEntry& a, const SortEntry& b, const KeyAt& keyAt, std::size_t covered)
{
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix ? -1 : 1;
    }
    if (a.length <= covered && b.length <= covered) {
        return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
    }
    return keyAt(a.index).compare(keyAt(b.index)); // char_traits compares bytes as unsigned
}

} // namespace

void ResultTable::setCaptionSortKey(SortKeyFunction sortKey)
{
    // Compute every key first: a throwing key function changes nothing.
    std::string emptyKey = sortKey ? sortKey("") : std::string();
    std::vector<std::string> keys;
    std::size_t bytes = 0;
    if (sortKey) {
        keys.reserve(m_impl->rows.size());
    }
    m_impl->rows.forEach([&](const ResultRow& row) {
        if (sortKey && !row.m_caption.empty()) {
            keys.push_back(sortKey(row.m_caption.view()));
            bytes += TextArena::storedBytes(row.m_caption.view().size()) + sizeof(ArenaText) +
                     TextArena::storedBytes(keys.back().size());
        } else if (row.m_hasSortKey) {
            bytes += TextArena::storedBytes(row.m_caption.view().size());
        }
    });
    TextArena& texts = m_impl->texts;
    texts.reserve(bytes); // storing below cannot throw

    m_impl->sortKey = std::move(sortKey);
    m_impl->emptyKey = std::move(emptyKey);
    std::size_t k = 0;
    m_impl->rows.forEach([&](ResultRow& row) {
        const bool hasKey = m_impl->sortKey && !row.m_caption.empty();
        if (!hasKey && !row.m_hasSortKey) {
            return;
        }
        const std::size_t before = captionStoredBytes(row);
        const std::string_view caption = row.m_caption.view();
        row.m_caption = hasKey ? texts.store(caption, texts.store(keys[k++])) : texts.store(caption);
        row.m_hasSortKey = hasKey ? 1 : 0;
        texts.discard(before);
    });
    const std::size_t count = m_impl->rows.size();
    m_impl->orderedCount = count < 2 ? count : 0;
    compactTextsIfWorthIt();
}

std::string_view ResultTable::sortKeyOf(const ResultRow& row) const
{
    if (!m_impl->sortKey) {
        return row.m_caption.view();
    }
    return row.m_hasSortKey ? row.m_caption.behind().view() : std::string_view(m_impl->emptyKey);
}

bool ResultTable::sortsOnCaption() const
{
    return (m_sortType == ostrevo::SortType::stText || m_sortType == ostrevo::SortType::stBoth) &&
           m_impl->bulkDepth == 0;
}

bool ResultTable::captionFits(std::size_t index) const
{
    const ResultRowStore& rows = m_impl->rows;
    const std::string_view key = sortKeyOf(rows.at(index));
    if (index > 0 && key < sortKeyOf(rows.at(index - 1))) {
        return false;
    }
    return index + 1 >= m_impl->orderedCount || !(sortKeyOf(rows.at(index + 1)) < key);
}

void ResultTable::assignCaption(ResultRow& row, std::string_view caption)
{
    const std::size_t index = m_impl->rows.indexOf(row);
    setCaptionText(row, caption);
    if (index == ResultRowStore::npos) {
        return;
    }
    if (m_observer) {
        m_observer->rowChanged(static_cast<int>(index));
    }
    if (sortsOnCaption()) {
        placeAfterCaptionChange(index);
    } else if (index < m_impl->orderedCount && !captionFits(index)) {
        m_impl->orderedCount = index;
    }
    compactTextsIfWorthIt();
}

void ResultTable::placeAfterCaptionChange(std::size_t index)
{
    if (index < m_impl->orderedCount && !captionFits(index)) {
        const std::string_view key = sortKeyOf(m_impl->rows.at(index));
        moveRow(index, captionUpperBound(key, m_impl->orderedCount, index));
    }
    placeUnorderedTail();
}

void ResultTable::placeUnorderedTail()
{
    std::size_t& ordered = m_impl->orderedCount;
    const std::size_t count = m_impl->rows.size();
    if (count - ordered > kMaxRowsPlacedOneByOne) {
        sortByCaption();
        return;
    }
    // Each row after the prefix joins it; the rest stay after it.
    for (; ordered < count; ++ordered) {
        const std::string_view key = sortKeyOf(m_impl->rows.at(ordered));
        moveRow(ordered, captionUpperBound(key, ordered, ResultRowStore::npos));
    }
}

std::size_t ResultTable::captionUpperBound(std::string_view key, std::size_t count, std::size_t skip) const
{
    // Searches the first `count` rows without the one at `skip`; the result
    // is the position the row takes once the skipped row is out of the way.
    if (skip >= count) {
        return m_impl->rows.upperBound(count, [&](const ResultRow& row) { return key < sortKeyOf(row); });
    }
    std::size_t low = 0;
    std::size_t high = count - 1;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        const std::size_t at = mid >= skip ? mid + 1 : mid;
        if (key < sortKeyOf(m_impl->rows.at(at))) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

void ResultTable::moveRow(std::size_t from, std::size_t to)
{
    if (from == to) {
        return;
    }
    m_impl->rows.prepareInsert();
    if (m_observer) {
        // Qt counts the destination before the move.
        const std::size_t destination = to > from ? to + 1 : to;
        m_observer->rowAboutToBeMoved(static_cast<int>(from), static_cast<int>(destination));
    }
    m_impl->rows.move(from, to);
    if (m_observer) {
        m_observer->rowMoved();
    }
}

template <typename KeyOf> void ResultTable::sortRows(KeyOf keyOf, bool descending, KeyCopy copyKeys)
{
    ResultRowStore& rows = m_impl->rows;
    const std::size_t count = rows.size();
    if (count < 2) {
        return;
    }
    std::vector<ResultRow*> order;
    order.reserve(count);
    rows.forEach([&](ResultRow& row) { order.push_back(&row); });
    // Keys tied in their first bytes are compared whole. A copy of every key
    // makes that one fetch instead of three (order, row, text), but the sort
    // that ends a load, where memory peaks, reads them from the rows instead.
    std::vector<std::string_view> keys;
    if (copyKeys == KeyCopy::Kept) {
        keys.reserve(count);
    }
    const auto keyAt = [&](std::size_t k) { return keys.empty() ? keyOf(*order[k]) : keys[k]; };
    // After a sort, display order jumps all over memory: each pass asks for
    // a row, then its list of sub-items, then the key's text, each a few
    // rows before it is read, so that the fetches overlap.
    const auto prefetchAhead = [&](std::size_t k) {
        if (keys.size() == count) {
            if (k + kReadAhead < count) {
                __builtin_prefetch(keys[k + kReadAhead].data());
            }
            return;
        }
        if (k + 3 * kReadAhead < count) {
            __builtin_prefetch(order[k + 3 * kReadAhead]);
        }
        if (k + 2 * kReadAhead < count) {
            __builtin_prefetch(order[k + 2 * kReadAhead]->m_subItems);
        }
        if (k + kReadAhead < count) {
            __builtin_prefetch(keyOf(*order[k + kReadAhead]).data());
        }
    };

    if (copyKeys == KeyCopy::Kept) {
        for (std::size_t k = 0; k < count; ++k) {
            prefetchAhead(k);
            keys.push_back(keyOf(*order[k]));
        }
    }

    // Keys usually share a long start ("http://www."): skip it in the prefix.
    const std::string_view first = keyAt(0);
    std::size_t common = first.size();
    for (std::size_t k = 0; k < count; ++k) {
        prefetchAhead(k);
        const std::string_view key = keyAt(k);
        const auto limit = static_cast<std::ptrdiff_t>(std::min(common, key.size()));
        common = static_cast<std::size_t>(
            std::mismatch(first.begin(), first.begin() + limit, key.begin()).first - first.begin());
    }
    // Equal keys keep their order (the position decides), so sorting by one
    // column after another groups as the user expects.
    const std::size_t covered = common + 8;
    std::vector<SortEntry> entries(count);
    for (std::size_t k = 0; k < count; ++k) {
        prefetchAhead(k);
        const std::string_view key = keyAt(k);
        entries[k] = {bytesAt(key, common), static_cast<std::uint32_t>(k),
                      static_cast<std::uint32_t>(std::min(key.size(), covered + 1))};
    }
    const int sign = descending ? -1 : 1;
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        const int byKey = compareKeys(a, b, keyAt, covered) * sign;
        return byKey != 0 ? byKey < 0 : a.index < b.index;
    });

    if (m_observer) {
        m_observer->layoutAboutToBeChanged();
    }
    rows.reorder([&](std::size_t k) { return order[entries[k].index]; });
    if (m_observer) {
        m_observer->layoutChanged();
    }
}

void ResultTable::sortByCaption()
{
    const std::size_t count = m_impl->rows.size();
    if (m_impl->orderedCount < count) {
        sortRows([this](const ResultRow& row) { return sortKeyOf(row); }, false, KeyCopy::ReadFromRows);
    }
    m_impl->orderedCount = count;
}

void ResultTable::SortByColumn(int column, int direction)
{
    if (column < 0 || column >= ColumnCount()) {
        return;
    }
    const bool descending = direction < 0;
    if (column == 0) {
        sortRows([](const ResultRow& row) { return row.m_caption.view(); }, descending, KeyCopy::Kept);
    } else {
        const auto subItem = static_cast<std::size_t>(column - 1);
        sortRows([subItem](const ResultRow& row) { return row.SubItemOrEmpty(subItem); }, descending,
                 KeyCopy::Kept);
    }
    // Byte order of captions is caption order unless a collation key is set.
    const std::size_t count = m_impl->rows.size();
    const bool captionOrder = column == 0 && !descending && !m_impl->sortKey;
    m_impl->orderedCount = count < 2 || captionOrder ? count : 0;
}

} // namespace ostrevo
