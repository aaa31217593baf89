// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Installing a downloaded search engine catalogue.

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrevo {

// Path of the catalogue on the update server.
inline constexpr std::string_view CatalogueUpdatePath = "/listex.txt";

// server + "/listex.txt"; `server` is "https://" and a host, optionally with
// a port (tests hand in a loopback "http://" one).
std::string catalogueUpdateUrl(std::string_view server);

// A download is taken for a catalogue only when it is at most
// kMaxCatalogueBytes, its text, lower-cased, contains "google", and the file
// it makes is whole blocks of six catalogueLines, each well formed: a name,
// an http or https URL head, the offset and the step as whole numbers from 0
// to 2147483647.
bool isAcceptableCatalogue(std::string_view body);

// What the new catalogue file holds: the body as it came, then CR LF.
std::string catalogueFileContent(std::string_view body);

// <folder>/listex.txt
std::filesystem::path catalogueTargetPath(const std::filesystem::path& executableFolder);

// Writes an acceptable body to `target`, replacing the old file only once the
// new one is completely written. Returns false, touching nothing, when the
// body is not acceptable; raises FileCreateError when the file cannot be
// created or replaced and RuntimeError when writing fails (the old file then
// stays as it was).
bool installCatalogue(std::string_view body, const std::filesystem::path& target);

} // namespace ostrevo
