// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A tick counter that moves only when someone waits or a test advances it, so
// a 2100 ms pause costs no real time.

#include "platform/ticksource.h"

#include <QCoreApplication>

#include <cstdint>
#include <functional>

namespace ostrevo::test {

class FakeTickSource final : public TickSource {
public:
    explicit FakeTickSource(std::uint32_t start = 0) : m_now(start) {}

    std::uint32_t now() const override { return m_now; }

    // Delivers what is pending without blocking, then lets `maxMs` pass.
    void waitForEvents(int maxMs) override
    {
        ++m_waits;
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::processEvents();
        }
        if (m_onWait) {
            m_onWait(m_now);
        }
        if (maxMs > 0) {
            m_now += static_cast<std::uint32_t>(maxMs);
        }
    }

    void advance(std::uint32_t ms) { m_now += ms; }
    void setNow(std::uint32_t now) { m_now = now; }

    // Called on every wait, after the pending events, with the current reading:
    // lets a test act "during" a pause (a click, a page completing).
    void setOnWait(std::function<void(std::uint32_t now)> onWait) { m_onWait = std::move(onWait); }

    int waitCount() const { return m_waits; }

private:
    std::uint32_t m_now;
    int m_waits = 0;
    std::function<void(std::uint32_t)> m_onWait;
};

} // namespace ostrevo::test
