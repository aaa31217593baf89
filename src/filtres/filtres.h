// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

#include "filtres/datefilterwindow.h"

namespace ostrevo {

class ResultTable;

// "Expiration date <": ticks the rows that expire up to the picked day.
class TForm2 final : public DateFilterWindow {
    Q_OBJECT
public:
    TForm2(ResultTable& table, Prompts& prompts, QWidget* parent = nullptr);
};

// "Expiration date >": unticks the rows that expire from the picked day on.
class TForm3 final : public DateFilterWindow {
    Q_OBJECT
public:
    TForm3(ResultTable& table, Prompts& prompts, QWidget* parent = nullptr);
};

} // namespace ostrevo
