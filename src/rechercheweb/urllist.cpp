// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/urllist.h"

#include "platform/errors.h"

#include <algorithm>
#include <utility>

namespace ostrevo {

UrlList::UrlList(TextKeyFunction caseFoldKey, TextKeyFunction sortKey)
    : m_caseFoldKey(caseFoldKey ? std::move(caseFoldKey) : TextKeyFunction(asciiLower)),
      m_sortKey(std::move(sortKey))
{}

UrlList::UrlList(const UrlList& other)
    : m_caseFoldKey(other.m_caseFoldKey), m_sortKey(other.m_sortKey), m_sorted(other.m_sorted)
{
    std::vector<Entry> entries;
    entries.reserve(other.m_order.size());
    other.m_order.forEach([&](std::uint32_t slot) { entries.push_back(other.m_slots[slot]); });
    rebuild(std::move(entries));
}

const UrlList::Entry& UrlList::at(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_order.size()) {
        throw ListIndexError(index);
    }
    return m_slots[m_order[static_cast<std::size_t>(index)]];
}

UrlList::Entry& UrlList::at(int index)
{
    return const_cast<Entry&>(std::as_const(*this).at(index));
}

std::string_view UrlList::orderKey(const Entry& entry) const
{
    return m_sortKey ? entry.sortKey : entry.foldKey;
}

const std::string& UrlList::text(int index) const
{
    return at(index).text;
}

bool UrlList::isTicked(int index) const
{
    return at(index).ticked;
}

void UrlList::setTicked(int index, bool ticked)
{
    Entry& entry = at(index);
    if (entry.ticked != ticked) {
        entry.ticked = ticked;
        if (m_observer) {
            m_observer->ticksChanged(index, index);
        }
    }
}

std::vector<std::string> UrlList::texts() const
{
    std::vector<std::string> result;
    result.reserve(m_order.size());
    m_order.forEach([&](std::uint32_t slot) { result.push_back(m_slots[slot].text); });
    return result;
}

bool UrlList::contains(std::string_view text) const
{
    const std::string key = m_caseFoldKey(text);
    return m_foldKeys.contains(key);
}

int UrlList::append(std::string_view text, bool ticked)
{
    std::string key = m_caseFoldKey(text);
    if (m_foldKeys.contains(key)) {
        return -1;
    }
    Entry entry{std::string(text), std::move(key), {}, ticked};
    std::size_t index = m_order.size();
    if (m_sorted) {
        if (m_sortKey) {
            entry.sortKey = m_sortKey(text);
        }
        index = m_order.upperBound(orderKey(entry), [this](std::string_view wanted, std::uint32_t slot) {
            return wanted < orderKey(m_slots[slot]);
        });
    }
    if (m_observer) {
        m_observer->entryAboutToBeInserted(static_cast<int>(index));
    }
    std::uint32_t slot;
    if (m_freeSlots.empty()) {
        slot = static_cast<std::uint32_t>(m_slots.size());
        m_slots.push_back(std::move(entry));
    } else {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
        m_slots[slot] = std::move(entry);
    }
    m_foldKeys.insert(m_slots[slot].foldKey);
    m_order.insert(index, slot);
    if (m_observer) {
        m_observer->entryInserted();
    }
    return static_cast<int>(index);
}

void UrlList::remove(int index)
{
    at(index); // range check before anything is announced
    if (m_observer) {
        m_observer->entryAboutToBeRemoved(index);
    }
    const std::uint32_t slot = m_order[static_cast<std::size_t>(index)];
    m_foldKeys.erase(m_slots[slot].foldKey);
    m_slots[slot] = Entry{};
    m_freeSlots.push_back(slot);
    m_order.erase(static_cast<std::size_t>(index));
    if (m_observer) {
        m_observer->entryRemoved();
    }
}

void UrlList::clear()
{
    aboutToReset();
    rebuild({});
}

void UrlList::assign(std::vector<std::string> texts)
{
    std::vector<Entry> entries;
    entries.reserve(texts.size());
    for (std::string& text : texts) {
        std::string key = m_caseFoldKey(text);
        entries.push_back(Entry{std::move(text), std::move(key), {}, false});
    }
    aboutToReset();
    rebuild(std::move(entries));
}

void UrlList::sortAlphabetically()
{
    aboutToReset();
    m_sorted = true;
    rebuild(takeEntries());
}

void UrlList::setAllTicked(bool ticked)
{
    m_order.forEach([&](std::uint32_t slot) { m_slots[slot].ticked = ticked; });
    if (m_observer && !m_order.empty()) {
        m_observer->ticksChanged(0, count() - 1);
    }
}

int UrlList::setTickedContaining(const std::vector<std::string>& words, bool ticked)
{
    std::vector<std::string_view> usable;
    for (const std::string& word : words) {
        if (!word.empty()) {
            usable.push_back(word);
        }
    }
    int matched = 0;
    m_order.forEach([&](std::uint32_t slot) {
        Entry& entry = m_slots[slot];
        const bool hit = std::any_of(usable.begin(), usable.end(), [&](std::string_view word) {
            return entry.text.find(word) != std::string::npos;
        });
        if (hit) {
            entry.ticked = ticked;
            ++matched;
        }
    });
    if (m_observer && matched > 0) {
        m_observer->ticksChanged(0, count() - 1);
    }
    return matched;
}

int UrlList::removeUnticked()
{
    aboutToReset();
    std::vector<Entry> all = takeEntries();
    const std::size_t before = all.size();
    std::erase_if(all, [](const Entry& entry) { return !entry.ticked; });
    const int removed = static_cast<int>(before - all.size());
    rebuild(std::move(all));
    return removed;
}

void UrlList::aboutToReset()
{
    if (m_observer) {
        m_observer->aboutToReset();
    }
}

// The entries in list order, moved out; the list is left to be rebuilt.
std::vector<UrlList::Entry> UrlList::takeEntries()
{
    m_foldKeys.clear(); // its views point into the slots being emptied
    std::vector<Entry> entries;
    entries.reserve(m_order.size());
    m_order.forEach([&](std::uint32_t slot) { entries.push_back(std::move(m_slots[slot])); });
    return entries;
}

// Refills the list from `entries` (fold keys set), leaving out any entry
// equal to an earlier one and ordering them in sorted mode, and ends the
// reset that aboutToReset() announced.
void UrlList::rebuild(std::vector<Entry> entries)
{
    m_foldKeys.clear();
    m_slots.clear();
    m_freeSlots.clear();
    m_order.clear();
    m_foldKeys.reserve(entries.size());
    std::vector<std::uint32_t> order;
    order.reserve(entries.size());
    for (Entry& entry : entries) {
        m_slots.push_back(std::move(entry));
        if (!m_foldKeys.insert(m_slots.back().foldKey)) {
            m_slots.pop_back();
            continue;
        }
        if (m_sorted && m_sortKey) {
            m_slots.back().sortKey = m_sortKey(m_slots.back().text);
        }
        order.push_back(static_cast<std::uint32_t>(m_slots.size() - 1));
    }
    if (m_sorted) {
        std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
            return orderKey(m_slots[a]) < orderKey(m_slots[b]);
        });
    }
    for (const std::uint32_t slot : order) {
        m_order.push_back(slot);
    }
    if (m_observer) {
        m_observer->reset();
    }
}

} // namespace ostrevo
