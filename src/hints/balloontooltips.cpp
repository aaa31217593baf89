// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/balloontooltips.h"

#include "hints/tballoonhints.h"
#include "hints/tnewhint.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ostrevo {

namespace {

int s_hintPause = 700; // Qt's own tool tip delay, until a settings component says otherwise
BalloonToolTips* s_instance = nullptr;

void deleteAtExit()
{
    delete s_instance;
    s_instance = nullptr;
}

// Tool tips may be rich text; the balloon draws plain lines broken at carriage returns.
QString balloonText(const QString& toolTip)
{
    QString text =
        Qt::mightBeRichText(toolTip) ? QTextDocumentFragment::fromHtml(toolTip).toPlainText() : toolTip;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    text.replace(QChar::LineSeparator, QLatin1Char('\r'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
    return text;
}

// As long as Qt keeps its own tool tips: ten seconds, more for long texts.
int displayTime(const QString& text)
{
    return 10000 + 40 * std::max<int>(0, static_cast<int>(text.size()) - 100);
}

QWidget* widgetOfWindow(const QWindow* window)
{
    if (!window) {
        return nullptr;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](QWidget* w) { return w->windowHandle() == window; });
    return found == windows.end() ? nullptr : *found;
}

QRect globalRect(const QWidget* widget)
{
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

} // namespace

void setApplicationHintPause(int milliseconds)
{
    s_hintPause = std::max(0, milliseconds);
}

int applicationHintPause()
{
    return s_hintPause;
}

void BalloonToolTips::install(TBalloonHints* settings)
{
    if (!s_instance) {
        static bool cleanupRegistered = false;
        if (!cleanupRegistered) {
            // Before QApplication goes: the balloon is a widget.
            qAddPostRoutine(deleteAtExit);
            cleanupRegistered = true;
        }
        s_instance = new BalloonToolTips(settings);
        qApp->installEventFilter(s_instance);
    }
    s_instance->hideHint();
    s_instance->m_window->setFallbackSettings(settings);
}

void BalloonToolTips::uninstall()
{
    if (!s_instance) {
        return;
    }
    BalloonToolTips* balloons = std::exchange(s_instance, nullptr);
    qApp->removeEventFilter(balloons);
    balloons->hideHint();
    balloons->m_wakeUp.stop();
    // A direction handler may switch the balloons off from inside an activation.
    if (balloons->m_showing) {
        balloons->deleteLater();
    } else {
        delete balloons;
    }
}

BalloonToolTips* BalloonToolTips::instance()
{
    return s_instance;
}

BalloonToolTips::BalloonToolTips(TBalloonHints* settings) : m_window(std::make_unique<TNewHint>())
{
    m_window->setFallbackSettings(settings);
    m_wakeUp.setSingleShot(true);
    m_hide.setSingleShot(true);
    connect(&m_wakeUp, &QTimer::timeout, this, &BalloonToolTips::mouseRested);
    connect(&m_hide, &QTimer::timeout, this, &BalloonToolTips::hideHint);
}

BalloonToolTips::~BalloonToolTips()
{
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

QWidget* BalloonToolTips::hintControl() const
{
    return m_window->isVisible() ? m_hintControl.data() : nullptr;
}

void BalloonToolTips::showHint(QWidget* control, const QPoint& globalPos)
{
    const QString text = balloonText(control->toolTip());
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    const int maxWidth = screen ? screen->geometry().width() : 1024;
    QRect rect = m_window->calcHintRect(maxWidth, text);
    rect.moveTopLeft(globalPos);
    m_hintControl = control;
    const QScopedValueRollback showing(m_showing, true);
    m_window->activateHint(rect, text, globalPos);
    if (m_window->isVisible()) {
        m_hide.start(displayTime(text));
    }
}

void BalloonToolTips::hideHint()
{
    m_hide.stop();
    m_window->hide();
    m_hintControl = nullptr;
}

void BalloonToolTips::mouseMoved(QWindow* window, const QPoint& globalPos)
{
    if (m_window->isVisible()) {
        // The balloon stays while the mouse stays on its control.
        const QWidget* control = m_hintControl.data();
        if (control && control->isVisible() && globalRect(control).contains(globalPos)) {
            return;
        }
        hideHint();
    }
    m_restWindow = window;
    m_restPos = globalPos;
    m_wakeUp.start(applicationHintPause());
}

void BalloonToolTips::mouseRested()
{
    QWidget* top = widgetOfWindow(m_restWindow);
    if (!top || !top->isVisible() || top == m_window.get()) {
        return;
    }
    const QPoint local = top->mapFromGlobal(m_restPos);
    if (!top->rect().contains(local)) {
        return;
    }
    QWidget* target = top->childAt(local);
    if (!target) {
        target = top;
    }
    // Goes up the parents like Qt's own tool tip request; the filter below
    // answers it for the first widget that has a tool tip.
    QHelpEvent request(QEvent::ToolTip, target->mapFromGlobal(m_restPos), m_restPos);
    const QScopedValueRollback dispatching(m_dispatching, true);
    QCoreApplication::sendEvent(target, &request);
}

bool BalloonToolTips::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget == m_window.get() || widget->toolTip().isEmpty()) {
            return false;
        }
        // Qt's own request, on its own timing, is swallowed: the balloon keeps ours.
        if (m_dispatching) {
            showHint(widget, static_cast<QHelpEvent*>(event)->globalPos());
        }
        event->accept();
        return true;
    }
    case QEvent::MouseMove:
        if (watched->isWindowType()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() == Qt::NoButton) {
                mouseMoved(static_cast<QWindow*>(watched), mouse->globalPosition().toPoint());
            } else {
                hideHint();
            }
        }
        break;
    case QEvent::Leave:
        if (watched->isWindowType() && watched == m_restWindow) {
            m_wakeUp.stop();
            hideHint();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ApplicationDeactivate:
        m_wakeUp.stop();
        if (m_window->isVisible()) {
            hideHint();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace ostrevo
