// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/eventpump.h"

#include "platform/ticksource.h"

#include <QCoreApplication>

namespace ostrevo {

void EventPump::processMessages()
{
    QCoreApplication::processEvents();
}

void EventPump::WaitMs(std::int32_t ms)
{
    if (ms <= 0) {
        return;
    }
    const auto wanted = static_cast<std::uint32_t>(ms);
    const std::uint32_t start = m_ticks.now();
    for (;;) {
        // Unsigned difference: correct across the counter's wrap-around.
        const std::uint32_t elapsed = m_ticks.now() - start;
        if (elapsed >= wanted) {
            return;
        }
        m_ticks.waitForEvents(static_cast<int>(wanted - elapsed));
    }
}

void EventPump::waitUntil(const std::function<bool()>& done, int pollMs)
{
    const int interval = pollMs > 0 ? pollMs : 1;
    while (!done()) {
        m_ticks.waitForEvents(interval);
    }
}

} // namespace ostrevo
