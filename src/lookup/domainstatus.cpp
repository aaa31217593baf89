// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/domainstatus.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <utility>

namespace ostrevo {

namespace {

// Registries' grace after expiry at its longest, then redemption, then pending delete.
constexpr int GraceDays = 45;
constexpr int RedemptionDays = 30;
constexpr int PendingDeleteDays = 5;
constexpr std::size_t MaxStatusWordBytes = 64;

constexpr std::array<std::pair<DomainState, std::string_view>, 7> StateTexts{{
    {DomainState::Unknown, "unknown"},
    {DomainState::Registered, "registered"},
    {DomainState::Expired, "expired (grace)"},
    {DomainState::Redemption, "redemption"},
    {DomainState::PendingDelete, "pending delete"},
    {DomainState::OnHold, "on hold"},
    {DomainState::NotRegistered, "not registered"},
}};

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<std::chrono::sys_days> dayOf(std::string_view text)
{
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') {
        return std::nullopt;
    }
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (std::size_t i = 0; i < lengths[p]; ++i) {
            const char c = text[starts[p] + i];
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    const std::chrono::year_month_day day{std::chrono::year(parts[0]),
                                          std::chrono::month(static_cast<unsigned>(parts[1])),
                                          std::chrono::day(static_cast<unsigned>(parts[2]))};
    if (!day.ok()) {
        return std::nullopt;
    }
    return std::chrono::sys_days(day);
}

std::string textOf(std::chrono::sys_days day)
{
    const std::chrono::year_month_day ymd(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

bool hasKey(const std::vector<std::string>& keys, std::string_view key)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

std::string_view stateText(DomainState state)
{
    for (const auto& [known, text] : StateTexts) {
        if (known == state) {
            return text;
        }
    }
    return "unknown";
}

DomainState stateOfText(std::string_view text)
{
    for (const auto& [state, known] : StateTexts) {
        if (known == text) {
            return state;
        }
    }
    return DomainState::Unknown;
}

std::string statusKey(std::string_view word)
{
    std::string key;
    for (const char c : word.substr(0, MaxStatusWordBytes)) {
        const char l = lower(c);
        if (l >= 'a' && l <= 'z') {
            key += l;
        }
    }
    return key;
}

DomainState summarizeStatus(const StatusFacts& facts, std::string_view today)
{
    std::vector<std::string> keys;
    keys.reserve(facts.words.size());
    for (const std::string& word : facts.words) {
        keys.push_back(statusKey(word));
    }
    // EPP's grace period extension marks a name in redemption "pendingDelete" as well.
    if (hasKey(keys, "redemptionperiod") || hasKey(keys, "pendingrestore")) {
        return DomainState::Redemption;
    }
    if (hasKey(keys, "pendingdelete")) {
        return DomainState::PendingDelete;
    }
    if (hasKey(keys, "autorenewperiod")) {
        return DomainState::Expired;
    }
    if (hasKey(keys, "free") || hasKey(keys, "available")) {
        return DomainState::NotRegistered;
    }
    if (hasKey(keys, "clienthold") || hasKey(keys, "serverhold")) {
        return DomainState::OnHold;
    }
    const std::optional<int> left = daysBetween(today, facts.expires);
    if (left && *left < 0) {
        return DomainState::Expired;
    }
    if (!keys.empty() || left) {
        return DomainState::Registered;
    }
    return DomainState::Unknown;
}

std::optional<DropEstimate> estimateDrop(DomainState state, const StatusFacts& facts, std::string_view today)
{
    if (state == DomainState::NotRegistered || state == DomainState::Unknown) {
        return std::nullopt;
    }
    const std::optional<std::chrono::sys_days> now = dayOf(today);
    const std::optional<std::chrono::sys_days> expiry = dayOf(facts.expires);
    const bool pastExpiry = now && expiry && *expiry < *now;
    const bool inDropStages = state == DomainState::Redemption || state == DomainState::PendingDelete;
    if (!pastExpiry && !inDropStages) {
        return std::nullopt;
    }
    if (const std::optional<std::chrono::sys_days> deletion = dayOf(facts.deletion)) {
        return DropEstimate{textOf(*deletion), "the registry's deletion date"};
    }
    const std::optional<std::chrono::sys_days> changed = dayOf(facts.lastChanged);
    const auto fromStage = [&](int days, std::string stages) -> std::optional<DropEstimate> {
        // The last change is usually the day this stage was set; failing it, the expiry.
        const std::optional<std::chrono::sys_days> start = changed ? changed : expiry;
        if (!start) {
            return std::nullopt;
        }
        const std::string from = changed ? "last change " : "expiry ";
        return DropEstimate{textOf(*start + std::chrono::days(days)),
                            std::move(stages) + ", from " + from + textOf(*start)};
    };
    switch (state) {
    case DomainState::PendingDelete:
        return fromStage(PendingDeleteDays, "pending delete 5 days");
    case DomainState::Redemption:
        return fromStage(RedemptionDays + PendingDeleteDays, "redemption 30 days, pending delete 5");
    default:
        if (!expiry) {
            return std::nullopt;
        }
        return DropEstimate{
            textOf(*expiry + std::chrono::days(GraceDays + RedemptionDays + PendingDeleteDays)),
            "grace up to 45 days, redemption 30, pending delete 5, from expiry " + textOf(*expiry)};
    }
}

std::string dropText(const DropEstimate& estimate)
{
    return "about " + estimate.day + " (" + estimate.assumed + ")";
}

std::optional<int> daysBetween(std::string_view a, std::string_view b)
{
    const std::optional<std::chrono::sys_days> from = dayOf(a);
    const std::optional<std::chrono::sys_days> to = dayOf(b);
    if (!from || !to) {
        return std::nullopt;
    }
    return static_cast<int>((*to - *from).count());
}

std::string addDays(std::string_view day, int days)
{
    const std::optional<std::chrono::sys_days> from = dayOf(day);
    return from ? textOf(*from + std::chrono::days(days)) : std::string();
}

std::string statusTip(const StatusFacts& facts, std::string_view today)
{
    const DomainState state = summarizeStatus(facts, today);
    std::string tip;
    if (state != DomainState::Unknown) {
        tip = "Status: " + std::string(stateText(state));
    }
    if (const std::optional<DropEstimate> estimate = estimateDrop(state, facts, today)) {
        tip += (tip.empty() ? "" : "\n") + std::string("Drops ") + dropText(*estimate);
    }
    return tip;
}

} // namespace ostrevo
