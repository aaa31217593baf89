// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/tokenscanner.h"

#include "textscan/separatorscanner.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ostrevo {
namespace {

using detail::SeparatorClasses;

template <typename Word> bool sameEnds(const char* a, const char* b, std::size_t size) noexcept
{
    Word a0, b0, a1, b1;
    std::memcpy(&a0, a, sizeof(Word));
    std::memcpy(&b0, b, sizeof(Word));
    std::memcpy(&a1, a + size - sizeof(Word), sizeof(Word));
    std::memcpy(&b1, b + size - sizeof(Word), sizeof(Word));
    return a0 == b0 && a1 == b1;
}

// The last set a scanner was made for on this thread: a per-token NextToken
// makes one for every call, nearly always with the same set.
struct LastSet {
    OSTREVO_HOT_INLINE bool holds(std::string_view set) const noexcept
    {
        if (set.size() != size) {
            return false;
        }
        if (size >= 8 && size <= 16) {
            return sameEnds<std::uint64_t>(set.data(), bytes, size);
        }
        if (size >= 4 && size < 8) {
            return sameEnds<std::uint32_t>(set.data(), bytes, size);
        }
        return std::memcmp(set.data(), bytes, size) == 0;
    }

    OSTREVO_NOINLINE void assign(std::string_view set) noexcept
    {
        size = set.size();
        std::memcpy(bytes, set.data(), size);
        classes.assign(set);
        ++generation;
    }

    std::size_t size; // 0 until the first set: sets are never empty here
    char bytes[detail::MaxSeparatorSetSize];
    SeparatorClasses classes;
    std::uint64_t generation; // counts the sets held so far
};

thread_local LastSet t_lastSet;

OSTREVO_HOT_INLINE const SeparatorClasses& classesOf(std::string_view set) noexcept
{
    if (!t_lastSet.holds(set)) {
        t_lastSet.assign(set);
    }
    return t_lastSet.classes;
}

// Positions are 32-bit: a longer text is read as if it ended at the last
// position a cursor can name.
constexpr auto MaxPosition = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

std::size_t scanLength(std::string_view text) noexcept
{
    return text.size() < MaxPosition ? text.size() : MaxPosition;
}

} // namespace

TokenScanner::TokenScanner(std::string_view text, std::string_view separators, std::int32_t cursor) noexcept
    : m_text(text.data()), m_resume(nullptr)
{
    const char* end = m_text + scanLength(text);
    m_state = {end, end, text.size() >= MaxPosition, 0, 0, 0, 0};
    if (cursor <= 0 || cursor > end - m_text || separators.empty()) {
        return;
    }
    if (separators.size() > detail::MaxSeparatorSetSize) {
        m_classes.assign({});
    } else {
        m_classes = classesOf(separators);
    }
    m_resume = m_text + (cursor - 1);
    detail::loadBlock(m_state, m_classes, m_resume);
}

const char* TokenScanner::takeEdgeOfNextBlocks() noexcept
{
    while (m_state.edges == 0) {
        if (!loadNext()) {
            return nullptr;
        }
    }
    return takeEdge();
}

// The piece from `begin` to `end`, the last one: nothing is left to read.
std::string_view TokenScanner::finish(const char* begin, const char* end) noexcept
{
    m_resume = nullptr;
    m_state.edges = 0;
    m_state.block = m_state.end;
    return {begin, static_cast<std::size_t>(end - begin)};
}

namespace detail {
namespace {

OSTREVO_HOT_INLINE bool sameBytes(const char* a, const char* b, std::size_t size) noexcept
{
#if OSTREVO_SEPARATOR_SIMD
    if (size == BlockSize) {
        const auto part = [a, b](std::size_t at) {
            return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at)));
        };
        const __m128i equal =
            _mm_and_si128(_mm_and_si128(part(0), part(16)), _mm_and_si128(part(32), part(48)));
        return _mm_movemask_epi8(equal) == 0xFFFF;
    }
#endif
    return std::memcmp(a, b, size) == 0;
}

} // namespace

// The scanner of the last NextToken or FieldOf call on this thread, with a
// copy of its block's bytes: its masks are reused only while the text there
// is unchanged, so a caller that edits its text between calls never gets
// stale answers.
struct Resumable {
    OSTREVO_HOT_INLINE std::string_view next(std::string_view text, std::string_view separators,
                                             std::int32_t& cursor, bool field) noexcept
    {
        const bool resumes = scanner.m_resume != nullptr && scanner.m_text == text.data() &&
                             textSize == text.size() && cursor > 0 &&
                             scanner.m_resume - scanner.m_text == cursor - 1 &&
                             setGeneration == t_lastSet.generation && t_lastSet.holds(separators) &&
                             copied == scanner.m_state.block && sameBytes(copied, bytes, copiedSize);
        if (!resumes) {
            restart(text, separators, cursor);
        }
        const std::string_view piece = field ? scanner.nextField() : scanner.next();
        cursor = scanner.cursor();
        if (scanner.m_resume != nullptr && copied != scanner.m_state.block) {
            keepBlock();
        }
        return piece;
    }

    OSTREVO_NOINLINE void restart(std::string_view text, std::string_view separators,
                                  std::int32_t cursor) noexcept
    {
        scanner = TokenScanner(text, separators, cursor);
        textSize = text.size();
        setGeneration = t_lastSet.generation;
        copied = nullptr;
    }

    OSTREVO_NOINLINE void keepBlock() noexcept
    {
        copied = scanner.m_state.block;
        copiedSize = std::min<std::size_t>(BlockSize, static_cast<std::size_t>(scanner.m_state.end - copied));
        std::memcpy(bytes, copied, copiedSize);
    }

    TokenScanner scanner{{}, {}, 0};
    std::size_t textSize = 0;
    std::uint64_t setGeneration = 0;
    const char* copied = nullptr; // the block whose bytes `bytes` holds
    std::size_t copiedSize = 0;
    alignas(16) char bytes[BlockSize] = {};
};

namespace {
thread_local Resumable t_resumable;
} // namespace

std::string_view resumedNext(std::string_view text, std::string_view separators, std::int32_t& cursor,
                             bool field) noexcept
{
    return t_resumable.next(text, separators, cursor, field);
}

} // namespace detail
} // namespace ostrevo
