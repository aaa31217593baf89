// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Result page URLs of a search engine and the offsets that page through them.

#include "rechercheweb/catalogue.h"
#include "textscan/integertext.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrevo {

// The decimal text of offset + step (each parsed by parseInteger); a
// RuntimeError naming both when the sum would not fit in 32 bits.
std::string nextOffset(std::string_view offset, std::string_view step);

// head + EncodeKeywords(keywords) + middle + offset, nothing in between or after.
std::string resultPageUrl(std::string_view head, std::string_view keywords, std::string_view middle,
                          std::string_view offset);

// Pages through one engine: the first URL carries the first offset exactly as
// stored, every later one the decimal sum of the offset before and the step.
class ResultPager {
public:
    explicit ResultPager(const EngineEntry& engine);

    // The next result page's URL for the keywords as they are now. Raises
    // IntegerConvertError, without moving on, when the offset or the step is
    // not an integer.
    std::string nextPageUrl(std::string_view keywords);

    // The offset the next page will carry.
    const std::string& offset() const { return m_offset; }

private:
    std::string m_head;
    std::string m_middle;
    std::string m_offset;
    std::string m_step;
};

} // namespace ostrevo
