// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/terminalline.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace ostrevo::cli {

TerminalLine::TerminalLine(bool progress)
    : m_terminal(::isatty(STDERR_FILENO) == 1), m_progress(progress && m_terminal)
{}

TerminalLine::~TerminalLine()
{
    clear();
}

std::size_t TerminalLine::width() const
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) {
        // The last column left free: a full line would wrap on some terminals.
        return size.ws_col - 1u;
    }
    return 79;
}

void TerminalLine::show(std::string_view line)
{
    if (!m_progress) {
        return;
    }
    // Back to the line's start, the new text, and whatever the old one had beyond it erased.
    write(std::string("\r").append(line).append("\x1b[K"));
    m_shown = true;
}

void TerminalLine::message(std::string_view text)
{
    clear();
    write(std::string(text).append("\n"));
}

void TerminalLine::clear()
{
    if (m_shown) {
        write("\r\x1b[K");
        m_shown = false;
    }
}

void TerminalLine::write(std::string_view text) const
{
    while (!text.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return; // nowhere to tell it
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace ostrevo::cli
