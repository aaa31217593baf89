// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The Retry-After header of an HTTP answer: how long the server asks us to
// wait before asking again.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>

namespace ostrevo {

// Seconds to wait, from delta-seconds or an HTTP-date (the fixed form and
// the two obsolete ones every recipient must read), measured from `now`; a
// date already past gives 0. Nothing for anything else.
std::optional<std::int64_t> parseRetryAfter(std::string_view value, std::time_t now);

} // namespace ostrevo
