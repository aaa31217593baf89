// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The engine list and the catalogue update.
#include "rechercheweb/tliste.h"

#include "platform/prompts.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/catalogueupdate.h"
#include "rechercheweb/httpgettext.h"

#include <QApplication>
#include <QListWidget>

namespace ostrevo {
namespace {

// The busy pointer for every window while the download blocks, given back
// however the update ends.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void restore()
    {
        if (m_active) {
            m_active = false;
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool m_active = true;
};

} // namespace

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
    BusyPointer busy;
    const HttpTextResult download = HttpGetText(catalogueUpdateUrl(m_catalogueServer));
    // Only a complete 200 answer counts: an error page is no catalogue.
    const bool installed =
        download.ok && installCatalogue(download.body, catalogueTargetPath(m_catalogueFolder));
    busy.restore();
    if (!installed) {
        m_prompts.information(QStringLiteral("Could not connect to the server"));
        return;
    }
    m_prompts.information(QStringLiteral("List of search engines Updated !"));
    FormShow();
}

} // namespace ostrevo
