// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// One typed setting in the Preferences window: its field, a Reset button,
// and below it the default, or the reason the typed value is refused.

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace ostrevo {

class SettingField final : public QWidget {
public:
    // The reason `text` is refused; nothing when it is fine.
    using Check = std::function<std::optional<QString>(const QString& text)>;

    SettingField(const QString& name, QString defaultText, Check check, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    bool valid() const { return !m_refusal; }
    // Shows `defaultLabel` in place of the default text (for a default that is empty).
    void setDefaultLabel(const QString& defaultLabel);
    QLineEdit* edit() const { return m_edit; }
    QLabel* hint() const { return m_hint; }
    QToolButton* resetButton() const { return m_reset; }

    std::function<void()> changed;

private:
    void recheck();

    QString m_default;
    QString m_defaultLabel;
    Check m_check;
    std::optional<QString> m_refusal;
    QLineEdit* m_edit;
    QToolButton* m_reset;
    QLabel* m_hint;
};

} // namespace ostrevo
