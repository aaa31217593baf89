// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// A result page in the real browser engine: what its text and its links'
// targets give.
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"
#include "rechercheweb/linkextraction.h"
#include "rechercheweb/linkhost.h"

#include "loopbackhttpserver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevo {
namespace {

// Every way a result shows: link targets quoted every way, a redirect through
// the engine, a scheme in capitals, visible addresses with and without their
// scheme, a breadcrumb, the "Ad" label, and the engine's own links.
constexpr const char* ResultPage =
    "<html><head><base href=\"https://www.google.com/\"></head><body>"
    "<div><a href=\"http://double-quoted.com/x\">Double</a></div>"
    "<div><a href='https://single-quoted.net/y'>Single</a></div>"
    "<div><a href=http://unquoted.org/z>Unquoted</a></div>"
    "<div><a href=\"/url?q=https%3A%2F%2Fwww.redirected.com%2Fpage&amp;sa=U\">Redirected</a></div>"
    "<div><a href=\"HTTPS://WWW.CAPITALS.COM/\">Capitals</a></div>"
    "<div>Visible https://www.visible-scheme.com/p</div>"
    "<div>visible-plain.net/path/page.html</div>"
    "<div>https://www.crumb.org&nbsp;&rsaquo; docs &rsaquo; page</div>"
    "<div><span>Ad</span><span>www.semrush.com</span></div>"
    "<div>Seen <a href=\"https://kept.com/\">kept</a> - Cached <a href=\"https://cut-away.com/\">x</a></div>"
    "<div><a href=\"/preferences\">Settings</a> <a href=\"https://accounts.google.com/\">Sign in</a>"
    " https://www.google.com/search?q=tea</div>"
    "</body></html>";

TEST(HarvestInBrowser, EveryResultStyleGivesItsHost)
{
    test::LoopbackHttpServer server;
    server.serve("/search", ResultPage);
    server.start();
    SteadyTickSource ticks;
    EventPump pump(ticks);
    QtPageLoader loader;
    loader.Navigate(server.url("/search"));
    pump.waitUntil([&] { return !loader.Busy(); }, 20);

    const CutMarkers markers{" - Cached"};
    const LinkRules rules{TldFilter{}, ownDomainOf("https://www.google.com/search?q=")};
    UrlList urls;
    parseAllLines(PageLines::fromText(loader.PageText()), markers, urls, rules);
    harvestLinkTargets(loader.LinkTargets(markers), urls, rules);

    std::vector<std::string> hosts = urls.texts();
    std::sort(hosts.begin(), hosts.end());
    EXPECT_EQ(hosts,
              (std::vector<std::string>{"double-quoted.com", "kept.com", "single-quoted.net", "unquoted.org",
                                        "visible-plain.net", "www.capitals.com", "www.crumb.org",
                                        "www.redirected.com", "www.semrush.com", "www.visible-scheme.com"}));
}

} // namespace
} // namespace ostrevo
