// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The controls of a window that a screen reader would announce without a name.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QProgressBar>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

namespace ostrevo::test {

inline QStringList unnamedControls(const QWidget& window)
{
    QStringList missing;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool interactive = widget->focusPolicy() != Qt::NoFocus ||
                                 qobject_cast<QAbstractButton*>(widget) ||
                                 qobject_cast<QProgressBar*>(widget);
        // Menus are windows of their own; scroll bars and a spin box's edit
        // are parts their control names.
        const bool part = widget->isWindow() || qobject_cast<QScrollBar*>(widget) ||
                          qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
                          widget->objectName() == QLatin1String("qt_toolbar_ext_button");
        if (!interactive || part) {
            continue;
        }
        const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty()) {
            missing << widget->objectName() + QLatin1Char(':') +
                           QLatin1String(widget->metaObject()->className());
        }
    }
    return missing;
}

} // namespace ostrevo::test
