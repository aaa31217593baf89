// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Where the table keeps its rows: their display order (RowStore), the rows
// themselves (slots of a pool) and every text (one arena). Each change that
// leaves a text unused counts it as garbage; once garbage outweighs the live
// texts, the live ones are copied into a fresh arena in display order.

#include "containers/rowstoreimpl.h"
#include "resultlist/resulttableimpl.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>

namespace ostrevo {

template class RowStore<ResultRow>;

namespace {
constexpr std::size_t kFirstSubItemRoom = 2;
} // namespace

ResultRow* ResultTable::makeRow()
{
    return new (m_impl->rowSlots.allocate()) ResultRow(*this);
}

void ResultTable::dropRow(ResultRow* row) noexcept
{
    TextArena& texts = m_impl->texts;
    texts.discard(row->m_caption.size() + row->m_sortKey.size());
    for (std::uint32_t k = 0; k < row->m_subItemCount; ++k) {
        texts.discard(row->m_subItems[k].size());
    }
    texts.discard(row->m_subItemRoom * sizeof(std::string_view));
    m_impl->rowSlots.release(row);
}

void ResultTable::setCaptionText(ResultRow& row, std::string_view caption)
{
    // Everything that may throw comes first; `caption` may view this very
    // table's storage, which storing never moves.
    const bool hasKey = m_impl->sortKey && !caption.empty();
    const std::string key = hasKey ? m_impl->sortKey(caption) : std::string();
    TextArena& texts = m_impl->texts;
    texts.reserve(caption.size() + key.size());
    const std::string_view storedCaption = texts.store(caption);
    const std::string_view storedKey = texts.store(key);

    texts.discard(row.m_caption.size() + row.m_sortKey.size());
    row.m_caption = storedCaption;
    row.m_sortKey = storedKey;
    row.m_hasSortKey = hasKey;
}

void ResultTable::appendSubItem(ResultRow& row, std::string_view text)
{
    if (row.m_subItemCount == std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many sub-items");
    }
    TextArena& texts = m_impl->texts;
    const bool full = row.m_subItemCount == row.m_subItemRoom;
    const std::size_t room =
        !full ? row.m_subItemRoom
              : std::clamp<std::size_t>(std::size_t{row.m_subItemRoom} * 2, kFirstSubItemRoom,
                                        std::numeric_limits<std::uint32_t>::max());
    texts.reserve(text.size() + (full ? room * sizeof(std::string_view) + alignof(std::string_view) : 0));
    const std::string_view stored = texts.store(text);
    if (full) {
        std::string_view* larger = texts.allocateArray<std::string_view>(room);
        std::copy_n(row.m_subItems, row.m_subItemCount, larger);
        texts.discard(row.m_subItemRoom * sizeof(std::string_view));
        row.m_subItems = larger;
        row.m_subItemRoom = static_cast<std::uint32_t>(room);
    }
    row.m_subItems[row.m_subItemCount++] = stored;
    rowTextChanged(row);
    compactTextsIfWorthIt();
}

void ResultTable::setSubItems(ResultRow& row, const std::vector<std::string_view>& texts)
{
    // Only for a row that has none yet, as a load makes it.
    if (texts.empty()) {
        return;
    }
    if (texts.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many sub-items");
    }
    TextArena& arena = m_impl->texts;
    std::size_t bytes = texts.size() * sizeof(std::string_view) + alignof(std::string_view);
    for (const std::string_view text : texts) {
        bytes += text.size();
    }
    arena.reserve(bytes);
    std::string_view* items = arena.allocateArray<std::string_view>(texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) {
        items[k] = arena.store(texts[k]);
    }
    row.m_subItems = items;
    row.m_subItemCount = static_cast<std::uint32_t>(texts.size());
    row.m_subItemRoom = row.m_subItemCount;
}

std::size_t ResultTable::textStorageBytes() const
{
    return m_impl->texts.usedBytes();
}

void ResultTable::compactTextsIfWorthIt() noexcept
{
    TextArena& texts = m_impl->texts;
    if (!texts.wantsCompaction()) {
        return;
    }
    std::size_t live = 0;
    m_impl->rows.forEach([&](const ResultRow& row) {
        live += row.m_caption.size() + row.m_sortKey.size();
        if (row.m_subItemCount > 0) {
            live += row.m_subItemCount * sizeof(std::string_view) + alignof(std::string_view);
        }
        for (std::uint32_t k = 0; k < row.m_subItemCount; ++k) {
            live += row.m_subItems[k].size();
        }
    });
    TextArena fresh;
    try {
        fresh.reserve(live);
    } catch (const std::bad_alloc&) {
        return; // the garbage stays until a later change finds the room
    }
    // Reserved: nothing below allocates. Display order keeps a row's texts
    // and its neighbours' together for painting and sorting.
    m_impl->rows.forEach([&](ResultRow& row) {
        row.m_caption = fresh.store(row.m_caption);
        row.m_sortKey = fresh.store(row.m_sortKey);
        std::string_view* items = nullptr;
        if (row.m_subItemCount > 0) {
            items = fresh.allocateArray<std::string_view>(row.m_subItemCount);
            for (std::uint32_t k = 0; k < row.m_subItemCount; ++k) {
                items[k] = fresh.store(row.m_subItems[k]);
            }
        }
        row.m_subItems = items;
        row.m_subItemRoom = row.m_subItemCount;
    });
    texts.swap(fresh);
}

} // namespace ostrevo
