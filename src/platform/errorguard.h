// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Every event handler runs through guarded(): an error ends the command and its
// message appears in the application's error box; nothing escapes into Qt.

#include "platform/prompts.h"

#include <exception>
#include <utility>

namespace ostrevo {

// Without prompts (a widget nobody gave them to) the message goes to the log.
void showError(Prompts* prompts, const std::exception& error);
void showUnknownError(Prompts* prompts);

template <typename Handler> void guarded(Prompts* prompts, Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        showError(prompts, error);
    } catch (...) {
        showUnknownError(prompts);
    }
}

template <typename Handler> void guarded(Prompts& prompts, Handler&& handler) noexcept
{
    guarded(&prompts, std::forward<Handler>(handler));
}

} // namespace ostrevo
