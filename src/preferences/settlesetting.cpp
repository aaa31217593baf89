// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "preferences/settlesetting.h"

#include "platform/settings.h"

namespace ostrevo {

int loadSettleSeconds()
{
    bool ok = false;
    const int seconds = storedText(settingskey::SettleSeconds).toInt(&ok);
    return ok && seconds >= kMinSettleSeconds && seconds <= kMaxSettleSeconds ? seconds
                                                                              : kDefaultSettleSeconds;
}

void saveSettleSeconds(int seconds)
{
    store(settingskey::SettleSeconds, QString::number(seconds));
}

} // namespace ostrevo
