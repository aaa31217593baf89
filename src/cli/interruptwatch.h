// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Ctrl+C (SIGINT) and SIGTERM seen on the event loop: the handler only
// writes the signal's number to a pipe, which a socket notifier reads, so
// that no work runs inside the handler.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace ostrevo::cli {

class InterruptWatch final : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; the previous ones come back when it goes.
    explicit InterruptWatch(std::function<void(int signal)> interrupted);
    ~InterruptWatch() override;
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // The first signal that came, or 0.
    int firstSignal() const { return m_firstSignal; }
    int count() const { return m_count; }

private:
    void drain();

    std::function<void(int)> m_interrupted;
    QSocketNotifier* m_notifier = nullptr;
    int m_firstSignal = 0;
    int m_count = 0;
};

} // namespace ostrevo::cli
