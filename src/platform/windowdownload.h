// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A download a window starts and waits for with its event loop running: the
// status bar says what is loading, Stop or Esc cancels it, and a second one
// cannot start on top of it.

#include <QString>

#include <functional>

class QAbstractButton;

namespace ostrevo {

class StatusPanels;

class WindowDownload {
public:
    // Runs `download`, which waits for its answer while events flow, with
    // `what` in the status bar, a busy pointer, and `stop` enabled so that it
    // can cancel (its state is given back after). Returns false, without
    // running it, while another download of this window runs.
    bool run(StatusPanels& status, QAbstractButton& stop, const QString& what,
             const std::function<void()>& download);
    // Stop or Esc: true when a download was running and is now told to end.
    bool cancelIfRunning();
    // The download's own wait tests this.
    std::function<bool()> cancelTest() const
    {
        return [this] { return m_cancelled; };
    }

private:
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace ostrevo
