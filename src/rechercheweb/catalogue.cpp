// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/catalogue.h"

#include "platform/filereading.h"
#include "textscan/linesplit.h"
#include "textscan/textkey.h"

namespace ostrevo {
namespace {

constexpr std::size_t BlockLines = 6;

} // namespace

std::vector<std::string> catalogueLines(std::string_view fileContent)
{
    std::vector<std::string> lines = splitLines(fileContent);
    while (lines.size() % BlockLines != 0 && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<EngineEntry> catalogueEntries(const std::vector<std::string>& lines)
{
    std::vector<EngineEntry> entries;
    entries.reserve((lines.size() + BlockLines - 1) / BlockLines);
    const auto line = [&](std::size_t index) { return index < lines.size() ? lines[index] : std::string(); };
    for (std::size_t first = 0; first < lines.size(); first += BlockLines) {
        entries.push_back(EngineEntry{line(first), line(first + 1), line(first + 2), line(first + 3),
                                      line(first + 4), line(first + 5)});
    }
    return entries;
}

std::vector<std::string> engineNames(std::string_view fileContent)
{
    const std::vector<std::string> lines = catalogueLines(fileContent);
    std::vector<std::string> names;
    for (std::size_t first = 0; first < lines.size(); first += BlockLines) {
        names.push_back(lines[first]);
    }
    return names;
}

std::vector<std::string> readEngineNames(const std::filesystem::path& path)
{
    return engineNames(readFileForCommand(path, kMaxCatalogueBytes, MissingFileIs::FileNotFound));
}

std::vector<std::string> readCatalogueLines(const std::filesystem::path& path)
{
    return catalogueLines(readFileForCommand(path, kMaxCatalogueBytes, MissingFileIs::CannotOpen));
}

std::vector<EngineEntry> enginesForRun(const std::vector<std::string>& lines,
                                       const std::vector<std::string>& names)
{
    std::vector<EngineEntry> engines;
    engines.reserve(names.size());
    for (const std::string& name : names) {
        std::size_t j = 0;
        while (j < lines.size() && lines[j] != name) {
            j += BlockLines;
        }
        if (j >= lines.size()) {
            throw EngineNotFoundError(name);
        }
        const auto line = [&](std::size_t index) -> const std::string& {
            if (index >= lines.size()) {
                throw ListIndexError(static_cast<std::int64_t>(index));
            }
            return lines[index];
        };
        engines.push_back(EngineEntry{name, line(j + 1), line(j + 2), line(j + 3), line(j + 4), line(j + 5)});
    }
    return engines;
}

std::vector<std::string> cutMarkersOf(const std::vector<EngineEntry>& engines)
{
    std::vector<std::string> markers;
    for (const EngineEntry& engine : engines) {
        if (!isBlank(engine.cutMarker)) {
            markers.push_back(engine.cutMarker);
        }
    }
    return markers;
}

} // namespace ostrevo
