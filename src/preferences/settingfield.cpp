// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "preferences/settingfield.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace ostrevo {

SettingField::SettingField(const QString& name, QString defaultText, Check check, QWidget* parent)
    : QWidget(parent), m_default(std::move(defaultText)), m_defaultLabel(m_default),
      m_check(std::move(check)), m_edit(new QLineEdit(this)), m_reset(new QToolButton(this)),
      m_hint(new QLabel(this))
{
    setObjectName(name);
    m_edit->setObjectName(name + QStringLiteral("Edit"));
    m_reset->setObjectName(name + QStringLiteral("Reset"));
    m_hint->setObjectName(name + QStringLiteral("Hint"));
    m_reset->setText(QStringLiteral("Reset"));
    m_reset->setToolTip(QStringLiteral("Back to the default"));
    m_hint->setWordWrap(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->addWidget(m_edit, 0, 0);
    grid->addWidget(m_reset, 0, 1);
    grid->addWidget(m_hint, 1, 0, 1, 2);
    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        recheck();
        if (changed) {
            changed();
        }
    });
    connect(m_reset, &QToolButton::clicked, this, [this] { setText(m_default); });
    recheck();
}

QString SettingField::text() const
{
    return m_edit->text().trimmed();
}

void SettingField::setText(const QString& text)
{
    m_edit->setText(text);
    recheck();
}

void SettingField::setDefaultLabel(const QString& defaultLabel)
{
    m_defaultLabel = defaultLabel;
    recheck();
}

void SettingField::recheck()
{
    m_refusal = m_check ? m_check(text()) : std::nullopt;
    const QString defaultText = QStringLiteral("Default: ") + m_defaultLabel;
    // The refusal takes the default's place, in the colour of a warning.
    m_hint->setText(m_refusal ? *m_refusal + QStringLiteral(" (") + defaultText + QStringLiteral(")")
                              : defaultText);
    QPalette palette = m_hint->palette();
    palette.setColor(QPalette::WindowText, m_refusal ? QColor(0xb0, 0x00, 0x20) : QColor(0x60, 0x60, 0x60));
    m_hint->setPalette(palette);
    m_reset->setEnabled(text() != m_default);
}

} // namespace ostrevo
