// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What a domain's status words add up to, and when a name past its expiry
// is likely to become free. Registries publish EPP codes ("redemptionPeriod")
// in whois and their RDAP words ("redemption period") in RDAP; both are read
// the same way.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

enum class DomainState {
    Unknown, // the answer gave no status and no expiry to judge by
    Registered,
    Expired,       // in the grace after expiry, the registrar may still renew
    Redemption,    // deleted, the holder may still restore it
    PendingDelete, // days away from being free
    OnHold,        // kept out of the DNS by the registrar or the registry
    NotRegistered, // free now
};

// "registered", "expired (grace)", "redemption", "pending delete", "on hold",
// "not registered"; "unknown".
std::string_view stateText(DomainState state);
// The inverse of stateText; Unknown for any other text.
DomainState stateOfText(std::string_view text);

// What an answer says about the domain's status, dates as the table writes
// them ("2027/03/04"), empty when the answer gave none.
struct StatusFacts {
    std::vector<std::string> words; // RDAP words or EPP codes, as given
    std::string expires;
    std::string lastChanged;
    std::string deletion; // the registry's planned deletion, where it publishes one
};

// The status words sum up to one state: redemption (a name being restored
// included) before pending delete, which registries also set during
// redemption; then the auto-renew grace, then a hold. Without any of those,
// a name with status words or an expiry date is registered, or expired once
// `today` is past its expiry date. "free" or "available" is not registered.
DomainState summarizeStatus(const StatusFacts& facts, std::string_view today);

// A status word or code reduced to lower-case letters, so that
// "redemptionPeriod", "REDEMPTION PERIOD" and "redemption period" match.
std::string statusKey(std::string_view word);

struct DropEstimate {
    std::string day;     // "2027/05/23"
    std::string assumed; // the stages added, and the date they start from
};

// When a name past its expiry is likely to be free: the registry's deletion
// date when it gives one, else the stages still ahead (grace up to 45 days,
// redemption 30, pending delete 5) added to the date the current stage
// likely began. Nothing before expiry, for a free name, or without dates.
std::optional<DropEstimate> estimateDrop(DomainState state, const StatusFacts& facts, std::string_view today);

// "about 2027/05/23 (…)": the estimate as the windows show it.
std::string dropText(const DropEstimate& estimate);

// "Status: redemption" and, past expiry, "Drops about …" on a second line;
// empty when the answer told nothing of either.
std::string statusTip(const StatusFacts& facts, std::string_view today);

// Days between two table dates (b - a); nothing when either is no date.
std::optional<int> daysBetween(std::string_view a, std::string_view b);
// The table date `days` after `day`; empty when `day` is no date.
std::string addDays(std::string_view day, int days);

} // namespace ostrevo
