// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the commands' exit status says, for scripts.

namespace ostrevo::cli::exitcode {

inline constexpr int Done = 0;
inline constexpr int SomeUnanswered = 1; // hosts without an answer, engines left
inline constexpr int Usage = 2;
inline constexpr int FileError = 3; // a file cannot be read or written
// 128 + the signal's number, as shells report a program a signal ended.
inline constexpr int interrupted(int signal)
{
    return 128 + signal;
}

} // namespace ostrevo::cli::exitcode
