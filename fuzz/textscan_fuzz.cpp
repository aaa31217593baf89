// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Every text scan on texts, separator sets, markers and cursors taken from
// the fuzz data, each checked against the plain one-character-at-a-time
// version and for views that stay inside the text; one TokenScanner reads
// tokens and fields in the turns the data picks. The token and field scans
// use the AVX2 or the SSE2 classifier, as the data chooses.

#include "../tests/textscan/plainscan.h"
#include "platform/systemseparators.h"
#include "textscan/blockscan.h"
#include "textscan/textscan.h"
#include "textscan/tokenscanner.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkInside(std::string_view piece, std::string_view text)
{
    check(piece.empty() ||
          (piece.data() >= text.data() && piece.data() + piece.size() <= text.data() + text.size()));
}

std::int32_t pickCursor(FuzzedDataProvider& data, std::size_t length)
{
    if (data.ConsumeBool()) {
        return data.ConsumeIntegral<std::int32_t>();
    }
    return data.ConsumeIntegralInRange<std::int32_t>(-1, static_cast<std::int32_t>(length) + 2);
}

using Scan = std::string_view (*)(std::string_view, std::string_view, std::int32_t&);

void compareScans(Scan fast, Scan plain, std::string_view text, std::string_view separators,
                  std::int32_t cursor)
{
    std::int32_t a = cursor;
    std::int32_t b = cursor;
    // Each call either consumes at least one character or ends the loop.
    for (std::size_t calls = 0; calls <= text.size() + 2; ++calls) {
        const std::string_view x = fast(text, separators, a);
        const std::string_view y = plain(text, separators, b);
        check(x == y && a == b && (x.empty() || x.data() == y.data()));
        checkInside(x, text);
        ostrevo::IsNumeric(x);
        ostrevo::IsDateText(x);
        if (a == 0) {
            return;
        }
    }
    check(false);
}

// `turns` bit k set: the k-th read (mod 64) is a field, else a token.
void compareScanner(std::string_view text, std::string_view separators, std::int32_t cursor,
                    std::uint64_t turns)
{
    ostrevo::TokenScanner scanner(text, separators, cursor);
    for (std::size_t calls = 0; calls <= text.size() + 2; ++calls) {
        const bool field = ((turns >> (calls % 64)) & 1U) != 0;
        const std::string_view x = field ? scanner.nextField() : scanner.next();
        const std::string_view y = field ? ostrevo::plain::fieldOf(text, separators, cursor)
                                         : ostrevo::plain::nextToken(text, separators, cursor);
        check(x == y && scanner.cursor() == cursor && (x.empty() || x.data() == y.data()));
        if (cursor == 0) {
            return;
        }
    }
    check(false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    ostrevo::detail::useAvx2(data.ConsumeBool());
    ostrevo::setSystemSeparators({static_cast<char>(data.ConsumeIntegral<std::uint8_t>()),
                                  static_cast<char>(data.ConsumeIntegral<std::uint8_t>())});
    const std::string separators = data.ConsumeRandomLengthString(300);
    const std::string startMarker = data.ConsumeRandomLengthString(300);
    const std::string endMarker = data.ConsumeRandomLengthString(40);
    const std::int32_t cursor = pickCursor(data, 64);
    const auto turns = data.ConsumeIntegral<std::uint64_t>();
    const std::string text = data.ConsumeRemainingBytesAsString();

    compareScans(ostrevo::NextToken, ostrevo::plain::nextToken, text, separators, cursor);
    compareScans(ostrevo::FieldOf, ostrevo::plain::fieldOf, text, separators, cursor);
    compareScans(ostrevo::NextToken, ostrevo::plain::nextToken, text, separators, 1);
    compareScans(ostrevo::FieldOf, ostrevo::plain::fieldOf, text, separators, 1);
    compareScanner(text, separators, cursor, turns);
    compareScanner(text, separators, 1, turns);

    for (std::int32_t start = -1; start <= static_cast<std::int32_t>(text.size()) + 1;
         start += 1 + static_cast<std::int32_t>(text.size() / 64)) {
        check(ostrevo::FindSeparator(text, separators, start) ==
              ostrevo::plain::findSeparator(text, separators, start));
        check(ostrevo::FindMarker(text, startMarker, start) ==
              ostrevo::plain::findMarker(text, startMarker, start));
        check(ostrevo::FindMarker(text, endMarker, start) ==
              ostrevo::plain::findMarker(text, endMarker, start));
    }

    std::int32_t a = cursor;
    std::int32_t b = cursor;
    for (std::size_t calls = 0; calls <= text.size() + 2 && a != 0; ++calls) {
        const std::string_view x = ostrevo::TextBetween(text, startMarker, endMarker, a);
        const std::string_view y = ostrevo::plain::textBetween(text, startMarker, endMarker, b);
        check(x == y && a == b);
        checkInside(x, text);
    }
    check(a == 0);

    check(ostrevo::IsNumeric(text) ==
          (!text.empty() && text.find_first_not_of("0123456789 ") == std::string::npos));
    ostrevo::IsDateText(text);
    ostrevo::setSystemSeparators({});
    return 0;
}
