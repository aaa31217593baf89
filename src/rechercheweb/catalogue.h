// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The search engine catalogue listex.txt: blocks of six lines, one block per
// engine, in display order.

#include "platform/errors.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

inline constexpr std::string_view CatalogueFileName = "listex.txt";

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

// The lines split into blocks of six; a last, short block gets empty lines.
std::vector<EngineEntry> catalogueEntries(const std::vector<std::string>& lines);

// Line 1 of every block of a catalogue read as a text file (CR ends a line,
// an LF after it is skipped, a lone LF is ordinary, Ctrl-Z ends the file).
std::vector<std::string> engineNames(std::string_view fileContent);

// The engine list's names from the file; FileNotFoundError when it is missing,
// FileOpenError when it cannot be read.
std::vector<std::string> readEngineNames(const std::filesystem::path& path);

// The catalogue as the search run loads it: the whole file cut at CR, LF or
// CR LF; FileOpenError ("Cannot open file ...") when it cannot be read.
std::vector<std::string> readCatalogueLines(const std::filesystem::path& path);

// The entries of the named engines, in the order of `names`: for each name,
// the five lines after the first line equal to it (exactly, case-sensitive).
// Raises EngineNotFoundError for a name on no line and ListIndexError (with
// the missing line's 0-based index) when the catalogue ends too soon.
std::vector<EngineEntry> enginesForRun(const std::vector<std::string>& catalogueLines,
                                       const std::vector<std::string>& names);

// The cut markers of a run: each engine's sixth line when it is not blank,
// untrimmed, in engine order.
std::vector<std::string> cutMarkersOf(const std::vector<EngineEntry>& engines);

} // namespace ostrevo
