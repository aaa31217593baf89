// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/resultpages.h"

#include "platform/errors.h"
#include "rechercheweb/keywordencoding.h"

#include <charconv>
#include <limits>

namespace ostrevo {

std::int32_t parseInteger(std::string_view text)
{
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // from_chars takes no sign of its own here, so "+-5" and "--5" fail.
    std::int64_t magnitude = 0;
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, magnitude);
    if (digits.empty() || digits.front() == '-' || error != std::errc() || stop != end) {
        throw IntegerConvertError(std::string(text));
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw IntegerConvertError(std::string(text));
    }
    return static_cast<std::int32_t>(value);
}

std::string nextOffset(std::string_view offset, std::string_view step)
{
    const std::int64_t sum = std::int64_t{parseInteger(offset)} + parseInteger(step);
    return std::to_string(sum);
}

std::string resultPageUrl(std::string_view head, std::string_view keywords, std::string_view middle,
                          std::string_view offset)
{
    std::string url(head);
    url += EncodeKeywords(keywords);
    url += middle;
    url += offset;
    return url;
}

ResultPager::ResultPager(const EngineEntry& engine)
    : m_head(engine.urlHead), m_middle(engine.urlMiddle), m_offset(engine.firstOffset), m_step(engine.step)
{}

std::string ResultPager::nextPageUrl(std::string_view keywords)
{
    std::string url = resultPageUrl(m_head, keywords, m_middle, m_offset);
    m_offset = nextOffset(m_offset, m_step);
    return url;
}

} // namespace ostrevo
