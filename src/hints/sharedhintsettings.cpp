// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/sharedhintsettings.h"

namespace ostrevo {

SharedHintSettings& sharedHintSettings()
{
    static SharedHintSettings settings;
    return settings;
}

} // namespace ostrevo
