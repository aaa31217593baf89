// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/searchcommand.h"

#include "cli/exitcodes.h"
#include "cli/interruptwatch.h"
#include "cli/standardoutput.h"
#include "cli/terminalline.h"
#include "net/activeproxy.h"
#include "net/tldsetting.h"
#include "pageloader/qtpageloader.h"
#include "platform/collation.h"
#include "platform/errors.h"
#include "platform/eventpump.h"
#include "platform/internationalhost.h"
#include "platform/replacingfile.h"
#include "platform/ticksource.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/searchrun.h"
#include "rechercheweb/shippedfiles.h"
#include "rechercheweb/urllistfile.h"

#include <csignal>

namespace ostrevo::cli {

namespace {

// How long a turn waits when every engine is loading; a finished page ends it sooner.
constexpr int IdleWaitMs = 50;

// Loaders may be delivering a browser event when the run lets them go.
void releaseLater(std::unique_ptr<PageLoader> loader)
{
    if (auto* object = dynamic_cast<QObject*>(loader.get())) {
        loader.release();
        object->deleteLater();
    }
}

// Without a window no one can answer a check or say to try the proxy again.
bool isLeft(EngineState state)
{
    return state == EngineState::CheckNeeded || state == EngineState::ConsentNeeded ||
           state == EngineState::Blocked || state == EngineState::ProxyFailed;
}

bool isOver(EngineState state)
{
    return isLeft(state) || state == EngineState::NoMoreResults;
}

std::string stateText(std::string_view name, const SearchRun& run, int engine)
{
    const EngineState state = run.state(engine);
    switch (state) {
    case EngineState::Paging:
        return std::string(name) + " goes on";
    case EngineState::Resting:
        return std::string(name) + " refuses automated searches: trying again later";
    case EngineState::NoMoreResults:
        return std::string(name) + ": no more results";
    case EngineState::CheckNeeded:
        return std::string(name) + " asks for a check: open Ostrevo and press Show page";
    case EngineState::ConsentNeeded:
        return std::string(name) + " asks about cookies: open Ostrevo and press Show page";
    case EngineState::Blocked:
        return std::string(name) + " still refuses: no more pages from it in this search";
    case EngineState::ProxyFailed:
        return std::string(name) + ": " + proxyFailureFor(run.proxyFailure(engine), run.pageUrl(engine));
    }
    return {};
}

} // namespace

int runSearchCommand(const SearchArguments& arguments)
{
    TerminalLine line(arguments.verbosity != Verbosity::Quiet);
    const auto fail = [&line](int status, const std::string& text) {
        line.message("ostrevo search: " + text);
        return status;
    };
    const int limit = arguments.limit.value_or(MaxSearchLinks);
    TldFilter tlds = loadTldFilter();
    std::vector<EngineEntry> engines;
    try {
        if (arguments.tlds) {
            std::string error;
            std::optional<TldFilter> chosen =
                TldFilter::parse(*arguments.tlds, &error, &internationalHostToAscii);
            if (!chosen) {
                return fail(exitcode::Usage, "--tlds: " + error);
            }
            tlds = std::move(*chosen);
        }
        if (arguments.engines.size() > static_cast<std::size_t>(SearchRun::MaxEngines)) {
            return fail(exitcode::Usage,
                        "at most " + std::to_string(SearchRun::MaxEngines) + " engines at once");
        }
        const std::vector<std::string> lines = readCatalogueLines(shippedFile(CatalogueFileName));
        engines = enginesForRun(lines, arguments.engines);
        if (arguments.output != "-") {
            // Refuses an unwritable place now rather than after the search.
            ReplacingFile probe(arguments.output);
        }
    } catch (const EngineNotFoundError& error) {
        return fail(exitcode::Usage, error.what());
    } catch (const ListIndexError&) {
        return fail(exitcode::FileError, "the engine catalogue ends inside an engine's lines");
    } catch (const RuntimeError& error) {
        return fail(exitcode::FileError, error.what());
    }

    SteadyTickSource ticks;
    EventPump pump(ticks);
    SearchRun run(
        std::move(engines), [] { return std::make_unique<QtPageLoader>(); }, &releaseLater,
        [&ticks] { return ticks.now(); });
    run.setTldFilter(std::move(tlds));
    const TextKeyFunction foldKey(&caseFoldKey);
    UrlList urls(foldKey);
    bool interrupted = false;
    InterruptWatch interrupts([&interrupted](int) { interrupted = true; });

    const bool verbose = arguments.verbosity == Verbosity::Verbose;
    std::vector<EngineState> shown(static_cast<std::size_t>(run.engineCount()), EngineState::Paging);
    const auto note = [&](int engine) {
        const EngineState state = run.state(engine);
        EngineState& before = shown[static_cast<std::size_t>(engine)];
        if (state == before) {
            return;
        }
        before = state;
        const std::string& name = arguments.engines[static_cast<std::size_t>(engine)];
        if (isLeft(state)) {
            line.message("ostrevo search: " + stateText(name, run, engine));
        } else if (verbose) {
            line.message(stateText(name, run, engine));
        }
    };
    const int engineCount = run.engineCount();
    for (int k = 0; !interrupted; k = (k + 1) % engineCount) {
        const bool turnTaken = run.takeTurn(k, arguments.keywords, urls, foldKey);
        if (turnTaken) {
            note(k);
            line.show(std::to_string(urls.count()) + "/" + std::to_string(limit) + " links");
        }
        if (!turnTaken && run.nothingDue()) {
            ticks.waitForEvents(IdleWaitMs);
        } else {
            pump.processMessages();
        }
        bool over = true;
        for (int i = 0; i < engineCount; ++i) {
            over = over && isOver(run.state(i));
        }
        if (urls.count() >= limit || over) {
            break;
        }
    }
    run.releasePages();
    line.clear();

    if (urls.count() > limit) {
        std::vector<std::string> kept = urls.texts();
        kept.resize(static_cast<std::size_t>(limit));
        urls.assign(std::move(kept));
    }
    try {
        if (arguments.output == "-") {
            writeStandardOutput(urlListFileContent(urls));
        } else {
            saveUrlListFile(arguments.output, urls);
        }
    } catch (const RuntimeError& error) {
        return fail(exitcode::FileError, error.what());
    }
    if (interrupted) {
        return exitcode::interrupted(interrupts.firstSignal() != 0 ? interrupts.firstSignal() : SIGINT);
    }
    for (int i = 0; i < engineCount; ++i) {
        if (isLeft(run.state(i))) {
            return exitcode::SomeUnanswered;
        }
    }
    if (line.showsProgress()) {
        line.message("ostrevo search: " + std::to_string(urls.count()) + " links");
    }
    return exitcode::Done;
}

} // namespace ostrevo::cli
