// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Keeping the window alive inside long handlers: process what is pending, or
// wait a while with messages flowing, without burning a core.

#include <cstdint>
#include <functional>

namespace ostrevo {

class TickSource;

class EventPump {
public:
    explicit EventPump(TickSource& ticks) : m_ticks(ticks) {}

    TickSource& ticks() { return m_ticks; }

    // Process all pending window messages, without blocking.
    void processMessages();

    // Waits at least `ms` milliseconds while processing window messages; a
    // wait of 0 or less returns at once without processing anything.
    void WaitMs(std::int32_t ms);

    // Processes messages until `done()` holds, testing after every message pass
    // and at least every `pollMs` milliseconds.
    void waitUntil(const std::function<bool()>& done, int pollMs = 50);

private:
    TickSource& m_ticks;
};

} // namespace ostrevo
