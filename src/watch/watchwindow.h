// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The Watch window: the watched domains with their status, expiry, estimated
// drop and checks, and the notices their checks earned. It owns the watch
// list and its checker, whose schedule runs while the program does, the
// window shown or not.

#include "watch/watchchecker.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace ostrevo {

class Prompts;
class TickSource;
class WatchStore;

class WatchWindow final : public QWidget {
    Q_OBJECT
public:
    // Opens the watch list; throws RuntimeError when it cannot be used. A
    // damaged file moved aside is told through `prompts` once the window exists.
    WatchWindow(Prompts& prompts, TickSource& ticks, const std::filesystem::path& database,
                std::filesystem::path serversFile, WallClock clock = systemWallTime,
                QWidget* parent = nullptr);
    ~WatchWindow() override;

    // Adds the domains not watched yet, checks them at once and shows the
    // window; returns how many were added.
    int watch(const std::vector<std::string>& domains);
    // Shows each notice on the desktop (tests record instead).
    void setNotifier(std::function<void(const QString&)> notify) { m_notify = std::move(notify); }
    WatchChecker& checker() { return *m_checker; }
    WatchStore& store() { return *m_store; }
    // Reads the list and the notices again.
    void refresh();

    QTableWidget* list = nullptr;
    QPlainTextEdit* notices = nullptr;
    QPushButton* checkNowButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* historyButton = nullptr;
    QPushButton* stopButton = nullptr;
    QLabel* statusLine = nullptr;

private:
    std::vector<std::string> selectedDomains() const;
    void checkNow();
    void removeSelected();
    void showHistory();
    void noticeCame(const WatchNotice& notice);
    void showRoundState();

    Prompts& m_prompts;
    std::unique_ptr<WatchStore> m_store;
    std::unique_ptr<WatchChecker> m_checker;
    WallClock m_clock;
    std::function<void(const QString&)> m_notify;
};

} // namespace ostrevo
