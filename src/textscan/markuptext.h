// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Text put into XML or HTML, as element text or as a quoted attribute value.
// The program's texts are UTF-8 by convention only: a loaded file or a web
// page may hold any bytes, and one stray byte would make a whole XML file
// unreadable.

#include <string>
#include <string_view>

namespace ostrevo {

// Appends `text` with & < > " ' escaped and TAB, LF and CR as character
// references (so attribute values and CRs keep them). Malformed UTF-8 and
// characters XML 1.0 cannot carry (other control characters, U+FFFE, U+FFFF)
// become U+FFFD.
void appendMarkupText(std::string& out, std::string_view text);

} // namespace ostrevo
