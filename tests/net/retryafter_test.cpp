// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/retryafter.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(RetryAfter, SecondsAndTheThreeDateForms)
{
    // 1994-11-06 08:49:37 UTC, the example date of HTTP.
    constexpr std::int64_t Example = 784111777;
    const struct {
        std::string_view value;
        std::int64_t now;
        std::optional<std::int64_t> seconds;
    } cases[] = {
        {"120", 0, 120},
        {" 0\r\n", 0, 0},
        {"Sun, 06 Nov 1994 08:49:37 GMT", Example - 90, 90},
        {"Sunday, 06-Nov-94 08:49:37 GMT", Example - 90, 90},
        {"Sun Nov  6 08:49:37 1994", Example - 90, 90},
        {"sun, 06 nov 1994 08:49:37 gmt", Example, 0},
        {"Sun, 06 Nov 1994 08:49:37 GMT", Example + 5000, 0},
        {"Thu, 01 Jan 2065 00:00:00 GMT", 2997993600 - 30, 30},
        {"", 0, std::nullopt},
        {"-5", 0, std::nullopt},
        {"1.5", 0, std::nullopt},
        {"soon", 0, std::nullopt},
        {"99999999999", 0, std::nullopt},
        {"Sun, 32 Nov 1994 08:49:37 GMT", 0, std::nullopt},
        {"Sun, 06 Foo 1994 08:49:37 GMT", 0, std::nullopt},
        {"Sun, 06 Nov 1994 24:49:37 GMT", 0, std::nullopt},
        {"Sun, 06 Nov 1994", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(retryAfterSeconds(c.value, c.now), c.seconds) << c.value;
    }
}

TEST(RetryAfter, SecondsOrAnHttpDate)
{
    const std::int64_t now = 784111777; // Sun, 06 Nov 1994 08:49:37 GMT
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"120", 120},
        {" 5 ", 5},
        {"Sun, 06 Nov 1994 08:50:37 GMT", 60},
        {"Sunday, 06-Nov-94 08:49:47 GMT", 10},
        {"Sun Nov  6 08:49:57 1994", 20},
        {"Sat, 05 Nov 1994 08:49:37 GMT", 0},
        {"-5", std::nullopt},
        {"soon", std::nullopt},
        {"Sun, 31 Feb 1994 08:49:37 GMT", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [value, seconds] : cases) {
        EXPECT_EQ(retryAfterSeconds(value, now), seconds) << value;
    }
}

} // namespace
} // namespace ostrevo
