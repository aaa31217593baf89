// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Standard error as a command uses it: one progress line that updates in
// place when it is a terminal (and none otherwise), and whole messages.

#include <cstddef>
#include <string_view>

namespace ostrevo::cli {

class TerminalLine {
public:
    // `progress`: show the line at all (no --quiet). It is shown only when
    // standard error is a terminal.
    explicit TerminalLine(bool progress);
    ~TerminalLine();
    TerminalLine(const TerminalLine&) = delete;
    TerminalLine& operator=(const TerminalLine&) = delete;

    bool showsProgress() const { return m_progress; }
    bool isTerminal() const { return m_terminal; }
    // Columns the line may take.
    std::size_t width() const;
    void show(std::string_view line);
    // A message on a line of its own; the progress line comes back with the next show().
    void message(std::string_view text);
    void clear();

private:
    void write(std::string_view text) const;

    bool m_terminal;
    bool m_progress;
    bool m_shown = false;
};

} // namespace ostrevo::cli
