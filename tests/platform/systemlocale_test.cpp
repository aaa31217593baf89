// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/systemlocale.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

void expectSeparators(const SystemSeparators& actual, char date, char time)
{
    EXPECT_EQ(actual.date, date);
    EXPECT_EQ(actual.time, time);
}

TEST(SystemSeparators, TakenFromTheShortFormatsOfRealLocales)
{
    expectSeparators(separatorsOf(QLocale(QLocale::English, QLocale::UnitedStates)), '/', ':');
    expectSeparators(separatorsOf(QLocale(QLocale::German, QLocale::Germany)), '.', ':');
    expectSeparators(separatorsOf(QLocale(QLocale::Finnish, QLocale::Finland)), '.', '.');
    expectSeparators(separatorsOf(QLocale(QLocale::Swedish, QLocale::Sweden)), '-', ':');
}

TEST(SystemSeparators, SkipQuotedTextSpacesAndMarks)
{
    expectSeparators(separatorsOfFormats(QStringLiteral("yyyy. MM. dd."), QStringLiteral("AP h:mm")), '.',
                     ':');
    // Right-to-left marks between the fields.
    expectSeparators(separatorsOfFormats(QStringLiteral("d\u200F/M\u200F/yyyy"), QStringLiteral("H:mm")), '/',
                     ':');
    // Only quoted letters and spaces between the fields: no separator, keep the default.
    expectSeparators(separatorsOfFormats(QStringLiteral("dd/MM/yyyy"), QStringLiteral("HH 'h' mm")), '/',
                     ':');
    expectSeparators(separatorsOfFormats(QStringLiteral("'le' d-MM-yyyy"), QStringLiteral("'kl.' HH.mm")),
                     '-', '.');
}

TEST(SystemSeparators, FallBackWhenTheFormatHasNoneThatFitsOneByte)
{
    expectSeparators(separatorsOfFormats(QString(), QString()), '/', ':');
    expectSeparators(
        separatorsOfFormats(QStringLiteral("yyyy\u5E74M\u6708d\u65E5"), QStringLiteral("H\u6642mm\u5206")),
        '/', ':');
    expectSeparators(
        separatorsOfFormats(QStringLiteral("dd\u2024MM\u2024yyyy"), QStringLiteral("HH\u02D0mm")), '/', ':');
}

TEST(LongTimeFormat, DropsTheTimeZoneAndWhatFramedIt)
{
    EXPECT_EQ(withoutTimeZone(QStringLiteral("h:mm:ss AP t")), QStringLiteral("h:mm:ss AP"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("HH:mm:ss t")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("t HH:mm:ss")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("HH:mm:ss (t)")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("APh:mm:ss [t]")), QStringLiteral("APh:mm:ss"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("h:mm:ss AP, t")), QStringLiteral("h:mm:ss AP"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("HH:mm:ss tttt")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("H:mm:ss")), QStringLiteral("H:mm:ss"));
}

TEST(LongTimeFormat, KeepsQuotedText)
{
    EXPECT_EQ(withoutTimeZone(QStringLiteral("HH 'h' mm 'min' ss 's' t")),
              QStringLiteral("HH 'h' mm 'min' ss 's'"));
    EXPECT_EQ(withoutTimeZone(QStringLiteral("H:mm 'at night' t")), QStringLiteral("H:mm 'at night'"));
}

TEST(SystemLocale, LoadedOnceIntoTheScanningHelpers)
{
    setSystemSeparators({'#', '#'});

    loadSystemLocale();

    const SystemSeparators expected = separatorsOf(QLocale::system());
    EXPECT_EQ(systemSeparators().date, expected.date);
    EXPECT_EQ(systemSeparators().time, expected.time);
    EXPECT_EQ(longTimeFormat(), withoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat)));
    EXPECT_FALSE(longTimeFormat().isEmpty());
    setSystemSeparators({});
}

} // namespace
} // namespace ostrevo
