// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/hostinput.h"

#include "rechercheweb/hosthandover.h"
#include "rechercheweb/urllistfile.h"
#include "resultlist/delimitedformat.h"
#include "textscan/textkey.h"

namespace ostrevo::cli {

namespace {

std::string utf8Text(std::string_view content)
{
    const delimited::ByteOrderMark mark = delimited::byteOrderMark(content);
    content.remove_prefix(mark.length);
    if (mark.encoding == delimited::Encoding::Utf8) {
        return std::string(content);
    }
    std::string text(content.size() / 2 * 3 + 3, '\0');
    std::size_t used = 0;
    text.resize(delimited::utf8FromUtf16(content, mark.encoding == delimited::Encoding::Utf16Be, true,
                                         text.data(), used));
    return text;
}

} // namespace

std::vector<std::string> hostsOfText(std::string_view content, bool html, const TldFilter& tlds,
                                     const AsciiHostConverter& toAscii)
{
    UrlList urls;
    const std::string text = utf8Text(content);
    if (html) {
        addHtmlListLinks(text, urls);
    } else {
        // A host list has no delimiter, and a URL's commas come after its host.
        char delimiter = delimited::delimiterOfRecords(text, true);
        delimiter = delimiter != 0 ? delimiter : ',';
        std::string_view rest = text;
        std::vector<delimited::RawField> fields;
        std::string first;
        for (;;) {
            const delimited::ScanResult scanned = delimited::scanRecord(rest, true, delimiter, fields);
            if (scanned.status != delimited::ScanStatus::Record) {
                break;
            }
            rest.remove_prefix(scanned.consumed);
            if (fields.empty()) {
                continue;
            }
            delimited::decodeField(fields.front(), first);
            const std::string_view entry = trimBlanks(first);
            if (!entry.empty()) {
                urls.append(entry);
            }
        }
    }
    return finishHosts(urls, asciiLower, toAscii, tlds);
}

} // namespace ostrevo::cli
