// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapbootstrap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ostrevo {
namespace {

TEST(RdapBootstrap, FindsTheServerByLongestSuffix)
{
    const auto servers = readRdapBootstrap(R"({"version": "1.0", "services": [
        [["com", "NET"], ["http://plain.test/com/", "https://rdap.verisign.test/com/v1/"]],
        [["org"], ["https://rdap.pir.test/rdap"]],
        [["uk.example"], ["https://deeper.test/"]],
        [["example"], ["https://outer.test/"]],
        [["com"], ["https://second.test/"]]]})");
    ASSERT_TRUE(servers);
    const std::pair<const char*, const char*> cases[] = {
        {"shop.com", "https://rdap.verisign.test/com/v1/"}, // https before http; the first service wins
        {"WWW.Shop.Net.", "https://rdap.verisign.test/com/v1/"},
        {"a.org", "https://rdap.pir.test/rdap/"}, // a base always ends with '/'
        {"a.uk.example", "https://deeper.test/"},
        {"b.example", "https://outer.test/"},
        {"a.info", ""},
        {"com", "https://rdap.verisign.test/com/v1/"},
        {"", ""},
    };
    for (const auto& [host, base] : cases) {
        EXPECT_EQ(servers->baseFor(host), base) << host;
    }
}

TEST(RdapBootstrap, RefusesWhatIsNoBootstrapFile)
{
    const char* const cases[] = {
        "",
        "not json",
        "[]",
        R"({"services": {}})",
        R"({"services": []})",
        R"({"services": [[["com"]]]})",
        R"({"services": [[["com"], "https://a.test/"]]})",
        R"({"services": [[["com"], [7]]]})",
        R"({"services": [[["com"], ["ftp://a.test/"]]]})",
        R"({"services": [[["com"], ["https://a.test/"]], [["net"], ["javascript:alert"]]]})",
        R"({"services": [[["com"], ["https:///path"]]]})",
        R"({"services": [[["com"], ["https://a.test/ x"]]]})",
        R"({"services": [[["com"], ["https://a.test/"]]], "x": [[[[[[[[[[]]]]]]]]]]})",
    };
    for (const char* text : cases) {
        EXPECT_FALSE(readRdapBootstrap(text)) << text;
    }
    EXPECT_FALSE(readRdapBootstrap(R"({"services": [[["com"], ["https://a.test/"]]]})" +
                                   std::string(MaxRdapBootstrapBytes, ' ')));
}

TEST(RdapBootstrap, ShippedFileCoversTheThreeRegistries)
{
    std::ifstream file(OSTREVO_SOURCE_DIR "/data/rdap-dns.json", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const auto servers = readRdapBootstrap(text.str());
    ASSERT_TRUE(servers);
    EXPECT_EQ(servers->baseFor("a.com"), "https://rdap.verisign.com/com/v1/");
    EXPECT_EQ(servers->baseFor("a.net"), "https://rdap.verisign.com/net/v1/");
    EXPECT_EQ(servers->baseFor("a.org"), "https://rdap.publicinterestregistry.org/rdap/");
}

TEST(RdapBootstrap, DomainUrlTakesPlainNamesOnly)
{
    EXPECT_EQ(rdapDomainUrl("https://r.test/v1/", "Shop-1.com"), "https://r.test/v1/domain/Shop-1.com");
    for (const char* host : {"a.com/../x", "a.com?x=1", "a b.com", "a.com#", "xn--caf\xc3\xa9.com", ""}) {
        EXPECT_EQ(rdapDomainUrl("https://r.test/", host), "") << host;
    }
    EXPECT_EQ(rdapDomainUrl("https://r.test/", std::string(254, 'a')), "");
}

} // namespace
} // namespace ostrevo
