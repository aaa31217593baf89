// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/collation.h"

#include <QByteArray>
#include <QLocale>

#include <unicode/ucol.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace ostrevo {
namespace {

// Opened once for the user's locale and shared: ICU collators are safe for
// concurrent use through const operations.
class Collator {
public:
    Collator()
    {
        QByteArray name = QLocale::system().collation().name().toLatin1();
        if (name == "C" || name == "POSIX") {
            name.clear(); // the root collation, not ICU's code point order for "en_US_POSIX"
        }
        UErrorCode status = U_ZERO_ERROR;
        m_collator = ucol_open(name.constData(), &status);
        if (U_FAILURE(status) || m_collator == nullptr) {
            status = U_ZERO_ERROR;
            m_collator = ucol_open("", &status);
        }
    }
    ~Collator() { ucol_close(m_collator); }
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;

    const UCollator* get() const { return m_collator; }

private:
    UCollator* m_collator = nullptr;
};

const UCollator* collator()
{
    static const Collator instance;
    return instance.get();
}

// UTF-16 with a small inline buffer: captions are short, and a heap allocation
// per key would cost as much as the key itself.
class Utf16Buffer {
public:
    explicit Utf16Buffer(std::string_view utf8) { convert(utf8.data(), static_cast<int32_t>(utf8.size())); }

    const UChar* data() const { return m_heap.empty() ? m_inline.data() : m_heap.data(); }
    int32_t size() const { return m_size; }

private:
    void convert(const char* text, int32_t length)
    {
        UErrorCode status = U_ZERO_ERROR;
        // Malformed bytes become U+FFFD: the text still gets a well-defined place.
        u_strFromUTF8WithSub(m_inline.data(), static_cast<int32_t>(m_inline.size()), &m_size, text, length,
                             0xFFFD, nullptr, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            m_heap.resize(static_cast<std::size_t>(m_size) + 1);
            status = U_ZERO_ERROR;
            u_strFromUTF8WithSub(m_heap.data(), static_cast<int32_t>(m_heap.size()), &m_size, text, length,
                                 0xFFFD, nullptr, &status);
        }
        if (U_FAILURE(status)) {
            m_size = 0;
        }
    }

    std::array<UChar, 128> m_inline;
    std::vector<UChar> m_heap;
    int32_t m_size = 0;
};

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::u16string normalized(const UNormalizer2* form, const std::u16string& text)
{
    UErrorCode status = U_ZERO_ERROR;
    const auto length = static_cast<int32_t>(text.size());
    std::u16string result(text.size() + 16, u'\0');
    int32_t written = unorm2_normalize(form, text.data(), length, result.data(),
                                       static_cast<int32_t>(result.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        result.resize(static_cast<std::size_t>(written));
        status = U_ZERO_ERROR;
        written = unorm2_normalize(form, text.data(), length, result.data(), written, &status);
    }
    if (U_FAILURE(status)) {
        return text;
    }
    result.resize(static_cast<std::size_t>(written));
    return result;
}

std::u16string folded(const std::u16string& text)
{
    UErrorCode status = U_ZERO_ERROR;
    const auto length = static_cast<int32_t>(text.size());
    std::u16string result(text.size() + 16, u'\0');
    int32_t written = u_strFoldCase(result.data(), static_cast<int32_t>(result.size()), text.data(), length,
                                    U_FOLD_CASE_DEFAULT, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        result.resize(static_cast<std::size_t>(written));
        status = U_ZERO_ERROR;
        written = u_strFoldCase(result.data(), written, text.data(), length, U_FOLD_CASE_DEFAULT, &status);
    }
    if (U_FAILURE(status)) {
        return text;
    }
    result.resize(static_cast<std::size_t>(written));
    return result;
}

// Canonical caseless form of well-formed text: NFC(fold(NFD(text))).
void appendFoldedRun(std::string& key, const std::u16string& run)
{
    if (run.empty()) {
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    std::u16string text = U_SUCCESS(status) ? normalized(nfc, folded(normalized(nfd, run))) : folded(run);
    const std::size_t start = key.size();
    key.resize(start + text.size() * 3);
    int32_t written = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8(key.data() + start, static_cast<int32_t>(text.size() * 3), &written, text.data(),
                static_cast<int32_t>(text.size()), &status);
    key.resize(start + static_cast<std::size_t>(U_SUCCESS(status) ? written : 0));
}

} // namespace

std::string captionSortKey(std::string_view utf8)
{
    const Utf16Buffer text(utf8);
    std::string key(static_cast<std::size_t>(text.size()) * 3 + 16, '\0');
    auto* out = reinterpret_cast<uint8_t*>(key.data());
    int32_t length =
        ucol_getSortKey(collator(), text.data(), text.size(), out, static_cast<int32_t>(key.size()));
    if (length > static_cast<int32_t>(key.size())) {
        key.resize(static_cast<std::size_t>(length));
        out = reinterpret_cast<uint8_t*>(key.data());
        length = ucol_getSortKey(collator(), text.data(), text.size(), out, length);
    }
    // The key ends with its zero byte, which no key has elsewhere: whatever
    // follows it only matters between texts the collator finds equal.
    key.resize(static_cast<std::size_t>(std::max(length, 0)));
    key.append(utf8);
    return key;
}

int compareCaptions(std::string_view a, std::string_view b)
{
    const Utf16Buffer left(a);
    const Utf16Buffer right(b);
    const UCollationResult order =
        ucol_strcoll(collator(), left.data(), left.size(), right.data(), right.size());
    if (order != UCOL_EQUAL) {
        return order == UCOL_LESS ? -1 : 1;
    }
    const int bytes = a.compare(b);
    return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

std::string caseFoldKey(std::string_view utf8)
{
    std::string key;
    key.reserve(utf8.size());
    if (isAscii(utf8)) {
        std::transform(utf8.begin(), utf8.end(), std::back_inserter(key), asciiLower);
        return key;
    }
    // Well-formed stretches are folded; malformed bytes are kept as they are,
    // so two different malformed texts never share a key.
    std::u16string run;
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            appendFoldedRun(key, run);
            run.clear();
            key.append(utf8.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
            continue;
        }
        if (U_IS_BMP(c)) {
            run.push_back(static_cast<char16_t>(c));
        } else {
            run.push_back(static_cast<char16_t>(U16_LEAD(c)));
            run.push_back(static_cast<char16_t>(U16_TRAIL(c)));
        }
    }
    appendFoldedRun(key, run);
    return key;
}

bool sameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (isAscii(a) && isAscii(b)) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return asciiLower(x) == asciiLower(y);
               });
    }
    return caseFoldKey(a) == caseFoldKey(b);
}

} // namespace ostrevo
