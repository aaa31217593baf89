// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The links search window: a welcome page, and a search page where keywords
// and ticked search engines turn into a list of hosts that Finish hands to
// the main window's expiry lookup.

#include "platform/windowdownload.h"
#include "rechercheweb/searchrun.h"
#include "rechercheweb/urllist.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;

namespace ostrevo {

class TBalloonHints;

class EventPump;
class PageLoader;
class Prompts;
class StatusPanels;
class TForm1;
class UpDownButtons;
class UrlListModel;

class Tliste final : public QWidget {
    Q_OBJECT
public:
    // Makes the hidden browser of one engine; a run asks for one per engine.
    using PageLoaderFactory = std::function<std::unique_ptr<PageLoader>()>;

    Tliste(Prompts& prompts, EventPump& pump, TForm1& form1, PageLoaderFactory makeLoader,
           QWidget* parent = nullptr);
    ~Tliste() override;

    // The URL list behind webs.
    UrlList& urls() { return m_urls; }
    bool stopFlag() const { return stopflag; }
    // The run going on or last ended; nothing before the first run.
    SearchRun* currentRun() const { return m_run.get(); }

    // The catalogue update asks `server` ("https://" and host[:port]) and
    // writes listex.txt into `folder`: by default the product's server and
    // the current folder, where the catalogue is read.
    void setCatalogueServer(std::string server) { m_catalogueServer = std::move(server); }
    void setCatalogueFolder(std::filesystem::path folder) { m_catalogueFolder = std::move(folder); }
    const std::string& catalogueServer() const { return m_catalogueServer; }
    const std::filesystem::path& catalogueFolder() const { return m_catalogueFolder; }

    // What showing the window does (also after a catalogue update): engines
    // refilled from listex.txt, all unticked; idle buttons; the welcome page.
    void FormShow();
    void Button1Click();      // "Next >"
    void SpeedButton3Click(); // "< Previous"
    void RadioButton3Click(); // the limit counts
    void RadioButton1Click(); // no limit
    void ToolButton2Click();  // the URL list menu
    void Timer1Timer();
    void BplayClick();        // Start: the search run, until it ends
    void BstopClick();        // Stop
    void BopenClick();        // open a URL list file
    void BDiskClick();        // save the URL list
    void SpeedButton1Click(); // update the catalogue from the server
    void Button6Click();      // Finish: hand the hosts to the main window
    // Shows the page of the first engine that waits for the user.
    void showPageClick();
    // Opens a URL list file and hands its hosts over at once.
    void lookUpFile(const QString& fileName);

    // The URL list menu.
    void enterNewUrl();
    void alphabeticSort();
    void checkAllUrls() { m_urls.setAllTicked(true); }
    void checkUrlsContaining() { tickUrlsContaining(true); }
    void uncheckAllUrls() { m_urls.setAllTicked(false); }
    void uncheckUrlsContaining() { tickUrlsContaining(false); }
    void deleteAllUrls() { m_urls.clear(); }
    void deleteUncheckedUrls() { m_urls.removeUnticked(); }

    // Controls, under their layout names.
    QGroupBox* GroupBox1 = nullptr;  // welcome page
    QLabel* Image1 = nullptr;        // the welcome picture
    QLabel* Label6 = nullptr;        // "Welcome to ostrevo project"
    QLabel* Label10 = nullptr;       // links are added to those already captured
    QFrame* Panel1 = nullptr;        // frames the welcome text
    QPlainTextEdit* Memo1 = nullptr; // the welcome text
    QPushButton* Button1 = nullptr;  // "Next >"

    QGroupBox* GroupBox3 = nullptr; // search page
    QFrame* Panel2 = nullptr;       // holds the toolbar, the lists and the status bar
    QToolBar* ToolBar1 = nullptr;
    QToolButton* Bplay = nullptr;        // Start
    QToolButton* Bstop = nullptr;        // stop the search
    QToolButton* Bopen = nullptr;        // open a list of urls
    QToolButton* BDisk = nullptr;        // save the list of urls
    QToolButton* ToolButton2 = nullptr;  // the URL list's command menu
    QProgressBar* buffer = nullptr;      // the search's progress
    QToolButton* SpeedButton1 = nullptr; // update the list of search engines
    QGroupBox* GroupBox22 = nullptr;     // keywords and the limit
    QLabel* Label2 = nullptr;            // "Enter keywords to start the search"
    QLineEdit* keywords = nullptr;
    QRadioButton* RadioButton3 = nullptr; // limit the search to totalresultats links
    QLineEdit* totalresultats = nullptr;  // the limit, in links
    UpDownButtons* UpDown2 = nullptr;     // steps the limit
    QLabel* Label1 = nullptr;             // "links", after the limit
    QRadioButton* RadioButton1 = nullptr; // no limit: the search runs until Stop
    QSplitter* Splitter1 = nullptr;       // engines on the left, links on the right
    QListWidget* deps = nullptr;          // the search engines, ticked to use
    QListView* webs = nullptr;            // the links found
    StatusPanels* StatusBar1 = nullptr;
    QPushButton* SpeedButton3 = nullptr;   // "< Previous"
    QPushButton* Button6 = nullptr;        // "Finish": hands the hosts to the main window
    QPushButton* showPageButton = nullptr; // on while an engine waits for the user

    QTimer* Timer1 = nullptr; // shows the link count every second
    TBalloonHints* BalloonHints1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWelcomePage();
    void buildSearchPage();
    void buildToolbar(QWidget* parent);
    void buildKeywordsBox(QWidget* parent);
    void buildLists(QWidget* parent);
    void buildMenu();
    // Accessible names and the tab order.
    void nameControls();
    // Runs `handler` through the error guard when `sender` emits `signal`.
    template <typename Sender, typename Signal>
    void bind(Sender* sender, Signal signal, void (Tliste::*handler)());

    void showPage(int page);
    void fillEngineList();
    // ToolButton2, Bopen, BDisk and SpeedButton1: off while a run goes.
    void setListCommandsEnabled(bool enabled);
    // No run going: Start and the list commands on, Stop off, Finish on when
    // there is a list to hand over.
    void setIdleButtons();
    // Keywords, ticked engines, the limit and its mode, kept between starts.
    void storeSearchSettings();
    void restoreSearchSettings();
    void tickStoredEngines();
    void setProgressMaximum(int maximum);
    std::vector<std::string> tickedEngines() const;
    void runSearch(SearchRun& run, int limit);
    void limitReached();
    // Every engine is done: the run ends as a confirmed Stop would.
    void enginesDone();
    // Marks engine `engine`'s line and tells the status line when its state changed.
    void noteEngineState(const SearchRun& run, int engine);
    void closePageWindow();
    void tickUrlsContaining(bool ticked);

    Prompts& m_prompts;
    EventPump& m_pump;
    TForm1& m_form1;
    PageLoaderFactory m_makeLoader;
    UrlList m_urls;
    UrlListModel* m_model = nullptr;
    std::shared_ptr<SearchRun> m_run;
    // The run's engines: their rows in deps and the states their lines show.
    std::vector<int> m_engineRows;
    std::vector<EngineState> m_shownStates;
    QPointer<QWidget> m_pageWindow;
    const SearchRun* m_pageWindowRun = nullptr;
    int m_pageWindowEngine = -1;
    std::string m_catalogueServer;
    std::filesystem::path m_catalogueFolder;
    WindowDownload m_download; // the catalogue update
    bool stopflag = false;
};

} // namespace ostrevo
