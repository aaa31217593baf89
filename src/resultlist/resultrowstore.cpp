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
#include <new>
#include <stdexcept>

namespace ostrevo {

template class RowStore<ResultRow>;

namespace {
constexpr std::size_t kFirstSubItemRoom = 2;
} // namespace

// A loaded million rows cost this many times a million bytes, beside their texts.
static_assert(sizeof(ResultRow) <= 32);

ResultRow* ResultTable::makeRow()
{
    return new (m_impl->rowSlots.allocate()) ResultRow();
}

void ResultTable::dropRow(ResultRow* row) noexcept
{
    TextArena& texts = m_impl->texts;
    texts.discard(captionStoredBytes(*row));
    for (std::uint32_t k = 0; k < row->m_subItemCount; ++k) {
        texts.discard(row->m_subItems[k].storedBytes());
    }
    texts.discard(row->m_subItemRoom * sizeof(ArenaText));
    m_impl->rowSlots.release(row);
}

void ResultTable::setCaptionText(ResultRow& row, std::string_view caption)
{
    // Everything that may throw comes first; `caption` may view this very
    // table's storage, which storing never moves.
    const bool hasKey = m_impl->sortKey && !caption.empty();
    const std::string key = hasKey ? m_impl->sortKey(caption) : std::string();
    TextArena& texts = m_impl->texts;
    texts.reserve(TextArena::storedBytes(caption.size()) +
                  (hasKey ? sizeof(ArenaText) + TextArena::storedBytes(key.size()) : 0));
    const ArenaText storedCaption = hasKey ? texts.store(caption, texts.store(key)) : texts.store(caption);

    texts.discard(captionStoredBytes(row));
    row.m_caption = storedCaption;
    row.m_hasSortKey = hasKey ? 1 : 0;
}

std::size_t ResultTable::captionStoredBytes(const ResultRow& row)
{
    std::size_t bytes = row.m_caption.storedBytes();
    if (row.m_hasSortKey) {
        bytes += sizeof(ArenaText) + row.m_caption.behind().storedBytes();
    }
    return bytes;
}

void ResultTable::appendSubItem(ResultRow& row, std::string_view text)
{
    if (row.m_subItemCount == ResultRow::kMaxSubItems) {
        throw std::length_error("too many sub-items");
    }
    TextArena& texts = m_impl->texts;
    const bool full = row.m_subItemCount == row.m_subItemRoom;
    const std::size_t room = !full ? row.m_subItemRoom
                                   : std::clamp<std::size_t>(std::size_t{row.m_subItemRoom} * 2,
                                                             kFirstSubItemRoom, ResultRow::kMaxSubItems);
    texts.reserve(TextArena::storedBytes(text.size()) +
                  (full ? room * sizeof(ArenaText) + alignof(ArenaText) : 0));
    const ArenaText stored = texts.store(text);
    if (full) {
        ArenaText* larger = texts.allocateArray<ArenaText>(room);
        std::copy_n(row.m_subItems, row.m_subItemCount, larger);
        texts.discard(row.m_subItemRoom * sizeof(ArenaText));
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
    if (texts.size() > ResultRow::kMaxSubItems) {
        throw std::length_error("too many sub-items");
    }
    TextArena& arena = m_impl->texts;
    std::size_t bytes = texts.size() * sizeof(ArenaText) + alignof(ArenaText);
    for (const std::string_view text : texts) {
        bytes += TextArena::storedBytes(text.size());
    }
    arena.reserve(bytes);
    ArenaText* items = arena.allocateArray<ArenaText>(texts.size());
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
        live += captionStoredBytes(row);
        if (row.m_subItemCount > 0) {
            live += row.m_subItemCount * sizeof(ArenaText) + alignof(ArenaText);
        }
        for (std::uint32_t k = 0; k < row.m_subItemCount; ++k) {
            live += row.m_subItems[k].storedBytes();
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
        row.m_caption = row.m_hasSortKey
                            ? fresh.store(row.m_caption.view(), fresh.store(row.m_caption.behind().view()))
                            : fresh.store(row.m_caption.view());
        ArenaText* items = nullptr;
        if (row.m_subItemCount > 0) {
            items = fresh.allocateArray<ArenaText>(row.m_subItemCount);
            for (std::uint32_t k = 0; k < row.m_subItemCount; ++k) {
                items[k] = fresh.store(row.m_subItems[k].view());
            }
        }
        row.m_subItems = items;
        row.m_subItemRoom = row.m_subItemCount;
    });
    texts.swap(fresh);
}

} // namespace ostrevo
