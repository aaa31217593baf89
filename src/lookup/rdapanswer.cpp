// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapanswer.h"

#include "lookup/boundedjson.h"
#include "lookup/rdapdate.h"
#include "textscan/textscan.h"

namespace ostrevo {

namespace {

using nlohmann::json;

// Entities nest (contacts inside the registrar); deeper than this is not a
// domain answer.
constexpr int MaxEntityDepth = 8;
constexpr std::size_t MaxAddressBytes = 2048;
constexpr std::size_t MaxRdapStatusWords = 32;
constexpr std::size_t MaxRdapStatusWordBytes = 64;

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// No blanks or control bytes, and a bounded length: the text becomes a table
// cell and a clickable address.
bool isCleanAddress(std::string_view text)
{
    if (text.empty() || text.size() > MaxAddressBytes) {
        return false;
    }
    for (const char c : text) {
        if (c == ' ' || IsControlChar(c)) {
            return false;
        }
    }
    return true;
}

bool isWebAddress(std::string_view text)
{
    if (!startsWithIgnoringCase(text, "https://") && !startsWithIgnoringCase(text, "http://")) {
        return false;
    }
    const std::size_t host = text.find("//") + 2;
    return isCleanAddress(text) && host < text.size() && text[host] != '/';
}

// "user@host.tld", with or without "mailto:"; empty when it is none, such as
// "REDACTED FOR PRIVACY".
std::string_view emailAddress(std::string_view text)
{
    if (startsWithIgnoringCase(text, "mailto:")) {
        text.remove_prefix(7);
    }
    const std::size_t at = text.find('@');
    if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos ||
        text.find('.', at) == std::string_view::npos || text.back() == '.' || !isCleanAddress(text)) {
        return {};
    }
    return text;
}

// The first string of a jCard property's value, which may be a list.
std::string_view jcardValue(const json& property)
{
    const json& value = property[3];
    if (value.is_string()) {
        return value.get_ref<const std::string&>();
    }
    if (value.is_array() && !value.empty() && value[0].is_string()) {
        return value[0].get_ref<const std::string&>();
    }
    return {};
}

// Where a registrant can be written to, best first.
struct Contact {
    std::string email;
    std::string form;

    void offerEmail(std::string_view text)
    {
        if (email.empty()) {
            email = emailAddress(text);
        }
    }
    void offerForm(std::string_view text)
    {
        if (form.empty() && isWebAddress(text)) {
            form = text;
        }
    }
};

// jCard: ["vcard", [[name, params, type, value...], ...]].
void readVcard(const json& entity, Contact& contact)
{
    const auto card = entity.find("vcardArray");
    if (card == entity.end() || !card->is_array() || card->size() < 2) {
        return;
    }
    const json& properties = card->at(1);
    if (!properties.is_array()) {
        return;
    }
    std::string_view contactUri;
    for (const json& property : properties) {
        if (!property.is_array() || property.size() < 4 || !property[0].is_string()) {
            continue;
        }
        const std::string& name = property[0].get_ref<const std::string&>();
        if (equalsIgnoringCase(name, "email")) {
            contact.offerEmail(jcardValue(property));
        } else if (equalsIgnoringCase(name, "contact-uri") && contactUri.empty()) {
            contactUri = jcardValue(property);
        }
    }
    // A contact URI is usually a web form, but may be a mail address.
    if (startsWithIgnoringCase(contactUri, "mailto:")) {
        contact.offerEmail(contactUri);
    }
    contact.offerForm(contactUri);
}

// A web address written into free text, up to the next blank.
std::string_view addressInText(std::string_view text)
{
    for (const std::string_view scheme : {"https://", "http://"}) {
        const std::size_t start = text.find(scheme);
        if (start == std::string_view::npos) {
            continue;
        }
        std::size_t end = start;
        while (end < text.size() && static_cast<unsigned char>(text[end]) > ' ') {
            ++end;
        }
        std::string_view address = text.substr(start, end - start);
        while (!address.empty() &&
               std::string_view(".,;:)]>\"'").find(address.back()) != std::string_view::npos) {
            address.remove_suffix(1);
        }
        return address;
    }
    return {};
}

// A withheld registrant may still name a form: a non-standard "contact_URI"
// member, a web page among its links, or an address in its remarks.
void readFormHints(const json& entity, Contact& contact)
{
    for (const auto& [key, value] : entity.items()) {
        if (equalsIgnoringCase(key, "contact_URI") && value.is_string()) {
            contact.offerForm(value.get_ref<const std::string&>());
        }
    }
    if (const auto links = entity.find("links"); links != entity.end() && links->is_array()) {
        for (const json& link : *links) {
            const std::string_view type = stringMember(link, "type");
            if (!equalsIgnoringCase(stringMember(link, "rel"), "self") &&
                type.find("json") == std::string_view::npos) {
                contact.offerForm(stringMember(link, "href"));
            }
        }
    }
    if (const auto remarks = entity.find("remarks"); remarks != entity.end() && remarks->is_array()) {
        for (const json& remark : *remarks) {
            if (!remark.is_object()) {
                continue;
            }
            const auto lines = remark.find("description");
            if (lines == remark.end() || !lines->is_array()) {
                continue;
            }
            for (const json& line : *lines) {
                if (line.is_string()) {
                    contact.offerForm(addressInText(line.get_ref<const std::string&>()));
                }
            }
        }
    }
}

bool hasRole(const json& entity, std::string_view wanted)
{
    const auto roles = entity.find("roles");
    if (roles == entity.end() || !roles->is_array()) {
        return false;
    }
    for (const json& role : *roles) {
        if (role.is_string() && equalsIgnoringCase(role.get_ref<const std::string&>(), wanted)) {
            return true;
        }
    }
    return false;
}

// The first registrant among the entities, nested ones included.
const json* findRegistrant(const json& holder, int depth)
{
    const auto entities = holder.find("entities");
    if (depth > MaxEntityDepth || entities == holder.end() || !entities->is_array()) {
        return nullptr;
    }
    for (const json& entity : *entities) {
        if (!entity.is_object()) {
            continue;
        }
        if (hasRole(entity, "registrant")) {
            return &entity;
        }
        if (const json* nested = findRegistrant(entity, depth + 1)) {
            return nested;
        }
    }
    return nullptr;
}

// The day of the first event with this action that gives a readable date.
std::string eventDay(const json& domain, std::string_view action)
{
    const auto events = domain.find("events");
    if (events == domain.end() || !events->is_array()) {
        return {};
    }
    for (const json& event : *events) {
        if (!equalsIgnoringCase(stringMember(event, "eventAction"), action)) {
            continue;
        }
        if (const auto date = tableDateOfRdapDate(stringMember(event, "eventDate"))) {
            return *date;
        }
    }
    return {};
}

// The status words, as many as a real answer has at most.
std::vector<std::string> statusOf(const json& domain)
{
    std::vector<std::string> words;
    const auto status = domain.find("status");
    if (status == domain.end() || !status->is_array()) {
        return words;
    }
    for (const json& word : *status) {
        if (word.is_string() && words.size() < MaxRdapStatusWords &&
            word.get_ref<const std::string&>().size() <= MaxRdapStatusWordBytes) {
            words.push_back(word.get<std::string>());
        }
    }
    return words;
}

std::string relatedOf(const json& domain)
{
    const auto links = domain.find("links");
    if (links == domain.end() || !links->is_array()) {
        return {};
    }
    for (const json& link : *links) {
        // The media type may carry parameters: "application/rdap+json; charset=utf-8".
        const std::string_view type = stringMember(link, "type");
        const std::string_view mediaType = type.substr(0, type.find(';'));
        const std::string_view href = stringMember(link, "href");
        if (equalsIgnoringCase(stringMember(link, "rel"), "related") &&
            equalsIgnoringCase(mediaType, "application/rdap+json") && isWebAddress(href)) {
            return std::string(href);
        }
    }
    return {};
}

} // namespace

RdapAnswer readRdapAnswer(long status, std::string_view body)
{
    RdapAnswer answer;
    if (status == 404) {
        answer.outcome = RdapOutcome::NotFound;
        return answer;
    }
    if (status == 429 || status == 503) {
        answer.outcome = RdapOutcome::Busy;
        return answer;
    }
    if (status != 200) {
        return answer;
    }
    const std::optional<json> parsed = parseBoundedJson(body, MaxRdapAnswerBytes, MaxRdapJsonDepth);
    if (!parsed || !equalsIgnoringCase(stringMember(*parsed, "objectClassName"), "domain")) {
        return answer;
    }

    const json& domain = *parsed;
    answer.outcome = RdapOutcome::Domain;
    answer.expires = eventDay(domain, "expiration");
    answer.lastChanged = eventDay(domain, "last changed");
    answer.deletion = eventDay(domain, "deletion");
    answer.status = statusOf(domain);
    answer.related = relatedOf(domain);
    if (const json* registrant = findRegistrant(domain, 0)) {
        Contact contact;
        readVcard(*registrant, contact);
        if (contact.email.empty()) {
            readFormHints(*registrant, contact);
        }
        answer.email = std::move(contact.email);
        if (answer.email.empty()) {
            answer.contactForm = std::move(contact.form);
        }
    }
    return answer;
}

} // namespace ostrevo
