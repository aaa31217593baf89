// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The user's regional date and time separators. The platform layer reads them
// once at start-up; until then (and in tests that do not set them) they are
// '/' and ':'.

namespace ostrevo {

struct SystemSeparators {
    char date = '/';
    char time = ':';
};

const SystemSeparators& systemSeparators();
void setSystemSeparators(SystemSeparators separators);

} // namespace ostrevo
