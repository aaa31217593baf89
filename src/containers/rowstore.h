// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The table's rows in display order. A plain vector would move every pointer
// below an insertion; here the rows live in blocks of at most kMaxBlock
// pointers, so an insert or erase moves at most one block's worth, finding a
// position costs a binary search over the block starts, and a row finds its
// own index through the block it records.
//
// Not built on ChunkedVector, although both split full blocks and locate by
// block starts: here every insert or move is prepared first (prepareInsert
// allocates the spare block and the room in the block lists), so that the
// change itself cannot throw once the view was told it is about to happen.
// ChunkedVector allocates the new chunk in the middle of its insert, and
// rows record their block, which its chunks know nothing of; sharing its
// split would bring that allocation back after the notification.

// Rows of any type that keeps a `RowBlock<Row>* m_block` for the store (and
// befriends it). The store only orders them: the table that makes the rows
// keeps them alive and lets them go. Each block names the store's owner, so
// that a stored row reaches its table without a pointer of its own. The
// member definitions are in rowstoreimpl.h, instantiated by the owner of the
// row type.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace ostrevo {

inline constexpr std::size_t kRowStoreMaxBlock = 1024;

template <typename Row> struct RowBlock {
    std::vector<Row*> rows;
    std::size_t index = 0; // position in RowStore's block list
    void* owner = nullptr; // as given to the store
};

template <typename Row> class RowStore {
public:
    static constexpr std::size_t kMaxBlock = kRowStoreMaxBlock;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit RowStore(void* owner = nullptr);
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    std::size_t size() const { return m_size; }
    std::size_t blockCount() const { return m_blocks.size(); }
    Row& at(std::size_t index) const;
    // npos when the row is not stored here.
    std::size_t indexOf(const Row& row) const;

    // Allocates what the next insert or move needs, so that callers can tell
    // observers "about to" knowing the change itself will not fail.
    void prepareInsert();
    // On failure the row is not stored.
    void insert(std::size_t index, Row* row);
    // Allocates what appending `count` rows needs; append() after it does
    // not throw.
    void prepareAppend(std::size_t count);
    // Appends all of `rows` (leaving it empty) or, on failure, none.
    void append(std::vector<Row*>& rows);
    // Takes the row out of the order and hands it back.
    Row* erase(std::size_t index) noexcept;
    // The row at `from` ends up at `to` (positions after the move).
    void move(std::size_t from, std::size_t to);
    // Forgets every row.
    void clear() noexcept;

    template <typename F> void forEach(F&& f) const
    {
        for (const auto& block : m_blocks) {
            for (Row* row : block->rows) {
                f(*row);
            }
        }
    }

    // The first position in [0, count) whose row is after the probe, for rows
    // [0, count) in order: `after(row)` tells whether the row comes after the
    // probe. Searches the block starts first, then inside one block.
    template <typename After> std::size_t upperBound(std::size_t count, After&& after) const
    {
        if (count == 0) {
            return 0;
        }
        const std::size_t lastBlock = locate(count - 1).block;
        std::size_t low = 0;
        std::size_t high = lastBlock + 1;
        while (low < high) {
            const std::size_t mid = low + (high - low) / 2;
            if (after(*m_blocks[mid]->rows.front())) {
                high = mid;
            } else {
                low = mid + 1;
            }
        }
        if (low == 0) {
            return 0;
        }
        const std::size_t block = low - 1;
        const auto& rows = m_blocks[block]->rows;
        const std::size_t inBlock = std::min(rows.size(), count - m_starts[block]);
        const auto end = rows.begin() + static_cast<std::ptrdiff_t>(inBlock);
        const auto it = std::partition_point(rows.begin(), end, [&](const Row* row) { return !after(*row); });
        return m_starts[block] + static_cast<std::size_t>(it - rows.begin());
    }

    // The rows block by block, in display order.
    template <typename F> void forEachBlock(F&& f) const
    {
        for (const auto& block : m_blocks) {
            f(static_cast<const std::vector<Row*>&>(block->rows));
        }
    }

    // Puts the same rows in a new order: nth(k) gives the row for position k
    // and must name every stored row exactly once. Allocates nothing.
    template <typename Nth> void reorder(Nth&& nth) noexcept
    {
        std::size_t k = 0;
        for (const auto& block : m_blocks) {
            for (Row*& slot : block->rows) {
                slot = nth(k++);
                setBlock(*slot, block.get());
            }
        }
        m_hintRow = nullptr;
    }

private:
    struct Location {
        std::size_t block;
        std::size_t offset;
    };
    Location locate(std::size_t index) const;
    std::unique_ptr<RowBlock<Row>> newBlock() const;
    std::unique_ptr<RowBlock<Row>> takeSpare();
    void insertBlock(std::size_t at, std::unique_ptr<RowBlock<Row>> block, std::size_t start);
    void removeBlock(std::size_t at);
    void renumberFrom(std::size_t first);
    void split(std::size_t block);
    void mergeInto(std::size_t target);
    void insertPrepared(std::size_t index, Row* row) noexcept;
    Row* detach(std::size_t index) noexcept;
    void tidyAfterErase(std::size_t block) noexcept;
    static void setBlock(Row& row, RowBlock<Row>* block);

    void* m_owner;
    std::vector<std::unique_ptr<RowBlock<Row>>> m_blocks;
    std::vector<std::size_t> m_starts; // index of each block's first row
    std::size_t m_size = 0;
    std::unique_ptr<RowBlock<Row>> m_spare;                     // ready for the next split
    std::vector<std::unique_ptr<RowBlock<Row>>> m_appendBlocks; // from prepareAppend
    // The row whose index was last asked for or changed: the lookup run asks
    // for the same row several times in a row.
    mutable const Row* m_hintRow = nullptr;
    mutable std::size_t m_hintIndex = 0;
};

} // namespace ostrevo
