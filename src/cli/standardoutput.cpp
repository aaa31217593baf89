// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/standardoutput.h"

#include "platform/errors.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace ostrevo::cli {

void writeStandardOutput(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw RuntimeError(std::string("cannot write to standard output: ") + std::strerror(errno));
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace ostrevo::cli
