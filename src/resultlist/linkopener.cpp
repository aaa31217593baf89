// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/linkopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace ostrevo {

void openLinkOnDesktop(const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
                           scheme != QLatin1String("mailto"))) {
        return;
    }
    // Whether some program took it is not ours to report: nothing shows in the table.
    QDesktopServices::openUrl(url);
}

} // namespace ostrevo
