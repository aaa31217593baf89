// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Catalogue files: the engine list, the run's engine look-up, cut markers
// and paging through the first result pages. Only the documented errors may
// come out.

#include "platform/errors.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/catalogueupdate.h"
#include "rechercheweb/resultpages.h"
#include "textscan/linesplit.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace ostrevo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> names = engineNames(content);
    const std::vector<std::string> lines = splitLines(content);
    const std::vector<EngineEntry> blocks = catalogueEntries(lines);
    if (blocks.size() != (lines.size() + 5) / 6) {
        __builtin_trap();
    }
    isAcceptableCatalogue(content);

    const std::vector<std::string> ticked(names.begin(),
                                          names.begin() + std::min<std::size_t>(names.size(), 11));
    try {
        const std::vector<EngineEntry> engines = enginesForRun(lines, ticked);
        cutMarkersOf(engines);
        for (const EngineEntry& engine : engines) {
            ResultPager pager(engine);
            for (int page = 0; page < 3; ++page) {
                pager.nextPageUrl("c# hotels \xE9");
            }
        }
    } catch (const EngineNotFoundError&) {
    } catch (const ListIndexError&) {
    } catch (const IntegerConvertError&) {
    } catch (const RuntimeError& error) {
        // Paging beyond the largest offset is refused with its own message.
        if (!std::string_view(error.what()).starts_with("The next result page's offset, ")) {
            throw;
        }
    }
    return 0;
}
