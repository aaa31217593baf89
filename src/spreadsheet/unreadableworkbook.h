// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Why the .xls reader's parts give up on a file. They work on bytes and do not
// know the file's name: the reader turns the reason into the import error.

#include <stdexcept>
#include <string>

namespace ostrevo {

// what() completes "Cannot import <file>: ", e.g. "the file is damaged (...)".
class UnreadableWorkbook : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "the file is damaged (<detail>)"
inline UnreadableWorkbook DamagedWorkbook(const std::string& detail)
{
    return UnreadableWorkbook("the file is damaged (" + detail + ")");
}

} // namespace ostrevo
