// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// RDAP answers shaped like real registries' and registrars' ones, for the
// reader's tests and the loopback servers.

#include <string>

namespace ostrevo::test {

inline std::string vcard(const std::string& properties)
{
    return R"(["vcard", [["version", {}, "text", "4.0"])" + properties + "]]";
}

// A thin registry's answer: events, a registrar entity with a nested abuse
// contact, and (when `related` is given) the link to the registrar's answer.
inline std::string registryAnswer(const std::string& name, const std::string& expiry,
                                  const std::string& related)
{
    std::string links = R"({"rel": "self", "href": "https://rdap.registry.test/domain/)" + name +
                        R"(", "type": "application/rdap+json"})";
    if (!related.empty()) {
        links += R"(, {"rel": "related", "href": ")" + related + R"(", "type": "application/rdap+json"})";
    }
    std::string events = R"({"eventAction": "registration", "eventDate": "2011-03-04T18:20:01Z"})";
    if (!expiry.empty()) {
        events += R"(, {"eventAction": "expiration", "eventDate": ")" + expiry + R"("})";
    }
    return R"({"objectClassName": "domain", "ldhName": ")" + name + R"(", "events": [)" + events +
           R"(, {"eventAction": "last update of RDAP database", "eventDate": "2026-12-07T09:00:00Z"}],
  "links": [)" +
           links + R"(],
  "entities": [{"objectClassName": "entity", "roles": ["registrar"],
    "vcardArray": )" +
           vcard(R"(, ["fn", {}, "text", "Example Registrar, Inc."])") + R"(,
    "entities": [{"objectClassName": "entity", "roles": ["abuse"],
      "vcardArray": )" +
           vcard(R"(, ["email", {}, "text", "abuse@registrar.test"])") + R"(}]}]})";
}

// A registrar's answer whose registrant entity carries `registrant` (members
// after its roles) under the role word `role`.
inline std::string registrarAnswer(const std::string& name, const std::string& registrant,
                                   const std::string& role = "registrant", const std::string& expiry = "")
{
    const std::string events =
        expiry.empty() ? ""
                       : R"("events": [{"eventAction": "expiration", "eventDate": ")" + expiry + R"("}], )";
    return R"({"objectClassName": "domain", "ldhName": ")" + name + R"(.", )" + events + R"("entities": [
  {"objectClassName": "entity", "roles": ["technical"], "vcardArray": )" +
           vcard(R"(, ["email", {}, "text", "tech@registrar.test"])") + R"(},
  {"objectClassName": "entity", "roles": ["administrative", ")" +
           role + R"("])" + registrant + R"(}]})";
}

inline std::string withEmail(const std::string& email)
{
    return R"(, "vcardArray": )" +
           vcard(R"(, ["fn", {}, "text", ""], ["email", {"type": "work"}, "text", ")" + email + R"("])");
}

inline const std::string RedactedRemark =
    R"(, "remarks": [{"title": "REDACTED FOR PRIVACY", "description": ["Some of the data in this object has been removed."]}])";

} // namespace ostrevo::test
