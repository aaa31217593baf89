// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultfiles.h"

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "textscan/markuptext.h"

#include <array>

namespace ostrevo {

std::string resultsXml(const ResultTable& table)
{
    static constexpr std::array<std::string_view, 3> kNames = {"site", "email", "expires"};
    const int columns = table.ColumnCount();
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<results>\n";
    for (int i = 0; i < table.RowCount(); ++i) {
        const ResultRow& row = table.Row(i);
        xml.append("  <domain>\n");
        for (int k = 0; k < columns; ++k) {
            const std::string_view name = k < static_cast<int>(kNames.size()) ? kNames[k] : "field";
            xml.append("    <").append(name).append(">");
            appendMarkupText(xml, cellText(row, k));
            xml.append("</").append(name).append(">\n");
        }
        xml.append("  </domain>\n");
    }
    xml.append("</results>\n");
    return xml;
}

} // namespace ostrevo
