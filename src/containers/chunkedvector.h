// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A sequence kept in chunks of at most a few hundred elements, so that an
// insertion in the middle moves one chunk rather than half the sequence.
// Sorted insertion into a list of 100,000 entries stays cheap, and indexing
// costs a binary search over the chunk starts.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace ostrevo::detail {

template <typename T> class ChunkedVector {
public:
    static constexpr std::size_t MaxChunk = 512;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    const T& operator[](std::size_t index) const
    {
        const auto [chunk, offset] = locate(index);
        return m_chunks[chunk][offset];
    }
    T& operator[](std::size_t index)
    {
        const auto [chunk, offset] = locate(index);
        return m_chunks[chunk][offset];
    }

    void push_back(T value)
    {
        if (m_chunks.empty() || m_chunks.back().size() >= MaxChunk) {
            m_chunks.emplace_back();
            m_chunks.back().reserve(MaxChunk);
            m_starts.push_back(m_size);
        }
        m_chunks.back().push_back(std::move(value));
        ++m_size;
    }

    void insert(std::size_t index, T value)
    {
        if (index >= m_size) {
            push_back(std::move(value));
            return;
        }
        auto [chunk, offset] = locate(index);
        auto& target = m_chunks[chunk];
        target.insert(target.begin() + static_cast<std::ptrdiff_t>(offset), std::move(value));
        ++m_size;
        if (target.size() > MaxChunk) {
            split(chunk);
        }
        restart(chunk);
    }

    void erase(std::size_t index)
    {
        auto [chunk, offset] = locate(index);
        auto& target = m_chunks[chunk];
        target.erase(target.begin() + static_cast<std::ptrdiff_t>(offset));
        --m_size;
        if (target.empty()) {
            m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(chunk));
            m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(chunk));
        }
        restart(chunk);
    }

    void clear()
    {
        m_chunks.clear();
        m_starts.clear();
        m_size = 0;
    }

    // Every element in order, leaving the sequence empty.
    std::vector<T> takeAll()
    {
        std::vector<T> all;
        all.reserve(m_size);
        for (auto& chunk : m_chunks) {
            std::move(chunk.begin(), chunk.end(), std::back_inserter(all));
        }
        clear();
        return all;
    }

    // Index of the first element e with less(value, e), for a sequence
    // ordered by `less`; size() when there is none.
    template <typename V, typename Less> std::size_t upperBound(const V& value, Less less) const
    {
        const auto chunk =
            std::partition_point(m_chunks.begin(), m_chunks.end(),
                                 [&](const std::vector<T>& c) { return !less(value, c.back()); });
        if (chunk == m_chunks.end()) {
            return m_size;
        }
        const auto within = std::upper_bound(chunk->begin(), chunk->end(), value, less);
        const auto c = static_cast<std::size_t>(chunk - m_chunks.begin());
        return m_starts[c] + static_cast<std::size_t>(within - chunk->begin());
    }

    template <typename F> void forEach(F f) const
    {
        for (const auto& chunk : m_chunks) {
            for (const auto& element : chunk) {
                f(element);
            }
        }
    }

    template <typename F> void forEach(F f)
    {
        for (auto& chunk : m_chunks) {
            for (auto& element : chunk) {
                f(element);
            }
        }
    }

private:
    std::pair<std::size_t, std::size_t> locate(std::size_t index) const
    {
        const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), index);
        const auto chunk = static_cast<std::size_t>(after - m_starts.begin()) - 1;
        return {chunk, index - m_starts[chunk]};
    }

    void split(std::size_t chunk)
    {
        auto& full = m_chunks[chunk];
        const auto half = static_cast<std::ptrdiff_t>(full.size() / 2);
        std::vector<T> upper;
        upper.reserve(MaxChunk);
        std::move(full.begin() + half, full.end(), std::back_inserter(upper));
        full.erase(full.begin() + half, full.end());
        m_chunks.insert(m_chunks.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, std::move(upper));
        m_starts.insert(m_starts.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, 0);
    }

    // Recomputes the starts of chunk `from` and of every chunk after it.
    void restart(std::size_t from)
    {
        std::size_t start = from == 0 ? 0 : m_starts[from - 1] + m_chunks[from - 1].size();
        for (std::size_t c = from; c < m_chunks.size(); ++c) {
            m_starts[c] = start;
            start += m_chunks[c].size();
        }
    }

    std::vector<std::vector<T>> m_chunks;
    std::vector<std::size_t> m_starts; // index of each chunk's first element
    std::size_t m_size = 0;
};

} // namespace ostrevo::detail
