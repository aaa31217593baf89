// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The engine list and the catalogue update.
#include "rechercheweb/tliste.h"

#include "net/httpgettext.h"
#include "platform/prompts.h"
#include "platform/statuspanels.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/catalogueupdate.h"

#include <QListWidget>
#include <QToolButton>

namespace ostrevo {
void Tliste::fillEngineList()
{
    deps->clear();
    for (const std::string& name : readEngineNames(std::string(CatalogueFileName))) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), deps);
        // The shown text gets the engine's state during a run; the name stays.
        item->setData(Qt::UserRole, item->text());
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void Tliste::SpeedButton1Click()
{
    HttpTextResult download;
    if (!m_download.run(*StatusBar1, *Bstop,
                        QStringLiteral("Downloading the search engines: Stop or Esc cancels"), [&] {
                            download = HttpGetText(catalogueUpdateUrl(m_catalogueServer),
                                                   {.cancelled = m_download.cancelTest()});
                        })) {
        return;
    }
    // Only a complete 200 answer counts: an error page is no catalogue.
    const bool installed =
        download.ok && installCatalogue(download.body, catalogueTargetPath(m_catalogueFolder));
    if (!installed) {
        m_prompts.information(download.proxyFailure.empty()
                                  ? QStringLiteral("Could not connect to the server")
                                  : QString::fromStdString(download.proxyFailure));
        return;
    }
    m_prompts.information(QStringLiteral("List of search engines Updated !"));
    FormShow();
}

} // namespace ostrevo
