// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The URL list of the links search window: ordered entries of 8-bit text, each
// with a ticked flag, no two of them equal ignoring letter case. In sorted mode
// every entry added goes to its alphabetical place.

#include "containers/chunkedvector.h"
#include "containers/flatkeyset.h"
#include "textscan/textkey.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrevo {

// Told about every change, before and after, in the order Qt's item models
// announce theirs.
class UrlListObserver {
public:
    virtual ~UrlListObserver() = default;
    virtual void entryAboutToBeInserted(int index) = 0;
    virtual void entryInserted() = 0;
    virtual void entryAboutToBeRemoved(int index) = 0;
    virtual void entryRemoved() = 0;
    // The ticked flag of entries first to last (inclusive) may have changed.
    virtual void ticksChanged(int first, int last) = 0;
    // Many entries change at once (clear, sort, bulk removal, replacement).
    virtual void aboutToReset() = 0;
    virtual void reset() = 0;
};

class UrlList {
public:
    // `caseFoldKey` decides equality (equal keys = equal ignoring case);
    // `sortKey` decides the sorted mode's order (byte order of the keys).
    // Without a sort key the case-fold keys give the order.
    explicit UrlList(TextKeyFunction caseFoldKey = asciiLower, TextKeyFunction sortKey = {});
    // A copy has the same entries, mode and keys, and no observer.
    UrlList(const UrlList& other);
    UrlList& operator=(const UrlList&) = delete;
    UrlList(UrlList&&) = default;
    UrlList& operator=(UrlList&&) = default;

    void setObserver(UrlListObserver* observer) { m_observer = observer; }

    int count() const { return static_cast<int>(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }
    const std::string& text(int index) const; // throws ListIndexError
    bool isTicked(int index) const;           // throws ListIndexError
    void setTicked(int index, bool ticked);   // throws ListIndexError
    std::vector<std::string> texts() const;
    // Calls f(text, ticked) for every entry in list order.
    template <typename F> void forEachEntry(F f) const
    {
        m_order.forEach(
            [&](std::uint32_t slot) { f(std::as_const(m_slots[slot].text), m_slots[slot].ticked); });
    }

    // Whether an entry equal to `text` ignoring letter case exists.
    bool contains(std::string_view text) const;

    // Adds `text` unless an equal entry exists: at the end, or at its place in
    // sorted mode. Returns the new entry's index, or -1 when it was present.
    int append(std::string_view text, bool ticked = false);

    void remove(int index); // throws ListIndexError
    void clear();
    // The texts, in their order, replace the whole content, all unticked;
    // a text equal to an earlier one is left out.
    void assign(std::vector<std::string> texts);

    bool isSorted() const { return m_sorted; }
    // Switches to sorted mode for good and puts the entries in order; ticks
    // stay with their entries.
    void sortAlphabetically();

    void setAllTicked(bool ticked);
    // Ticks (or unticks) every entry containing at least one of the words
    // (case-sensitive); empty words match nothing. Returns how many matched.
    int setTickedContaining(const std::vector<std::string>& words, bool ticked);
    // Removes every unticked entry; returns how many went.
    int removeUnticked();

private:
    struct Entry {
        std::string text;
        std::string foldKey;
        std::string sortKey; // only with a sort key function, in sorted mode
        bool ticked = false;
    };

    const Entry& at(int index) const;
    Entry& at(int index);
    std::string_view orderKey(const Entry& entry) const;
    std::vector<Entry> takeEntries();
    void aboutToReset();
    void rebuild(std::vector<Entry> entries);

    TextKeyFunction m_caseFoldKey;
    TextKeyFunction m_sortKey;
    // Entries live in slots that never move, so the key set can point into
    // them and an insertion only shifts 32-bit slot numbers.
    std::deque<Entry> m_slots;
    std::vector<std::uint32_t> m_freeSlots;
    detail::ChunkedVector<std::uint32_t> m_order; // slot of each entry, in list order
    detail::FlatKeySet m_foldKeys;
    bool m_sorted = false;
    UrlListObserver* m_observer = nullptr;
};

} // namespace ostrevo
