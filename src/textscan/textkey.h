// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Keys that stand in for the platform's text comparisons: two texts are
// "equal ignoring case" exactly when their case-fold keys are equal, and the
// alphabetical order is the byte order of their sort keys. The platform layer
// supplies locale-aware keys; the core defaults to ASCII lower-casing.

#include <functional>
#include <string>
#include <string_view>

namespace ostrevo {

using TextKeyFunction = std::function<std::string(std::string_view)>;

// Letters A to Z become a to z; every other byte stays.
std::string asciiLower(std::string_view text);

// Bytes 0 to 32 (spaces and control characters) at both ends removed.
std::string_view trimBlanks(std::string_view text);

// True when the text is empty or made only of bytes 0 to 32.
bool isBlank(std::string_view text);

} // namespace ostrevo
