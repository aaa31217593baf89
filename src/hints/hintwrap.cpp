// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/hintwrap.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ostrevo {

namespace {

std::vector<std::string_view> wordsOf(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t blank = std::min(text.find(' ', start), text.size());
        if (blank > start) {
            words.push_back(text.substr(start, blank - start));
        }
        start = blank + 1;
    }
    return words;
}

// Breaks the text already holds; one closing the text adds no line.
int innerLineBreaks(std::string_view text)
{
    int count = static_cast<int>(std::count(text.begin(), text.end(), '\r'));
    if (!text.empty() && text.back() == '\r') {
        --count;
    }
    return count;
}

} // namespace

WrappedHint wrapHintText(std::string_view text, PixelRect rect, int wrapWidth, int lineHeight,
                         const TextWidth& width)
{
    const std::vector<std::string_view> words = wordsOf(text);
    if (rect.width() <= wrapWidth || words.empty()) {
        return {std::string(text), rect};
    }

    int widestWord = 0;
    for (const std::string_view word : words) {
        widestWord = std::max(widestWord, width(word));
    }
    const int limit = std::max(wrapWidth, widestWord + 6) - 6;

    std::vector<std::string> lines;
    for (std::size_t next = 0; next < words.size();) {
        std::string line(words[next++]);
        std::size_t inLine = 1;
        while (width(line) <= limit && next < words.size()) {
            line.append(1, ' ').append(words[next++]);
            ++inLine;
        }
        if (inLine > 1 && width(line) > limit) {
            --next;
            line.resize(line.size() - words[next].size() - 1);
        }
        lines.push_back(std::move(line));
    }

    WrappedHint wrapped;
    int widestLine = 0;
    for (const std::string& line : lines) {
        if (!wrapped.text.empty()) {
            wrapped.text += '\r';
        }
        wrapped.text += line;
        widestLine = std::max(widestLine, width(line) + 6);
    }

    // Lines the old rectangle had room for beyond the first and its own breaks;
    // halves round to even.
    const int lh = std::max(lineHeight, 1);
    const int spare =
        static_cast<int>(std::lrint(static_cast<double>(rect.height()) / lh)) - 1 - innerLineBreaks(text);
    const int lineCount = static_cast<int>(lines.size());

    wrapped.rect = rect;
    wrapped.rect.right = rect.left + widestLine + 6;
    wrapped.rect.bottom = rect.bottom + lh * (lineCount - 1 - spare);
    return wrapped;
}

} // namespace ostrevo
