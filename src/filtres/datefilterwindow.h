// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A small tool window with a date picker and a "Date filter" button that
// applies one filter to the result table, then hides.

#include <QWidget>

#include <functional>
#include <string_view>

class QDateEdit;
class QLabel;
class QToolButton;

namespace ostrevo {

class Prompts;

class DateFilterWindow : public QWidget {
    Q_OBJECT
public:
    using Filter = std::function<void(std::string_view dateText)>;

    DateFilterWindow(const QString& objectName, const QString& labelText, QSize size, Filter filter,
                     Prompts& prompts, QWidget* parent = nullptr);

    void SpeedButton1Click();

    QLabel* Label1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;

private:
    Filter m_filter;
    Prompts& m_prompts;
};

} // namespace ostrevo
