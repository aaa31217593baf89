// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "filtres/filtres.h"

#include "expired/resultcommands.h"

namespace ostrevo {

TForm2::TForm2(ResultTable& table, Prompts& prompts, QWidget* parent)
    : DateFilterWindow(
          QStringLiteral("Form2"), QStringLiteral("Expiration date <"), QSize(256, 109),
          [&table](std::string_view date) { checkExpiringUpTo(table, date); }, prompts, parent)
{}

TForm3::TForm3(ResultTable& table, Prompts& prompts, QWidget* parent)
    : DateFilterWindow(
          QStringLiteral("Form3"), QStringLiteral("Expiration date >"), QSize(262, 100),
          [&table](std::string_view date) { uncheckExpiringFrom(table, date); }, prompts, parent)
{}

} // namespace ostrevo
