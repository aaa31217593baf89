// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Result page text, with up to three cut markers, through link extraction and
// Finish. Checks that the URL list keeps its promises whatever the page holds.

#include "rechercheweb/hosthandover.h"
#include "rechercheweb/linkextraction.h"
#include "textscan/hostname.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <unordered_set>

using namespace ostrevo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CutMarkers markers;
    const int markerCount = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < markerCount; ++i) {
        markers.push_back(input.ConsumeRandomLengthString(12));
    }
    const std::string text = input.ConsumeRemainingBytesAsString();

    const PageLines page = PageLines::fromText(text);
    UrlList urls;
    const TldFilter tlds;
    const int links = parseAllLines(page, markers, urls);

    std::unordered_set<std::string> keys;
    for (int i = 0; i < urls.count(); ++i) {
        const std::string& host = urls.text(i);
        // Only checked hosts of the TLDs asked for, never twice.
        if (checkedHostName(host) != host || !tlds.accepts(host) || !keys.insert(host).second) {
            __builtin_trap();
        }
    }
    if (links < urls.count()) {
        __builtin_trap();
    }

    reduceToHosts(urls);
    for (int i = 0; i < urls.count(); ++i) {
        if (!tlds.accepts(urls.text(i)) || urls.text(i) != asciiLower(urls.text(i))) {
            __builtin_trap();
        }
    }
    return 0;
}
