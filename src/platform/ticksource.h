// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The system tick counter, and the one place where the program blocks while it
// waits. Tests replace it so that long pauses cost no real time.

#include <cstdint>

namespace ostrevo {

class TickSource {
public:
    virtual ~TickSource() = default;
    // Milliseconds since some fixed point; wraps around at 2^32.
    virtual std::uint32_t now() const = 0;
    // Processes pending window messages, then blocks in the event loop until
    // another message arrives or `maxMs` milliseconds pass.
    virtual void waitForEvents(int maxMs) = 0;
};

// Steady clock and Qt's event loop.
class SteadyTickSource final : public TickSource {
public:
    std::uint32_t now() const override;
    void waitForEvents(int maxMs) override;
};

} // namespace ostrevo
