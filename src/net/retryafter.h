// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The Retry-After header of an HTTP answer (RFC 9110): how long the server
// asks us to wait before asking again, as a number of seconds or an HTTP date.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ostrevo {

// Seconds to wait from `nowUnixSeconds`; 0 for a date already past. Nothing
// when the value is neither form, or a delay of more than ten digits. The
// three date forms every recipient must read are read ("Sun, 06 Nov 1994
// 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994").
std::optional<std::int64_t> retryAfterSeconds(std::string_view value, std::int64_t nowUnixSeconds);

} // namespace ostrevo
