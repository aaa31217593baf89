// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/internationalhost.h"

#include <unicode/uidna.h>

#include <array>
#include <memory>

namespace ostrevo {
namespace {

struct IdnaClose {
    void operator()(UIDNA* idna) const { uidna_close(idna); }
};

const UIDNA* idna()
{
    static const std::unique_ptr<UIDNA, IdnaClose> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UIDNA* made = uidna_openUTS46(UIDNA_USE_STD3_RULES | UIDNA_CHECK_BIDI | UIDNA_CHECK_CONTEXTJ |
                                          UIDNA_NONTRANSITIONAL_TO_ASCII,
                                      &status);
        return std::unique_ptr<UIDNA, IdnaClose>(U_SUCCESS(status) ? made : nullptr);
    }();
    return instance.get();
}

} // namespace

std::optional<std::string> internationalHostToAscii(std::string_view utf8)
{
    const UIDNA* converter = idna();
    // A DNS name is at most 253 characters: a longer answer is no name.
    std::array<char, 256> out{};
    if (converter == nullptr || utf8.size() > 0x7fffffff) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    UIDNAInfo info = UIDNA_INFO_INITIALIZER;
    const int32_t length =
        uidna_nameToASCII_UTF8(converter, utf8.data(), static_cast<int32_t>(utf8.size()), out.data(),
                               static_cast<int32_t>(out.size()), &info, &status);
    if (U_FAILURE(status) || info.errors != 0 || length < 0 ||
        static_cast<std::size_t>(length) > out.size()) {
        return std::nullopt;
    }
    return std::string(out.data(), static_cast<std::size_t>(length));
}

} // namespace ostrevo
