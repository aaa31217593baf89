// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A status bar made of fixed-width text panels, addressed by index.

#include <QList>
#include <QStatusBar>

class QLabel;

namespace ostrevo {

class StatusPanels final : public QStatusBar {
    Q_OBJECT
public:
    // One panel per width, left to right; the last one takes the rest.
    explicit StatusPanels(const QList<int>& widths, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // A notice at the right end, beside the panels; hidden while empty.
    QString notice() const;
    void setNotice(const QString& text);

private:
    QList<QLabel*> m_panels;
    QLabel* m_notice = nullptr;
};

} // namespace ostrevo
