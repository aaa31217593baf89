// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the program needs of an embedded browser: load a page by URL without
// showing it, tell when it is busy and when a document completed, and give the
// text of the page's body. Events are delivered while the caller processes
// window messages.

#include "platform/proxyfailure.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ostrevo {

// Every navigation ends by this deadline: a page that never finishes (a
// server that never answers, a script that loops) is stopped there.
inline constexpr int kNavigationDeadlineMs = 30000;

// What LinkTargets gives at most: this many targets, none longer than this.
inline constexpr int kMaxLinkTargets = 1000;
inline constexpr std::size_t kMaxLinkTargetBytes = 4096;

class PageLoader {
public:
    virtual ~PageLoader() = default;

    virtual void SetVisible(bool visible) = 0;
    // No dialogs, prompts, downloads or permission requests of the page's own.
    virtual void SetSilent(bool silent) = 0;
    // True from Navigate until that load finished (successfully or not, or
    // stopped at its deadline).
    virtual bool Busy() const = 0;
    // The last navigation was stopped at its deadline: there was no answer.
    virtual bool TimedOut() const = 0;
    // A plain GET of an http or https URL; returns at once. Any other URL
    // loads nothing and completes as a failed load.
    virtual void Navigate(const std::string& url) = 0;
    // The body's text as UTF-8 with every line ending as CR LF; empty when the
    // page has no body. Processes events while it waits for the browser.
    virtual std::string PageText() = 0;
    // The targets of the page's links (their absolute http or https URLs) in
    // document order, leaving out every link that follows one of
    // `cutMarkers` on its line, or whose text holds one. Bounded by
    // kMaxLinkTargets and kMaxLinkTargetBytes. Processes events while it waits.
    virtual std::vector<std::string> LinkTargets(const std::vector<std::string>& cutMarkers)
    {
        (void)cutMarkers;
        return {};
    }
    // The HTTP status the main document came with; 0 when there was no
    // answer or the loader cannot tell.
    virtual int HttpStatus() const { return 0; }
    // The main document's URL after redirects; empty when the loader cannot tell.
    virtual std::string LocationURL() const { return {}; }
    // The Retry-After header the server sends for the main document's URL:
    // the loader asks it again for the headers alone, as the page would.
    // Empty when there is none. Processes events while it waits.
    virtual std::string RetryAfter() { return {}; }
    // How the last navigation failed at the proxy, if it did.
    virtual ProxyFailure ProxyFailureOfLoad() const { return ProxyFailure::None; }
    // Lets the page go, with its document and scripts, once its loads are no
    // longer wanted; the loader stays usable and idle.
    virtual void ReleasePage() {}

    // A document (the page or one of its frames) finished loading.
    std::function<void()> OnDocumentComplete;
    // The page asks for a new window. `cancel` comes in false; the loader
    // never opens a window, whatever the handler leaves in it.
    std::function<void(bool& cancel)> OnNewWindow2;
    std::function<void(int progress, int progressMax)> OnProgressChange;
};

} // namespace ostrevo
