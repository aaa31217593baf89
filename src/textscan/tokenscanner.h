// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads a text's tokens (or fields) one after the other, exactly as a loop of
// NextToken (or FieldOf) calls sharing one cursor would, at the speed of a
// whole-text scan: the text is classified 64 bytes at a time as the reading
// reaches it, and the following calls walk the block's separator bits
// instead of looking at the bytes again. The text must stay alive and
// unchanged while the scanner reads it; returned views point into it.
//
//     TokenScanner scanner(page, " \t\r\n,;");
//     for (std::string_view token = scanner.next(); !token.empty(); token = scanner.next()) { ... }

#include "textscan/blockscan.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ostrevo {

namespace detail {
struct Resumable;

// NextToken and FieldOf past their quick path: a per-thread scanner goes on
// where the previous call ended when it is called for the same text, set
// and cursor and the bytes of its block are unchanged, else starts afresh.
std::string_view resumedNext(std::string_view text, std::string_view separators, std::int32_t& cursor,
                             bool field) noexcept;
} // namespace detail

class TokenScanner {
public:
    // Starts at 1-based `cursor`. Arguments NextToken refuses leave nothing
    // to read; a set longer than 256 characters finds no separator.
    TokenScanner(std::string_view text, std::string_view separators, std::int32_t cursor = 1) noexcept;

    // What NextToken(text, separators, cursor) returns with this scanner's
    // cursor: empty once the end is reached.
    std::string_view next() noexcept;

    // What FieldOf(text, separators, cursor) returns with this scanner's cursor.
    std::string_view nextField() noexcept;

    // Hands `f` every token next() would still return, in order, and leaves
    // nothing to read. Quicker than a loop of next() calls: the block's edge
    // mask stays in a register instead of going through the scanner between
    // tokens. When `f` throws, nothing is left to read either.
    template <typename F> void forEach(F&& f);

    // Where the next call starts, as NextToken leaves its cursor; 0 when
    // nothing is left.
    std::int32_t cursor() const noexcept
    {
        return m_resume == nullptr ? 0 : static_cast<std::int32_t>(m_resume - m_text) + 1;
    }

private:
    friend struct detail::Resumable;

    std::string_view finish(const char* begin, const char* end) noexcept;
    template <typename F> void walkBlocks(F& f, const char*& open);
    bool loadNext() noexcept;
    const char* takeEdge() noexcept;
    const char* takeEdgeOfNextBlocks() noexcept;

    const char* m_text;
    const char* m_resume; // where the next call starts; null when nothing is left
    detail::BlockState m_state;
    detail::SeparatorClasses m_classes;
};

namespace detail {
inline std::size_t lowestBit(std::uint64_t bits) noexcept
{
    return static_cast<unsigned>(std::countr_zero(bits));
}
} // namespace detail

inline std::string_view TokenScanner::next() noexcept
{
    // Edges alternate: the first one left is a token's start, the next its end.
    // Most tokens start and end in one block: both edges come from one read
    // of the mask, which keeps the mask's chain through memory short.
    const std::uint64_t edges = m_state.edges;
    const std::uint64_t rest = edges & (edges - 1);
    if (rest != 0) [[likely]] {
        m_state.edges = rest & (rest - 1);
        const char* first = m_state.block + detail::lowestBit(edges);
        const char* last = m_state.block + detail::lowestBit(rest);
        m_resume = last + 1;
        return {first, static_cast<std::size_t>(last - first)};
    }
    const char* begin = takeEdge();
    if (begin == nullptr) [[unlikely]] {
        return finish(m_state.end, m_state.end);
    }
    const char* end = takeEdge();
    if (end == nullptr) [[unlikely]] {
        return finish(begin, m_state.end);
    }
    m_resume = end + 1; // the separator is consumed with the token
    return {begin, static_cast<std::size_t>(end - begin)};
}

inline std::string_view TokenScanner::nextField() noexcept
{
    if (m_resume == nullptr) {
        return {};
    }
    const char* begin = m_resume;
    // The field starts just after the last separator read, at most one past the block.
    const auto offset = static_cast<std::size_t>(begin - m_state.block);
    std::uint64_t stops = offset < detail::BlockSize ? m_state.separators & (~std::uint64_t{0} << offset) : 0;
    while (stops == 0) {
        if (!loadNext()) {
            return finish(begin, m_state.end);
        }
        stops = m_state.separators;
    }
    const std::uint64_t stop = stops & (0 - stops);
    const std::uint64_t after = 0 - (stop << 1);
    m_state.edges &= after;
    const char* end = m_state.block + detail::lowestBit(stop);
    m_resume = end + 1;
    return {begin, static_cast<std::size_t>(end - begin)};
}

template <typename F> void TokenScanner::forEach(F&& f)
{
    if (m_resume == nullptr) {
        return;
    }
    // Edges alternate: a token's start, then its end. A token whose end
    // lies in a later block waits in `open`.
    const char* open = nullptr;
    try {
        walkBlocks(f, open);
    } catch (...) {
        finish(m_state.end, m_state.end);
        throw;
    }
    const char* end = m_state.end;
    finish(end, end);
    if (open != nullptr) {
        f(std::string_view(open, static_cast<std::size_t>(end - open)));
    }
}

template <typename F> void TokenScanner::walkBlocks(F& f, const char*& open)
{
    const auto walk = [&](std::uint64_t edges, const char* block) {
        if (open != nullptr && edges != 0) {
            const char* end = block + detail::lowestBit(edges);
            edges &= edges - 1;
            f(std::string_view(open, static_cast<std::size_t>(end - open)));
            open = nullptr;
        }
        while ((edges & (edges - 1)) != 0) {
            const char* first = block + detail::lowestBit(edges);
            edges &= edges - 1;
            const char* last = block + detail::lowestBit(edges);
            edges &= edges - 1;
            f(std::string_view(first, static_cast<std::size_t>(last - first)));
        }
        if (edges != 0) {
            open = block + detail::lowestBit(edges);
        }
    };
    walk(m_state.edges, m_state.block);
    m_state.edges = 0;
    // The following blocks are classified several at a time.
    constexpr std::size_t batch = 8;
    std::uint64_t edges[batch];
    while (m_state.end - m_state.block > static_cast<std::ptrdiff_t>(detail::BlockSize)) {
        const char* first = m_state.block + detail::BlockSize;
        const std::size_t count = detail::loadBlocks(m_state, m_classes, first, edges, batch);
        m_state.edges = 0;
        for (std::size_t k = 0; k < count; ++k) {
            walk(edges[k], first + k * detail::BlockSize);
        }
    }
}

// The first edge left, taken; null at the end of the text.
inline const char* TokenScanner::takeEdge() noexcept
{
    const std::uint64_t edges = m_state.edges;
    if (edges == 0) [[unlikely]] {
        return takeEdgeOfNextBlocks();
    }
    m_state.edges = edges & (edges - 1);
    return m_state.block + detail::lowestBit(edges);
}

// Classifies the next block, if the text goes on.
inline bool TokenScanner::loadNext() noexcept
{
    if (m_state.end - m_state.block <= static_cast<std::ptrdiff_t>(detail::BlockSize)) {
        return false;
    }
    detail::loadBlock(m_state, m_classes, m_state.block + detail::BlockSize);
    return true;
}

} // namespace ostrevo
