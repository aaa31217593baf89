// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Two small arrow buttons that step the number in an edit box. Unlike a spin
// box they leave typing alone: any text can be typed; only the arrows keep
// to the range.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ostrevo {

class UpDownButtons final : public QWidget {
    Q_OBJECT
public:
    UpDownButtons(QLineEdit* buddy, QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setIncrement(int increment) { m_increment = increment; }
    // Moves to `position` (kept in the range) and writes it into the edit box.
    void setPosition(int position);
    int position() const { return m_position; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int increment() const { return m_increment; }

    // One step up or down from the number in the edit box (or, when it holds
    // none, from the last position), stopping at the ends of the range.
    void stepUp() { step(m_increment); }
    void stepDown() { step(-m_increment); }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int by);
    int clamped(long long value) const;

    QLineEdit* m_buddy;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
    int m_position = 0;
};

} // namespace ostrevo
