// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/tldsetting.h"

#include "platform/internationalhost.h"
#include "platform/settings.h"

namespace ostrevo {

TldFilter loadTldFilter()
{
    const QString text = storedText(settingskey::Tlds);
    if (text.isEmpty()) {
        return {};
    }
    return TldFilter::parse(text.toStdString(), nullptr, &internationalHostToAscii).value_or(TldFilter{});
}

void saveTldFilter(const TldFilter& filter)
{
    store(settingskey::Tlds, QString::fromStdString(filter.text()));
}

} // namespace ostrevo
