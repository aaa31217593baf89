// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The hosts a lookup is given on the command line: a list of hosts or URLs,
// a saved URL list (text or HTML page) or a saved results file.

#include "net/tldfilter.h"
#include "textscan/hostname.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo::cli {

// Each record's first field (records and fields as the delimited results
// files have them, so a host list is one field a line), or the links of an
// HTML page, read as the window's Finish reads its list: the host of a URL
// or the text before its first "/", a checked DNS name whose TLD `tlds`
// accepts, each once, in order. A byte-order mark is dropped; UTF-16 is read.
std::vector<std::string> hostsOfText(std::string_view content, bool html, const TldFilter& tlds,
                                     const AsciiHostConverter& toAscii = {});

} // namespace ostrevo::cli
