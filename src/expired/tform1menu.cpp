// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The command menu: ticking, deleting and undoing, and the lookup's choices.
#include "expired/tform1.h"

#include "expired/resultcommands.h"
#include "lookup/rdapbootstrap.h"
#include "lookup/rdapserversfile.h"
#include "net/tldsetting.h"
#include "platform/errorguard.h"
#include "platform/internationalhost.h"
#include "platform/settings.h"
#include "platform/statuspanels.h"
#include "platform/windowplacement.h"
#include "resultlist/rowjournal.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

namespace ostrevo {

QAction* TForm1::addMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                                std::function<void()> command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { guarded(m_prompts, command); });
    return action;
}

void TForm1::buildCommandMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    QMenu* check = PopupMenu1->addMenu(QStringLiteral("Check"));
    Cocher1 = check->menuAction();
    Cocher1->setObjectName(QStringLiteral("Cocher1"));
    Pardatedexpiration1 = addMenuCommand(check, QStringLiteral("Pardatedexpiration1"),
                                         QStringLiteral("Date selection..."), [this] {
                                             if (m_form2) {
                                                 showOver(*m_form2, *this);
                                             }
                                         });
    Touslesemails1 = addMenuCommand(check, QStringLiteral("Touslesemails1"), QStringLiteral("All domains"),
                                    [this] { setAllChecked(m_table, true); });

    QMenu* uncheck = PopupMenu1->addMenu(QStringLiteral("Uncheck"));
    Dcocher1 = uncheck->menuAction();
    Dcocher1->setObjectName(QStringLiteral("Dcocher1"));
    Pardatedexpiration2 = addMenuCommand(uncheck, QStringLiteral("Pardatedexpiration2"),
                                         QStringLiteral("Date selection..."), [this] {
                                             if (m_form3) {
                                                 showOver(*m_form3, *this);
                                             }
                                         });
    Dcohertouslesemails1 =
        addMenuCommand(uncheck, QStringLiteral("Dcohertouslesemails1"), QStringLiteral("all domains"),
                       [this] { setAllChecked(m_table, false); });

    QMenu* remove = PopupMenu1->addMenu(QStringLiteral("Delete"));
    Effacer2 = remove->menuAction();
    Effacer2->setObjectName(QStringLiteral("Effacer2"));
    E1 = addMenuCommand(remove, QStringLiteral("E1"), QStringLiteral("All"), [this] {
        deleteUndoably(&deleteAllRows);
        // Nothing left for the journal to keep.
        if (m_journal) {
            m_journal->remove();
        }
    });
    Effacertouslesemailsdcochs1 = addMenuCommand(
        remove, QStringLiteral("Effacertouslesemailsdcochs1"), QStringLiteral("Checked domains"),
        [this] { deleteUndoably([](ResultTable& t) { return deleteRowsChecked(t, true); }); });
    Griss3 = addMenuCommand(remove, QStringLiteral("Griss3"), QStringLiteral("Unchecked domains"), [this] {
        deleteUndoably([](ResultTable& t) { return deleteRowsChecked(t, false); });
    });
    UndoDelete = addMenuCommand(PopupMenu1, QStringLiteral("UndoDelete"), QStringLiteral("Undo delete"),
                                [this] { undoDelete(); });
    UndoDelete->setEnabled(false);

    // The keys work wherever the window has the focus, the menu closed.
    Touslesemails1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Effacertouslesemailsdcochs1->setShortcut(QKeySequence(Qt::Key_Delete));
    UndoDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    addActions({Touslesemails1, Effacertouslesemailsdcochs1, UndoDelete});
    buildWatchCommands();
    buildLookupMenu();
}

void TForm1::deleteUndoably(std::vector<RowCopy> (*remove)(ResultTable&))
{
    std::vector<RowCopy> deleted = remove(m_table);
    showRowCount();
    if (deleted.empty()) {
        return;
    }
    m_undoRows = std::move(deleted);
    UndoDelete->setEnabled(true);
    m_unsaved = true;
}

void TForm1::undoDelete()
{
    addRows(m_table, m_undoRows);
    m_undoRows.clear();
    UndoDelete->setEnabled(false);
    m_unsaved = true;
    showRowCount();
}

void TForm1::buildLookupMenu()
{
    PopupMenu1->addSeparator();
    QMenu* source = PopupMenu1->addMenu(QStringLiteral("Look up with"));
    source->menuAction()->setObjectName(QStringLiteral("LookUpWith"));
    const auto choose = [this](bool rdap) {
        m_lookupChoices.rdap = rdap;
        saveLookupChoices(m_lookupChoices);
    };
    LookUpWithWhoisPages =
        addMenuCommand(source, QStringLiteral("LookUpWithWhoisPages"),
                       QStringLiteral("Registrar whois pages"), [choose] { choose(false); });
    LookUpWithRdap = addMenuCommand(source, QStringLiteral("LookUpWithRdap"),
                                    QStringLiteral("RDAP (registry data)"), [choose] { choose(true); });
    auto* sources = new QActionGroup(this);
    for (QAction* action : {LookUpWithWhoisPages, LookUpWithRdap}) {
        action->setCheckable(true);
        sources->addAction(action);
    }
    (m_lookupChoices.rdap ? LookUpWithRdap : LookUpWithWhoisPages)->setChecked(true);

    ListUnregisteredHosts = addMenuCommand(PopupMenu1, QStringLiteral("ListUnregisteredHosts"),
                                           QStringLiteral("List hosts that are not registered"), [this] {
                                               m_lookupChoices.listUnregistered =
                                                   ListUnregisteredHosts->isChecked();
                                               saveLookupChoices(m_lookupChoices);
                                           });
    ListUnregisteredHosts->setCheckable(true);
    ListUnregisteredHosts->setChecked(m_lookupChoices.listUnregistered);
    UpdateRdapServers =
        addMenuCommand(PopupMenu1, QStringLiteral("UpdateRdapServers"), QStringLiteral("Update RDAP servers"),
                       [this] { updateRdapServers(); });
    CollectTlds = addMenuCommand(PopupMenu1, QStringLiteral("CollectTlds"),
                                 QStringLiteral("TLDs to collect..."), [this] { chooseTlds(); });
}

QPoint TForm1::commandMenuPoint() const
{
    // The whole window's edges, frame included, plus the button's place in the toolbar.
    const QRect frame = frameGeometry();
    return {frame.left() + 50, frame.top() + 50};
}

void TForm1::ToolButton2Click()
{
    PopupMenu1->popup(commandMenuPoint());
}

void TForm1::chooseTlds()
{
    const std::optional<QString> text = m_prompts.inputText(
        QStringLiteral("TLDs to collect"),
        QStringLiteral("Top-level domains to collect, such as .com .net .org, or * for all:"),
        QString::fromStdString(loadTldFilter().text()));
    if (!text) {
        return;
    }
    std::string why;
    const std::optional<TldFilter> tlds =
        TldFilter::parse(text->toStdString(), &why, &internationalHostToAscii);
    if (!tlds) {
        m_prompts.error(QString::fromStdString(why));
        return;
    }
    saveTldFilter(*tlds);
}

void TForm1::updateRdapServers()
{
    std::optional<std::string> body;
    if (!m_download.run(*StatusBar1, *BStop,
                        QStringLiteral("Downloading the RDAP servers: Stop or Esc cancels"),
                        [&] { body = m_fetch(m_rdapServersUpdateUrl, MaxRdapBootstrapBytes); })) {
        return;
    }
    const bool installed = body && installRdapServers(*body, m_rdapServersFile);
    m_prompts.information(installed ? QStringLiteral("RDAP servers updated !")
                                    : QStringLiteral("Could not update the RDAP servers"));
}

} // namespace ostrevo
