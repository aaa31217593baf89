// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// RowStore's members, for the one translation unit that instantiates the
// store for its row type.
#include "containers/rowstore.h"

#include <algorithm>
#include <cassert>

namespace ostrevo {

namespace rowstore {
// A block below a quarter full is merged with a neighbour when the two fit in
// half a block; splitting makes two halves. The gap between the two limits
// keeps an insert/erase pair from splitting and merging the same block.
inline constexpr std::size_t kSmallBlock = kRowStoreMaxBlock / 4;
inline constexpr std::size_t kMergedLimit = kRowStoreMaxBlock / 2;
// Bulk appends leave room in each block for later inserts.
inline constexpr std::size_t kAppendFill = kRowStoreMaxBlock * 3 / 4;
} // namespace rowstore

template <typename Row> RowStore<Row>::RowStore(void* owner) : m_owner(owner)
{}

template <typename Row> RowStore<Row>::~RowStore() = default;

template <typename Row> void RowStore<Row>::setBlock(Row& row, RowBlock<Row>* block)
{
    row.m_block = block;
}

template <typename Row> typename RowStore<Row>::Location RowStore<Row>::locate(std::size_t index) const
{
    assert(index < m_size);
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), index);
    const auto block = static_cast<std::size_t>(it - m_starts.begin()) - 1;
    return {block, index - m_starts[block]};
}

template <typename Row> Row& RowStore<Row>::at(std::size_t index) const
{
    const Location loc = locate(index);
    return *m_blocks[loc.block]->rows[loc.offset];
}

template <typename Row> std::size_t RowStore<Row>::indexOf(const Row& row) const
{
    if (&row == m_hintRow) {
        return m_hintIndex;
    }
    const RowBlock<Row>* block = row.m_block;
    if (block == nullptr || block->index >= m_blocks.size() || m_blocks[block->index].get() != block) {
        return npos;
    }
    const auto it = std::find(block->rows.begin(), block->rows.end(), &row);
    if (it == block->rows.end()) {
        return npos;
    }
    m_hintRow = &row;
    m_hintIndex = m_starts[block->index] + static_cast<std::size_t>(it - block->rows.begin());
    return m_hintIndex;
}

template <typename Row> std::unique_ptr<RowBlock<Row>> RowStore<Row>::newBlock() const
{
    auto block = std::make_unique<RowBlock<Row>>();
    block->owner = m_owner;
    // Full capacity up front: inserting into a block never reallocates.
    block->rows.reserve(kMaxBlock);
    return block;
}

template <typename Row> std::unique_ptr<RowBlock<Row>> RowStore<Row>::takeSpare()
{
    assert(m_spare);
    return std::move(m_spare);
}

template <typename Row> void RowStore<Row>::prepareInsert()
{
    if (!m_spare) {
        m_spare = newBlock();
    }
    if (m_blocks.capacity() < m_blocks.size() + 1) {
        m_blocks.reserve(std::max<std::size_t>(16, m_blocks.size() * 2));
    }
    if (m_starts.capacity() < m_blocks.capacity()) {
        m_starts.reserve(m_blocks.capacity());
    }
}

template <typename Row> void RowStore<Row>::renumberFrom(std::size_t first)
{
    for (std::size_t b = first; b < m_blocks.size(); ++b) {
        m_blocks[b]->index = b;
    }
}

template <typename Row>
void RowStore<Row>::insertBlock(std::size_t at, std::unique_ptr<RowBlock<Row>> block, std::size_t start)
{
    m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(at), std::move(block));
    m_starts.insert(m_starts.begin() + static_cast<std::ptrdiff_t>(at), start);
    renumberFrom(at);
}

template <typename Row> void RowStore<Row>::removeBlock(std::size_t at)
{
    std::unique_ptr<RowBlock<Row>> block = std::move(m_blocks[at]);
    m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(at));
    m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(at));
    renumberFrom(at);
    if (!m_spare) {
        block->rows.clear();
        m_spare = std::move(block);
    }
}

template <typename Row> void RowStore<Row>::split(std::size_t block)
{
    std::unique_ptr<RowBlock<Row>> fresh = takeSpare();
    auto& rows = m_blocks[block]->rows;
    const std::size_t half = rows.size() / 2;
    fresh->rows.assign(rows.begin() + static_cast<std::ptrdiff_t>(half), rows.end());
    rows.resize(half);
    for (Row* row : fresh->rows) {
        setBlock(*row, fresh.get());
    }
    insertBlock(block + 1, std::move(fresh), m_starts[block] + half);
}

template <typename Row> void RowStore<Row>::mergeInto(std::size_t target)
{
    auto& into = m_blocks[target]->rows;
    const auto& from = m_blocks[target + 1]->rows;
    for (Row* row : from) {
        into.push_back(row);
        setBlock(*row, m_blocks[target].get());
    }
    removeBlock(target + 1);
}

template <typename Row> void RowStore<Row>::insertPrepared(std::size_t index, Row* row) noexcept
{
    assert(index <= m_size);
    if (m_blocks.empty()) {
        insertBlock(0, takeSpare(), 0);
    }
    Location loc =
        index == m_size ? Location{m_blocks.size() - 1, m_blocks.back()->rows.size()} : locate(index);
    if (m_blocks[loc.block]->rows.size() >= kMaxBlock) {
        if (index == m_size) {
            // Appending: start a new block rather than leave two half-full ones.
            insertBlock(m_blocks.size(), takeSpare(), m_size);
            loc = {m_blocks.size() - 1, 0};
        } else {
            split(loc.block);
            const std::size_t half = m_blocks[loc.block]->rows.size();
            if (loc.offset > half) {
                ++loc.block;
                loc.offset -= half;
            }
        }
    }
    auto& rows = m_blocks[loc.block]->rows;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(loc.offset), row);
    setBlock(*row, m_blocks[loc.block].get());
    for (std::size_t b = loc.block + 1; b < m_starts.size(); ++b) {
        ++m_starts[b];
    }
    ++m_size;
    m_hintRow = row;
    m_hintIndex = index;
}

template <typename Row> void RowStore<Row>::insert(std::size_t index, Row* row)
{
    prepareInsert();
    insertPrepared(index, row);
}

template <typename Row> void RowStore<Row>::prepareAppend(std::size_t count)
{
    std::size_t room = 0;
    if (!m_blocks.empty() && m_blocks.back()->rows.size() < rowstore::kAppendFill) {
        room = rowstore::kAppendFill - m_blocks.back()->rows.size();
    }
    const std::size_t remaining = count > room ? count - room : 0;
    const std::size_t blocksNeeded = (remaining + rowstore::kAppendFill - 1) / rowstore::kAppendFill;
    m_appendBlocks.reserve(blocksNeeded);
    while (m_appendBlocks.size() < blocksNeeded) {
        m_appendBlocks.push_back(newBlock());
    }
    m_blocks.reserve(m_blocks.size() + blocksNeeded);
    m_starts.reserve(m_blocks.capacity());
}

template <typename Row> void RowStore<Row>::append(std::vector<Row*>& rows)
{
    if (rows.empty()) {
        return;
    }
    prepareAppend(rows.size());
    // Nothing below allocates.
    for (Row* row : rows) {
        if (m_blocks.empty() || m_blocks.back()->rows.size() >= rowstore::kAppendFill) {
            assert(!m_appendBlocks.empty());
            insertBlock(m_blocks.size(), std::move(m_appendBlocks.back()), m_size);
            m_appendBlocks.pop_back();
        }
        RowBlock<Row>* block = m_blocks.back().get();
        block->rows.push_back(row);
        setBlock(*row, block);
        ++m_size;
    }
    rows.clear();
    m_hintRow = nullptr;
}

template <typename Row> Row* RowStore<Row>::detach(std::size_t index) noexcept
{
    const Location loc = locate(index);
    auto& rows = m_blocks[loc.block]->rows;
    Row* row = rows[loc.offset];
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(loc.offset));
    for (std::size_t b = loc.block + 1; b < m_starts.size(); ++b) {
        --m_starts[b];
    }
    --m_size;
    tidyAfterErase(loc.block);
    setBlock(*row, nullptr);
    m_hintRow = nullptr;
    return row;
}

template <typename Row> void RowStore<Row>::tidyAfterErase(std::size_t block) noexcept
{
    const std::size_t size = m_blocks[block]->rows.size();
    if (size == 0) {
        if (m_blocks.size() > 1) {
            removeBlock(block);
        }
        return;
    }
    if (size >= rowstore::kSmallBlock) {
        return;
    }
    if (block + 1 < m_blocks.size() && size + m_blocks[block + 1]->rows.size() <= rowstore::kMergedLimit) {
        mergeInto(block);
    } else if (block > 0 && m_blocks[block - 1]->rows.size() + size <= rowstore::kMergedLimit) {
        mergeInto(block - 1);
    }
}

template <typename Row> Row* RowStore<Row>::erase(std::size_t index) noexcept
{
    return detach(index);
}

template <typename Row> void RowStore<Row>::move(std::size_t from, std::size_t to)
{
    if (from == to) {
        return;
    }
    prepareInsert();
    insertPrepared(to, detach(from));
}

template <typename Row> void RowStore<Row>::clear() noexcept
{
    m_blocks.clear();
    m_appendBlocks.clear();
    m_starts.clear();
    m_size = 0;
    m_hintRow = nullptr;
}

} // namespace ostrevo
