// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

#include <QString>

namespace ostrevo {

// Opens a web or mail address with the user's program for it. Anything that
// does not parse as an http, https or mailto address is dropped.
void openLinkOnDesktop(const QString& address);

} // namespace ostrevo
