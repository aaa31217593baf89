// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/boundedjson.h"

#include <algorithm>

namespace ostrevo {

namespace {
struct TooDeep {};
} // namespace

std::optional<nlohmann::json> parseBoundedJson(std::string_view text, std::size_t maxBytes, int maxDepth)
{
    if (text.size() > maxBytes) {
        return std::nullopt;
    }
    using Event = nlohmann::json::parse_event_t;
    const auto bound = [maxDepth](int depth, Event event, nlohmann::json&) {
        if ((event == Event::object_start || event == Event::array_start) && depth >= maxDepth) {
            throw TooDeep{};
        }
        return true;
    };
    try {
        return nlohmann::json::parse(text.begin(), text.end(), bound);
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    } catch (const TooDeep&) {
        return std::nullopt;
    }
}

std::string_view stringMember(const nlohmann::json& object, const char* name)
{
    if (!object.is_object()) {
        return {};
    }
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string()) {
        return {};
    }
    return found->get_ref<const std::string&>();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace ostrevo
