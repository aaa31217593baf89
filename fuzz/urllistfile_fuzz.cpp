// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// URL list file content read as text and as HTML. A list read from text must
// survive a save and a second read unchanged.

#include "rechercheweb/urllistfile.h"

#include <cstdint>
#include <string_view>

using namespace ostrevo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    UrlList fromText;
    addTextListLines(content, fromText);
    UrlList again;
    addTextListLines(urlListFileContent(fromText), again);
    if (again.texts() != fromText.texts()) {
        __builtin_trap();
    }

    UrlList fromHtml;
    addHtmlListLinks(content, fromHtml);
    // The empty text of a failed search is always there.
    if (!fromHtml.contains("")) {
        __builtin_trap();
    }
    return 0;
}
