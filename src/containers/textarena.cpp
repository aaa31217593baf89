// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "containers/textarena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace ostrevo {

namespace {
// Blocks grow with the arena (a quarter of what it holds), so that a million
// rows take a few dozen blocks and a small table does not hold megabytes.
constexpr std::size_t kMinBlock = std::size_t{64} << 10;
constexpr std::size_t kMaxBlock = std::size_t{4} << 20;
// Larger requests get a block of their own; the current block stays in use.
constexpr std::size_t kOwnBlockAbove = kMinBlock / 4;
constexpr std::size_t kCompactionFloor = std::size_t{64} << 10;

std::size_t paddingFor(const char* at, std::size_t alignment)
{
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    return (alignment - address % alignment) % alignment;
}
} // namespace

char* TextArena::newBlock(std::size_t bytes)
{
    std::unique_ptr<char[]> block(new char[bytes]);
    // ArenaText keeps 48 bits of an address; room above them cannot be used.
    if ((reinterpret_cast<std::uintptr_t>(block.get()) + bytes) >> ArenaText::kAddressBits != 0) {
        throw std::bad_alloc();
    }
    m_blocks.reserve(m_blocks.size() + 1);
    m_blocks.push_back(std::move(block));
    return m_blocks.back().get();
}

void* TextArena::allocate(std::size_t bytes, std::size_t alignment)
{
    if (bytes == 0) {
        return nullptr;
    }
    std::size_t padding = m_next != nullptr ? paddingFor(m_next, alignment) : 0;
    if (m_next == nullptr || static_cast<std::size_t>(m_end - m_next) < padding + bytes) {
        if (bytes > kOwnBlockAbove) {
            // operator new[] aligns for any fundamental type.
            char* own = newBlock(bytes);
            m_used += bytes;
            return own;
        }
        const std::size_t size = std::clamp(m_used / 4, kMinBlock, kMaxBlock);
        char* block = newBlock(size);
        // The old block's unused tail is lost until the next compaction.
        m_garbage += static_cast<std::size_t>(m_end - m_next);
        m_used += static_cast<std::size_t>(m_end - m_next);
        m_next = block;
        m_end = block + size;
        padding = 0;
    }
    char* at = m_next + padding;
    m_next = at + bytes;
    m_used += padding + bytes;
    m_garbage += padding;
    return at;
}

ArenaText TextArena::place(std::string_view text, const ArenaText* behind)
{
    const std::size_t trailer = behind != nullptr ? sizeof behind->m_bits : 0;
    char* at = static_cast<char*>(allocate(storedBytes(text.size()) + trailer, 1));
    if (text.size() >= ArenaText::kLongLength) {
        const std::uint64_t length = text.size();
        std::memcpy(at, &length, sizeof length);
        at += sizeof length;
    }
    if (!text.empty()) {
        std::memcpy(at, text.data(), text.size());
    }
    if (behind != nullptr) {
        std::memcpy(at + text.size(), &behind->m_bits, trailer);
    }
    return {at, text.size()};
}

ArenaText TextArena::store(std::string_view text)
{
    return text.empty() ? ArenaText() : place(text, nullptr);
}

ArenaText TextArena::store(std::string_view text, ArenaText behind)
{
    return place(text, &behind);
}

void TextArena::reserve(std::size_t bytes)
{
    if (bytes == 0 || static_cast<std::size_t>(m_end - m_next) >= bytes) {
        return;
    }
    const std::size_t size = std::max(bytes, std::clamp(m_used / 4, kMinBlock, kMaxBlock));
    char* block = newBlock(size);
    m_garbage += static_cast<std::size_t>(m_end - m_next);
    m_used += static_cast<std::size_t>(m_end - m_next);
    m_next = block;
    m_end = block + size;
}

bool TextArena::wantsCompaction() const
{
    return m_garbage > kCompactionFloor && m_garbage > m_used - m_garbage;
}

void TextArena::clear() noexcept
{
    m_blocks.clear();
    m_next = nullptr;
    m_end = nullptr;
    m_used = 0;
    m_garbage = 0;
}

void TextArena::swap(TextArena& other) noexcept
{
    m_blocks.swap(other.m_blocks);
    std::swap(m_next, other.m_next);
    std::swap(m_end, other.m_end);
    std::swap(m_used, other.m_used);
    std::swap(m_garbage, other.m_garbage);
}

} // namespace ostrevo
