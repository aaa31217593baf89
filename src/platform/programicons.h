// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The icons of the toolbars and buttons: the desktop's icon theme's where it
// has one, otherwise the program's own drawings. Both are drawn anew for
// every size and scale, so they stay sharp where a logical pixel is several.

#include <QIcon>

namespace ostrevo {

enum class ProgramIcon { Start, Stop, Commands, Open, Save, WebSite, Refresh, DateFilter, Search };

QIcon programIcon(ProgramIcon icon);

// The program's own drawing, whatever the theme.
QIcon bundledIcon(ProgramIcon icon);

} // namespace ostrevo
