// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/whoisparser.h"

#include "expired/emailtoken.h"
#include "expired/expirydate.h"
#include "textscan/textscan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace ostrevo {
namespace {

bool contains(std::string_view text, std::string_view part)
{
    return FindMarker(text, part, 1) != 0;
}

} // namespace

WhoisAnswer ParseWhoisPage(std::string_view pageText)
{
    WhoisAnswer answer;
    // The services answer this way when they refuse more queries; the
    // caller switches service.
    if (contains(pageText, "exceed")) {
        answer.outcome = WhoisOutcome::Refused;
        return answer;
    }
    if (contains(pageText, "No match for domain") || !contains(pageText, "xpir") ||
        !contains(pageText, "@")) {
        return answer;
    }

    const std::string_view email = firstEmailToken(pageText);

    // The date is read from one line only: the one where "xpir" first occurs.
    std::int32_t cursor = 1;
    const std::string_view expiryLine = TextBetween(pageText, "xpir", "\r", cursor);
    std::optional<std::string> expires = expiryDateOf(expiryLine);

    if (!expires || email.empty()) {
        return answer;
    }
    answer.outcome = WhoisOutcome::Record;
    answer.record.email = std::string(email);
    answer.record.expires = std::move(*expires);
    return answer;
}

} // namespace ostrevo
