// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/systemlocale.h"

#include <optional>

namespace ostrevo {
namespace {

std::optional<QString> g_longTimeFormat;

constexpr QChar quote = u'\'';

std::optional<char> firstSeparator(const QString& format)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == quote) {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetterOrNumber() || c.isSpace()) {
            continue;
        }
        // Marks such as U+200F sit between fields in some locales; they are
        // not separators and do not fit one byte anyway.
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            return static_cast<char>(c.unicode());
        }
    }
    return std::nullopt;
}

} // namespace

SystemSeparators separatorsOf(const QLocale& locale)
{
    return separatorsOfFormats(locale.dateFormat(QLocale::ShortFormat),
                               locale.timeFormat(QLocale::ShortFormat));
}

SystemSeparators separatorsOfFormats(const QString& shortDateFormat, const QString& shortTimeFormat)
{
    SystemSeparators separators;
    if (const auto date = firstSeparator(shortDateFormat)) {
        separators.date = *date;
    }
    if (const auto time = firstSeparator(shortTimeFormat)) {
        separators.time = *time;
    }
    return separators;
}

QString withoutTimeZone(const QString& timeFormat)
{
    QString kept;
    kept.reserve(timeFormat.size());
    bool quoted = false;
    for (const QChar c : timeFormat) {
        if (c == quote) {
            quoted = !quoted;
        }
        if (!quoted && c == u't') {
            continue;
        }
        kept.append(c);
    }
    // Some locales frame the zone: "HH:mm:ss (t)", "APh:mm:ss [t]", "h:mm:ss AP, t".
    kept.remove(QStringLiteral("()"));
    kept.remove(QStringLiteral("[]"));
    kept = kept.trimmed();
    while (kept.endsWith(u',')) {
        kept.chop(1);
        kept = kept.trimmed();
    }
    return kept;
}

void loadSystemLocale()
{
    const QLocale system = QLocale::system();
    setSystemSeparators(separatorsOf(system));
    g_longTimeFormat = withoutTimeZone(system.timeFormat(QLocale::LongFormat));
}

QString longTimeFormat()
{
    if (!g_longTimeFormat) {
        return withoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat));
    }
    return *g_longTimeFormat;
}

} // namespace ostrevo
