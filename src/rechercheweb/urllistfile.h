// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// URL list files: plain text with one entry per line, or HTML pages scanned
// for links. Opening adds to the list (unticked, skipping entries already
// present) and never clears it.

#include "rechercheweb/urllist.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrevo {

// Whether a file is read as HTML: its whole path, lower-cased, contains ".htm"
// (folder names included).
bool isHtmlListFile(std::string_view path);

// Appends every line of a text file's content (CR ends a line, an LF right
// after it is skipped, a lone LF is ordinary, Ctrl-Z ends the file); an empty
// line gives an empty entry, once.
void addTextListLines(std::string_view content, UrlList& urls);

// Appends the targets of <A HREF='...'>, <a href="..."> and <A HREF="...">,
// in three passes, one per form, matched exactly. Each pass also appends the
// empty text its last, unsuccessful search yields (once, like any text).
void addHtmlListLinks(std::string_view content, UrlList& urls);

// Reads the file as HTML or as text (see isHtmlListFile). Raises
// FileOpenError ("Cannot open file ...") when an HTML file cannot be read,
// FileNotFoundError when a text file is missing, FileOpenError for other
// failures of a text file. The list keeps what was added before an error.
void openUrlListFile(const std::filesystem::path& path, UrlList& urls);

// The list's texts in order, each followed by CR LF.
std::string urlListFileContent(const UrlList& urls);

// Writes urlListFileContent to `path`, replacing the file only once the new
// content is completely written; FileCreateError ("Cannot create file
// <path>: <reason>") or RuntimeError ("Cannot write file ...") when that fails.
void saveUrlListFile(const std::filesystem::path& path, const UrlList& urls);

} // namespace ostrevo
