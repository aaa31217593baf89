// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The search engine catalogue listex.txt: blocks of six lines, one block per
// engine, in display order.

#include "platform/errors.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

inline constexpr std::string_view CatalogueFileName = "listex.txt";
// The largest catalogue read or installed: one of a few hundred engines is a
// few tens of kilobytes.
inline constexpr std::size_t kMaxCatalogueBytes = std::size_t{16} << 20;

struct EngineEntry {
    std::string name;        // shown in the engine list; matched exactly
    std::string urlHead;     // result page URL up to the keywords
    std::string urlMiddle;   // after the keywords, up to the page offset
    std::string firstOffset; // decimal text, used as stored for the first page
    std::string step;        // decimal text added per further page
    std::string cutMarker;   // blank: none; otherwise used untrimmed
};

// Raised when a ticked engine's name stands on no line of the catalogue (the
// file changed after the engine list was filled).
class EngineNotFoundError : public RuntimeError {
public:
    explicit EngineNotFoundError(const std::string& name)
        : RuntimeError("Search engine '" + name + "' not found in " + std::string(CatalogueFileName))
    {}
};

// The catalogue's lines, cut at CR, LF or CR LF by everything that reads it;
// empty lines after the last whole block of six are no part of it (an update
// adds a line end to a body that may already end with one).
std::vector<std::string> catalogueLines(std::string_view fileContent);

// The lines split into blocks of six; a last, short block gets empty lines.
std::vector<EngineEntry> catalogueEntries(const std::vector<std::string>& lines);

// Line 1 of every block of six catalogueLines.
std::vector<std::string> engineNames(std::string_view fileContent);

// The engine list's names from the file; FileNotFoundError when it is missing,
// FileOpenError when it cannot be read.
std::vector<std::string> readEngineNames(const std::filesystem::path& path);

// The catalogueLines of the file as the search run loads it; FileOpenError
// ("Cannot open file ...") when it cannot be read.
std::vector<std::string> readCatalogueLines(const std::filesystem::path& path);

// The entries of the named engines, in the order of `names`: for each name,
// the first block whose first line equals it (exactly, case-sensitive); other
// lines are never taken for names. Raises EngineNotFoundError for a name that
// starts no block and ListIndexError (with the missing line's 0-based index)
// when the catalogue ends inside the block.
std::vector<EngineEntry> enginesForRun(const std::vector<std::string>& lines,
                                       const std::vector<std::string>& names);

// The cut markers of a run: each engine's sixth line when it is not blank,
// untrimmed, in engine order.
std::vector<std::string> cutMarkersOf(const std::vector<EngineEntry>& engines);

} // namespace ostrevo
