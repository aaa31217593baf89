// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any status, address and page text through the page recognition: it must
// answer without reading out of bounds, and a page with links is results.

#include "rechercheweb/pagekind.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

using namespace ostrevo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int status = input.ConsumeIntegralInRange(0, 999);
    const bool links = input.ConsumeBool();
    const std::string url = input.ConsumeRandomLengthString(200);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const PageKind kind = recognisePage({status, url, text, links});
    if (links && kind != PageKind::Results) {
        __builtin_trap();
    }
    return 0;
}
