// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The user's regional date and time settings, read once at start-up.

#include "platform/systemseparators.h"

#include <QLocale>
#include <QString>

namespace ostrevo {

// Reads the separators and the long time format of QLocale::system() and hands
// the separators to the text scanning helpers. Call once, before any window.
void loadSystemLocale();

// The locale's long time format without the time zone, e.g. "h:mm:ss AP".
QString longTimeFormat();

// The separators a locale writes between the parts of a short date and of a
// time: the first punctuation character outside quoted literals. A locale
// without one, or whose separator is not ASCII (the scanning helpers work on
// single bytes), keeps the default '/' or ':'.
SystemSeparators separatorsOf(const QLocale& locale);
SystemSeparators separatorsOfFormats(const QString& shortDateFormat, const QString& shortTimeFormat);

// A time format with its time zone fields, and what only framed them, removed.
QString withoutTimeZone(const QString& timeFormat);

} // namespace ostrevo
