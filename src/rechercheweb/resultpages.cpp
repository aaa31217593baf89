// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/resultpages.h"

#include "platform/errors.h"
#include "rechercheweb/keywordencoding.h"

#include <limits>

namespace ostrevo {

std::string nextOffset(std::string_view offset, std::string_view step)
{
    const std::int64_t sum = std::int64_t{parseInteger(offset)} + parseInteger(step);
    if (sum > std::numeric_limits<std::int32_t>::max() || sum < std::numeric_limits<std::int32_t>::min()) {
        throw RuntimeError("The next result page's offset, " + std::string(offset) + " plus " +
                           std::string(step) + ", is beyond " +
                           std::to_string(std::numeric_limits<std::int32_t>::max()));
    }
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
