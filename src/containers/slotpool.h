// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Room for many objects of one trivially destructible type, carved from
// large chunks: an object's address never changes, a released slot is used
// again, and clear() lets every object go by freeing the chunks, without
// visiting the objects.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define OSTREVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OSTREVO_ASAN 1
#endif
#endif

#if defined(OSTREVO_ASAN)
#include <sanitizer/asan_interface.h>
#define OSTREVO_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define OSTREVO_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define OSTREVO_POISON(address, size) ((void)(address), (void)(size))
#define OSTREVO_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace ostrevo {

template <typename T> class SlotPool {
    static_assert(std::is_trivially_destructible_v<T>, "clear() does not run destructors");

public:
    static constexpr std::size_t kSlotsPerChunk = 16384;

    SlotPool() = default;
    SlotPool(const SlotPool&) = delete;
    SlotPool& operator=(const SlotPool&) = delete;

    // Room for one object, to be constructed by the caller. Throws std::bad_alloc.
    void* allocate()
    {
        if (m_free != nullptr) {
            Slot* slot = m_free;
            OSTREVO_UNPOISON(slot, sizeof(Slot));
            m_free = slot->next;
            return slot;
        }
        if (m_used == m_chunkEnd) {
            m_chunks.reserve(m_chunks.size() + 1);
            m_chunks.emplace_back(new Slot[kSlotsPerChunk]);
            m_used = m_chunks.back().get();
            m_chunkEnd = m_used + kSlotsPerChunk;
        }
        return m_used++;
    }

    // The object at `object` is no longer used (its destructor is trivial).
    void release(void* object) noexcept
    {
        Slot* slot = static_cast<Slot*>(object);
        slot->next = m_free;
        m_free = slot;
        // A row used after its deletion is then caught by the sanitizer.
        OSTREVO_POISON(slot, sizeof(Slot));
    }

    void clear() noexcept
    {
        for (const auto& chunk : m_chunks) {
            OSTREVO_UNPOISON(chunk.get(), sizeof(Slot) * kSlotsPerChunk);
        }
        m_chunks.clear();
        m_free = nullptr;
        m_used = nullptr;
        m_chunkEnd = nullptr;
    }

    ~SlotPool() { clear(); }

private:
    union Slot {
        Slot* next;
        alignas(T) unsigned char object[sizeof(T)];
    };

    std::vector<std::unique_ptr<Slot[]>> m_chunks;
    Slot* m_free = nullptr;
    Slot* m_used = nullptr; // next never used slot of the last chunk
    Slot* m_chunkEnd = nullptr;
};

} // namespace ostrevo

#undef OSTREVO_ASAN
#undef OSTREVO_POISON
#undef OSTREVO_UNPOISON
