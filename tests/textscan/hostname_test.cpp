// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/hostname.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(HostName, KeepsOnlyLowerCasedDnsNames)
{
    const std::string label63(63, 'a');
    const std::string name253 = label63 + "." + label63 + "." + label63 + "." + std::string(57, 'b') + ".com";
    const std::pair<std::string, std::string> cases[] = {
        {"WWW.Example.COM", "www.example.com"},
        {"a-b.c0m.org", "a-b.c0m.org"},
        {"xn--bcher-kva.com", "xn--bcher-kva.com"},
        {"example.com.", "example.com"},
        {label63 + ".com", label63 + ".com"},
        {name253, name253},
        {name253 + "x", ""},
        {label63 + "a.com", ""},
        {"evil.com#mailto:bank.com", ""},
        {"a.com&domain=b.org&l=EN", ""},
        {"user@a.com", ""},
        {"a.com:8080", ""},
        {"<a.com>", ""},
        {"a .com", ""},
        {"a\t.com", ""},
        {std::string("a\0.com", 6), ""},
        {"a_b.com", ""},
        {"-a.com", ""},
        {"a-.com", ""},
        {"a..com", ""},
        {".a.com", ""},
        {"a.com..", ""},
        {".", ""},
        {"", ""},
        {std::string(4 << 20, 'a'), ""},
    };
    for (const auto& [host, checked] : cases) {
        EXPECT_EQ(checkedHostName(host), checked) << host.substr(0, 80);
    }
}

TEST(HostName, InternationalNamesGoThroughTheConverterAndAreCheckedAfter)
{
    std::vector<std::string> asked;
    const AsciiHostConverter toAscii = [&](std::string_view name) -> std::optional<std::string> {
        asked.emplace_back(name);
        if (name == "b\xC3\xBC"
                    "cher.com") {
            return "xn--bcher-kva.com";
        }
        if (name == "bad\xC3\xA9.com") {
            return "bad name.com";
        }
        return std::nullopt;
    };
    EXPECT_EQ(checkedHostName("b\xC3\xBC"
                              "cher.com",
                              toAscii),
              "xn--bcher-kva.com");
    EXPECT_EQ(checkedHostName("bad\xC3\xA9.com", toAscii), "");
    // U+202E, the right-to-left override, is not a host's character.
    EXPECT_EQ(checkedHostName("moc.\xE2\x80\xAE"
                              "evil.com",
                              toAscii),
              "");
    EXPECT_EQ(checkedHostName("b\xC3\xBC"
                              "cher.com"),
              "");
    // Megabytes of text are refused before any conversion.
    EXPECT_EQ(checkedHostName(std::string(1 << 20, '\xC3'), toAscii), "");
    EXPECT_EQ(asked.size(), 3u);
}

} // namespace
} // namespace ostrevo
