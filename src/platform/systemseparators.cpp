// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/systemseparators.h"

namespace ostrevo {
namespace {
SystemSeparators g_separators;
}

const SystemSeparators& systemSeparators()
{
    return g_separators;
}

void setSystemSeparators(SystemSeparators separators)
{
    g_separators = separators;
}

} // namespace ostrevo
