// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/expirydate.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ostrevo {
namespace {

// Years outside these are placeholders ("1900-01-01", the Unix epoch) or
// garbage: no domain was registered before 1985.
constexpr int FirstYear = 1985;
constexpr int YearLimit = 2200;
constexpr int TwoDigitYearBase = 2000;

// Month words of the languages whois answers and registrars' pages are
// written in, compared ignoring ASCII letter case. Words that are also common
// words elsewhere ("out", "set", "ago") are left out.
constexpr std::array<std::string_view, 12> MonthWords = {
    " jan january janv janvier januar enero gennaio janeiro januari ",
    " feb february fevr févr fevrier février februar febrero febbraio fevereiro februari ",
    " mar march mars märz maerz marzo março maart ",
    " apr april avr avril abril aprile ",
    " may mai mayo maggio maio mei ",
    " jun june juin juni junio giugno junho ",
    " jul july juil juillet juli julio luglio julho ",
    " aug august aout août agosto augustus ",
    " sep sept september septembre septiembre settembre setembro ",
    " oct october octobre okt oktober octubre ottobre outubro ",
    " nov november novembre noviembre novembro ",
    " dec december decembre décembre dez dezember diciembre dicembre dezembro ",
};

// Zone names a signed offset may follow ("GMT+8", "UTC-05").
constexpr std::array<std::string_view, 2> ZoneWords = {"gmt", "utc"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return static_cast<unsigned char>((static_cast<unsigned char>(c) | 0x20) - 'a') < 26;
}

// Bytes of the letter at `i`: an ASCII letter, or a UTF-8 Latin letter with
// an accent (lead byte 0xC3-0xC5); 0 for anything else, so that a no-break
// space or a Latin-1 byte separates words.
std::size_t letterLength(std::string_view text, std::size_t i)
{
    if (isAsciiLetter(text[i])) {
        return 1;
    }
    const auto u = static_cast<unsigned char>(text[i]);
    const bool accented = u >= 0xC3 && u <= 0xC5 && i + 1 < text.size() &&
                          (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
    return accented ? 2 : 0;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// MonthWords split and sorted, with the run of words for each first two
// bytes: most words of a line share their first two letters with no month
// and are turned away by one look-up.
class MonthIndex {
public:
    MonthIndex()
    {
        for (std::size_t m = 0; m < MonthWords.size(); ++m) {
            const std::string_view list = MonthWords[m];
            for (std::size_t start = 1; start < list.size();) {
                const std::size_t end = list.find(' ', start);
                m_words.push_back({list.substr(start, end - start), static_cast<int>(m) + 1});
                start = end + 1;
            }
        }
        std::sort(m_words.begin(), m_words.end(),
                  [](const Entry& a, const Entry& b) { return a.word < b.word; });
        for (std::size_t i = m_words.size(); i-- > 0;) {
            Run& run = m_runs[slot(m_words[i].word[0], m_words[i].word[1])];
            run = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(run.count + 1)};
        }
    }

    // 1-12, or 0 when the word names no month.
    int monthOf(std::string_view word) const
    {
        constexpr std::size_t LongestMonthWord = 10; // "septiembre"
        const char first = asciiLower(word.empty() ? '\0' : word[0]);
        if (word.size() < 3 || word.size() > LongestMonthWord || first < 'a' || first > 'z') {
            return 0;
        }
        const Run run = m_runs[slot(first, asciiLower(word[1]))];
        for (std::size_t i = run.first; i < std::size_t{run.first} + run.count; ++i) {
            if (equalsIgnoringCase(m_words[i].word, word)) {
                return m_words[i].month;
            }
        }
        return 0;
    }

private:
    struct Entry {
        std::string_view word; // lower case
        int month = 0;
    };
    struct Run {
        std::uint8_t first = 0;
        std::uint8_t count = 0;
    };
    static std::size_t slot(char first, char second)
    {
        return static_cast<std::size_t>(first - 'a') * 256 + static_cast<unsigned char>(second);
    }

    std::vector<Entry> m_words;
    std::array<Run, 26 * 256> m_runs{};
};

int monthOf(std::string_view word)
{
    static const MonthIndex index;
    return index.monthOf(word);
}

bool isZoneWord(std::string_view word)
{
    for (const std::string_view zone : ZoneWords) {
        if (equalsIgnoringCase(zone, word)) {
            return true;
        }
    }
    return false;
}

struct DateValue {
    bool month = false;
    int number = 0; // the month (1-12) or the number's value, -1 when it is too long to be a date value
    char after = 0; // the character right after the value
    // A year is written with four digits or two: a number of one digit
    // ("section 3.7.5") is a day or a month, never the year.
    bool twoDigitYear = false;
};

// The number a run of digits stands for; -1 beyond nine significant digits.
int numberOf(std::string_view digits)
{
    std::size_t first = 0;
    while (first + 1 < digits.size() && digits[first] == '0') {
        ++first;
    }
    if (digits.size() - first > 9) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = first; i < digits.size(); ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    return value;
}

// Which of day and month a label's layout hint ("(dd/mm/yyyy)") writes first.
enum class Order { Unstated, DayFirst, MonthFirst };

// The letter a layout hint's word repeats ("dd", "MM", "yyyy"); 0 for any other word.
char layoutLetter(std::string_view word)
{
    const char letter = asciiLower(word.front());
    for (const char c : word) {
        if (asciiLower(c) != letter) {
            return 0;
        }
    }
    const bool fits = letter == 'y' ? (word.size() == 2 || word.size() == 4)
                                    : ((letter == 'd' || letter == 'm') && word.size() <= 2);
    return fits ? letter : 0;
}

// Words a label's date may stand after: a record line names its date within
// a few words ("Registry Expiry Date:", "Expires on", "expiration date of
// the domain name (dd/mm/yyyy):"); a line whose first number comes later is
// prose ("... set to expire, as provided in section 3.7.5 ...").
constexpr int MaxWordsBeforeDate = 16;

// The first three date values of the line; fewer when it holds fewer.
class DateValues {
public:
    explicit DateValues(std::string_view line)
    {
        const std::size_t n = line.size();
        // Where the last time of day (with its fraction, zone letters or
        // offset) ended: a number glued to it by ".", "+" or "-" belongs to it.
        std::size_t timeEnd = std::string_view::npos;
        int wordsBefore = 0; // words that are no date value, before the first value
        for (std::size_t i = 0; i < n && m_count < m_values.size() && wordsBefore <= MaxWordsBeforeDate;) {
            std::size_t j = i + 1;
            if (isDigit(line[i])) {
                while (j < n && isDigit(line[j])) {
                    ++j;
                }
                const char before = i > 0 ? line[i - 1] : '\0';
                const char after = j < n ? line[j] : '\0';
                const bool timePart = (after == ':' && j + 1 < n && isDigit(line[j + 1])) ||
                                      (before == ':' && i > 1 && isDigit(line[i - 2]));
                const bool gluedToTime =
                    i > 0 && timeEnd == i - 1 && (before == '.' || before == '+' || before == '-');
                if (timePart || gluedToTime || before == '+') {
                    timeEnd = j;
                } else if (m_count == 0 && j - i == 8) {
                    // "20200518": year, month and day written together.
                    m_values = {DateValue{false, numberOf(line.substr(i, 4)), '\0', false},
                                DateValue{false, numberOf(line.substr(i + 4, 2)), '\0', false},
                                DateValue{false, numberOf(line.substr(i + 6, 2)), after, false}};
                    m_count = m_values.size();
                } else {
                    m_values[m_count++] = {false, numberOf(line.substr(i, j - i)), after, j - i == 2};
                }
            } else if (const std::size_t length = letterLength(line, i); length > 0) {
                j = i + length;
                for (std::size_t next = 0; j < n && (next = letterLength(line, j)) > 0;) {
                    j += next;
                    while (j < n && isAsciiLetter(line[j])) {
                        ++j;
                    }
                }
                // Notices run to many words before their numbers: most are
                // too long or too short to be a month name, a zone or a hint.
                const std::string_view word = line.substr(i, j - i);
                if (const int month = word.size() < 3 ? 0 : monthOf(word); month != 0) {
                    m_values[m_count++] = {true, month, j < n ? line[j] : '\0', false};
                } else if (timeEnd == i || (word.size() == 3 && isZoneWord(word))) {
                    timeEnd = j; // "Z", "UTC": the zone of the time before, or of an offset after
                } else if (m_count == 0) {
                    wordsBefore += word.size() <= 4 && noteLayoutWord(word) ? 0 : 1;
                }
            } else if (line[i] == ':' && timeEnd == i) {
                timeEnd = j; // "-07:00" after a time
            }
            i = j;
        }
    }
    bool complete() const { return m_count == m_values.size(); }
    const DateValue& operator[](std::size_t i) const { return m_values[i]; }
    // A hint counts only when it names day, month and year before the date.
    Order order() const
    {
        if (!m_hintDay || !m_hintMonth || !m_hintYear) {
            return Order::Unstated;
        }
        return m_hintFirst == 'd' ? Order::DayFirst : Order::MonthFirst;
    }

private:
    // Whether the word is a layout hint's ("dd", "MM", "yyyy").
    bool noteLayoutWord(std::string_view word)
    {
        const char letter = layoutLetter(word);
        if (letter == 'd' || letter == 'm') {
            m_hintFirst = m_hintFirst == 0 ? letter : m_hintFirst;
            (letter == 'd' ? m_hintDay : m_hintMonth) = true;
        }
        m_hintYear = m_hintYear || letter == 'y';
        return letter != 0;
    }

    std::array<DateValue, 3> m_values{};
    std::size_t m_count = 0;
    char m_hintFirst = 0; // 'd' or 'm', whichever the hint names first
    bool m_hintDay = false;
    bool m_hintMonth = false;
    bool m_hintYear = false;
};

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool isCalendarDate(const Date& date)
{
    constexpr std::array<int, 12> DaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < FirstYear || date.year >= YearLimit || date.month < 1 || date.month > 12 ||
        date.day < 1) {
        return false;
    }
    const int days = DaysInMonth[static_cast<std::size_t>(date.month - 1)] +
                     (date.month == 2 && isLeapYear(date.year) ? 1 : 0);
    return date.day <= days;
}

bool isFourDigitYear(int n)
{
    return n >= 1000 && n <= 9999;
}

bool isTwoDigits(int n)
{
    return n >= 0 && n < 100;
}

std::optional<Date> checked(const Date& date)
{
    return isCalendarDate(date) ? std::optional<Date>(date) : std::nullopt;
}

// A month name and two numbers, in any order: the four-digit one is the year.
std::optional<Date> withMonthName(int month, int first, const DateValue& secondValue)
{
    const int second = secondValue.number;
    if (isFourDigitYear(first) && isTwoDigits(second)) {
        return checked({first, month, second});
    }
    if (isFourDigitYear(second) && isTwoDigits(first)) {
        return checked({second, month, first});
    }
    if (isTwoDigits(first) && secondValue.twoDigitYear) {
        return checked({TwoDigitYearBase + second, month, first});
    }
    return std::nullopt;
}

std::optional<Date> numbersOnly(int a, int b, const DateValue& third, char separator, Order order)
{
    const int c = third.number;
    // The day and month of the two numbers after (or before) the year, as the hint orders them.
    const auto stated = [order](int year, int first, int second) {
        return order == Order::DayFirst ? checked({year, second, first}) : checked({year, first, second});
    };
    if (isFourDigitYear(a) && isTwoDigits(b) && isTwoDigits(c)) {
        return stated(a, b, c);
    }
    if (!isTwoDigits(a) || !isTwoDigits(b)) {
        return std::nullopt;
    }
    if (order != Order::Unstated) {
        return third.twoDigitYear || isFourDigitYear(c) ? stated(c < 100 ? TwoDigitYearBase + c : c, a, b)
                                                        : std::nullopt;
    }
    if (third.twoDigitYear) {
        return checked({TwoDigitYearBase + c, b, a});
    }
    if (!isFourDigitYear(c)) {
        return std::nullopt;
    }
    const std::optional<Date> dayFirst = checked({c, b, a});
    const std::optional<Date> monthFirst = checked({c, a, b});
    if (dayFirst && monthFirst && a != b) {
        // Slashes are written both ways round (05/11 is 5 November or 11 May).
        return separator == '/' ? std::nullopt : dayFirst;
    }
    return dayFirst ? dayFirst : monthFirst;
}

std::string twoDigits(int value)
{
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

} // namespace

std::optional<std::string> expiryDateOf(std::string_view line)
{
    const DateValues values(line);
    if (!values.complete()) {
        return std::nullopt;
    }
    std::optional<Date> date;
    const int months = values[0].month + values[1].month + values[2].month;
    if (months == 1) {
        const std::size_t m = values[0].month ? 0 : values[1].month ? 1 : 2;
        const int first = values[m == 0 ? 1 : 0].number;
        date = withMonthName(values[m].number, first, values[m == 2 ? 1 : 2]);
    } else if (months == 0) {
        date = numbersOnly(values[0].number, values[1].number, values[2], values[0].after, values.order());
    }
    if (!date) {
        return std::nullopt;
    }
    return std::to_string(date->year) + "/" + twoDigits(date->month) + "/" + twoDigits(date->day);
}

} // namespace ostrevo
