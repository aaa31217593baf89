// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The application's hint window: while balloons are in use, an application
// event filter times the mouse's rest itself and shows a TNewHint balloon for
// a widget's tool tip instead of Qt's tool tip. Taking the balloons out
// removes the filter, and Qt's own tool tips come back.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <memory>

class QWindow;
class QWidget;

namespace ostrevo {

class TBalloonHints;
class TNewHint;

// Time the mouse must rest on a control before its hint shows.
void setApplicationHintPause(int milliseconds);
int applicationHintPause();

class BalloonToolTips final : public QObject {
    Q_OBJECT
public:
    // Balloons from now on; they use settings when the main window holds none.
    static void install(TBalloonHints* settings);
    static void uninstall();
    // Null while Qt's own tool tips are in use.
    static BalloonToolTips* instance();

    ~BalloonToolTips() override;

    TNewHint* hintWindow() const { return m_window.get(); }
    // The control whose hint the balloon shows, while it shows one.
    QWidget* hintControl() const;

    // Shows the control's tool tip in the balloon, as if the mouse had rested at globalPos.
    void showHint(QWidget* control, const QPoint& globalPos);
    void hideHint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BalloonToolTips(TBalloonHints* settings);

    void mouseRested();
    void mouseMoved(QWindow* window, const QPoint& globalPos);

    std::unique_ptr<TNewHint> m_window;
    QTimer m_wakeUp;
    QTimer m_hide;
    QPointer<QWindow> m_restWindow;
    QPoint m_restPos;
    QPointer<QWidget> m_hintControl;
    bool m_dispatching = false;
    bool m_showing = false;
};

} // namespace ostrevo
