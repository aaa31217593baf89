// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// RDAP event dates (RFC 3339 timestamps) as the result table writes dates.

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// "2027-03-04T23:30:00-05:00" -> "2027/03/05": the day in UTC, year first.
// The time, its fraction and the zone may be missing (a missing zone is UTC);
// the zone may be written "Z", "+hh:mm" or "+hhmm". Nothing when the text is
// not such a timestamp or names a day that does not exist.
std::optional<std::string> tableDateOfRdapDate(std::string_view timestamp);

} // namespace ostrevo
