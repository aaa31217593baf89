// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/ticksource.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace ostrevo {

std::uint32_t SteadyTickSource::now() const
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    // Truncation to 32 bits is the point: callers work with wrapping differences.
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

void SteadyTickSource::waitForEvents(int maxMs)
{
    if (QCoreApplication::instance() == nullptr) {
        // No event loop to block in; sleeping keeps the "no spinning" promise.
        if (maxMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
        }
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (maxMs <= 0) {
        return;
    }
    // The timer is only there to wake the blocking pass below at the deadline;
    // any other event wakes it earlier.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(maxMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace ostrevo
