// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The main window: toolbar, result table, status bar and command menu. It
// hands the collected hosts to a lookup run (registrars' whois pages or
// RDAP) and shows what the run reports: progress, notices and rows, which it
// also journals.

#include "expired/resultcommands.h"
#include "lookup/lookupchoices.h"
#include "lookup/whoispagerun.h"
#include "platform/windowdownload.h"
#include "resultlist/resulttable.h"

#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QProgressBar;
class QUrl;
class QTimer;
class QToolButton;

namespace ostrevo {

class EventPump;
class PageLoader;
class RowJournal;
class Prompts;
class TResultListView;
class StatusPanels;
class WatchWindow;

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    TForm1(Prompts& prompts, EventPump& pump, std::unique_ptr<PageLoader> www, WhoisServices whoisServices,
           QWidget* parent = nullptr);
    ~TForm1() override;

    ResultTable& table() { return m_table; }
    // The links search window the start button shows.
    void setLinksWindow(QWidget* liste) { m_liste = liste; }
    // The two date filter windows of the command menu.
    void setFilterWindows(QWidget* form2, QWidget* form3);
    // Opens web addresses in the user's browser (tests record instead).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    // Tells the desktop a lookup run has ended (tests record instead).
    void setRunEndAnnouncer(std::function<void(const QString&)> announce)
    {
        m_announceRunEnd = std::move(announce);
    }
    // Imports a spreadsheet into the table; the built-in reader unless a test replaces it.
    using SpreadsheetImporter = std::function<void(ResultTable&, const std::string& fileName)>;
    void setSpreadsheetImporter(SpreadsheetImporter importer) { m_importSpreadsheet = std::move(importer); }
    // Takes the hosts a run had not looked up yet or got no answer for (the links search window's list).
    void setHostsReturn(std::function<void(std::vector<std::string>)> take)
    {
        m_returnHosts = std::move(take);
    }
    // Where the rows of a lookup run are journalled; no journal without one.
    void setJournalFile(const std::filesystem::path& file);
    // At start-up: offers the rows of a journal an abnormal end left behind.
    void offerJournalRestore();
    // Opens the watch list kept in `database` and starts its checks.
    void setWatchList(const std::filesystem::path& database);
    WatchWindow* watchWindow() { return m_watchWindow.get(); }
    // Adds the registered domains of the ticked rows to the watch list.
    void watchTickedDomains();
    // Rows added, loaded or deleted since the last save.
    bool hasUnsavedRows() const { return m_unsaved; }

    // Takes the hosts the links search window hands over: sets the toolbar for
    // a run, then looks them up.
    void lookUpHandedOverHosts(std::vector<std::string> hosts);
    // Looks up every host in turn and adds a row for each record found, with
    // the source chosen in the command menu. Returns when the list is done or
    // Stop was confirmed.
    void Button1Click(std::vector<std::string> hosts);
    // The RDAP bootstrap file a run reads and an update replaces.
    void setRdapServersFile(std::filesystem::path file) { m_rdapServersFile = std::move(file); }
    // Where "Update RDAP servers" downloads from (tests use a loopback server).
    void setRdapServersUpdateUrl(std::string url) { m_rdapServersUpdateUrl = std::move(url); }
    // Downloads a URL's body, refusing more than the given bytes; nothing on
    // failure. The program's HTTP client unless a test replaces it.
    using Download = std::function<std::optional<std::string>(const std::string& url, std::size_t maxBytes)>;
    void setDownload(Download download) { m_fetch = std::move(download); }
    void updateRdapServers();
    // Asks for the TLDs a search collects and keeps a valid answer.
    void chooseTlds();
    void BPlayClick();
    void BStopClick();
    void Timer1Timer();
    void ToolButton2Click();
    void BDiskClick();
    void BOpenClick();
    void SpeedButton5Click();
    // What the host panel says once a handed-over run has gone through its hosts.
    static QString lookupFinishedText();
    // Where the command menu opens: its top-left corner on the screen.
    QPoint commandMenuPoint() const;

    // Controls, under their layout names; other windows reach them too.
    QToolButton* BPlay = nullptr;        // start a search: shows the links search window
    QToolButton* BStop = nullptr;        // stop the expiry lookup
    QToolButton* ToolButton2 = nullptr;  // opens the command menu
    QToolButton* BOpen = nullptr;        // load a results file or a spreadsheet
    QToolButton* BDisk = nullptr;        // save the results
    QToolButton* SpeedButton5 = nullptr; // the product's web site
    QProgressBar* buffer = nullptr;      // the lookup's progress
    StatusPanels* StatusBar1 = nullptr;  // time left, domain count, current host
    QTimer* Timer1 = nullptr;            // refreshes the estimate during a run
    TResultListView* resultat = nullptr; // the result table's view

    // The command menu and its items ("cocher": tick, "décocher": untick,
    // "effacer": delete, "grisés": greyed, i.e. unticked).
    QMenu* PopupMenu1 = nullptr;
    QAction* Cocher1 = nullptr;                     // Check >
    QAction* Pardatedexpiration1 = nullptr;         // Check > Date selection...
    QAction* Touslesemails1 = nullptr;              // Check > All domains
    QAction* Dcocher1 = nullptr;                    // Uncheck >
    QAction* Pardatedexpiration2 = nullptr;         // Uncheck > Date selection...
    QAction* Dcohertouslesemails1 = nullptr;        // Uncheck > all domains
    QAction* Effacer2 = nullptr;                    // Delete >
    QAction* E1 = nullptr;                          // Delete > All
    QAction* Effacertouslesemailsdcochs1 = nullptr; // Delete > Checked domains
    QAction* Griss3 = nullptr;                      // Delete > Unchecked domains
    QAction* LookUpWithWhoisPages = nullptr;        // Look up with > Registrar whois pages
    QAction* LookUpWithRdap = nullptr;              // Look up with > RDAP (registry data)
    QAction* ListUnregisteredHosts = nullptr;       // List hosts that are not registered
    QAction* UpdateRdapServers = nullptr;           // Update RDAP servers
    QAction* CollectTlds = nullptr;                 // TLDs to collect...
    QAction* UndoDelete = nullptr;                  // Undo delete
    QAction* WatchTicked = nullptr;                 // Watch ticked domains
    QAction* ShowWatchList = nullptr;               // Watch list...

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar();
    void buildResultTable();
    void buildCommandMenu();
    void buildLookupMenu();
    void buildWatchCommands();
    void showRowMenu(const QPoint& at);
    void watchHosts(const std::vector<std::string>& hosts);
    // What a lookup said of a row's status, for its "Expires" tool tip.
    void rememberStatus(const LookupRow& found);
    // Runs the lookup the command menu chose; false when Stop ended it.
    bool lookUp(const std::vector<std::string>& hosts, const std::function<bool()>& stopped);
    // Every row a lookup finds comes in here: into the table and the journal.
    void addLookupRow(const LookupRow& found);
    void endOfRun();
    void offerHostsBack();
    // Runs a Delete command and keeps what it deleted for one undo.
    void deleteUndoably(std::vector<RowCopy> (*remove)(ResultTable&));
    void undoDelete();
    bool saveRows();
    QAction* addMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                            std::function<void()> command);
    void showRowCount();
    QToolButton* addToolButton(const QString& name, const QIcon& icon, void (TForm1::*handler)());
    QString domainsText() const;

    Prompts& m_prompts;
    EventPump& m_pump;
    std::unique_ptr<PageLoader> m_www;
    WhoisPageRun m_whoisRun;
    LookupRun* m_run = nullptr; // the run going on, for its estimate
    ResultTable m_table;
    QWidget* m_liste = nullptr;
    QWidget* m_form2 = nullptr;
    QWidget* m_form3 = nullptr;
    std::function<void(const QUrl&)> m_openUrl;
    std::function<void(const QString&)> m_announceRunEnd;
    SpreadsheetImporter m_importSpreadsheet;
    LookupChoices m_lookupChoices;
    std::filesystem::path m_rdapServersFile;
    std::string m_rdapServersUpdateUrl;
    Download m_fetch;
    WindowDownload m_download; // the update going on, for Stop and Esc
    std::function<void(std::vector<std::string>)> m_returnHosts;
    std::unique_ptr<RowJournal> m_journal;
    QTimer* m_journalSync = nullptr; // syncs the journal a second after an unsynced row
    std::vector<RowCopy> m_undoRows;
    std::unique_ptr<WatchWindow> m_watchWindow;
    std::unordered_map<std::string, std::string> m_statusTips; // by row caption
    bool m_unsaved = false;
    // The hosts of the run going on, and which of them are looked up.
    const std::vector<std::string>* m_runHosts = nullptr;
    std::vector<bool> m_hostDone;
    // What the run going on has found: registered domains, and hosts left unanswered.
    std::size_t m_registeredFound = 0;
    std::vector<std::string> m_noAnswer;

    bool stopflag = false;
    // Counts runs, so that a run resumed after a newer one started stops too.
    unsigned m_runGeneration = 0;
};

} // namespace ostrevo
