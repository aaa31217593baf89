// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The balloon shape the whole application shares: whichever hint settings
// component wrote a value last decides it for every balloon.

namespace ostrevo {

inline constexpr int kMaxHintWrapWidth = 300;

struct SharedHintSettings {
    bool active = false;
    int wrapWidth = 250;
    int radius = 18;
};

// The one copy; GUI thread only, like the hints themselves.
SharedHintSettings& sharedHintSettings();

// Wider balloons would cover too much of the screen.
constexpr int limitHintWrapWidth(int width)
{
    return width > kMaxHintWrapWidth ? kMaxHintWrapWidth : width;
}

} // namespace ostrevo
