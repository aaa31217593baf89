// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The window itself: its two pages, the toolbar and lists, showing and
// closing, the status panel and the menu button.
#include "rechercheweb/tliste.h"

#include "expired/tform1.h"
#include "hints/tballoonhints.h"
#include "platform/collation.h"
#include "platform/errorguard.h"
#include "platform/productinfo.h"
#include "platform/programicons.h"
#include "platform/qtcolour.h"
#include "platform/settings.h"
#include "platform/statuspanels.h"
#include "platform/windowfont.h"
#include "platform/windowplacement.h"
#include "rechercheweb/updownbuttons.h"
#include "rechercheweb/urllistmodel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrevo {
namespace {

// The size the pages were drawn for: the least the window shrinks to.
constexpr QSize PageSize(505, 337);

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString welcomeText()
{
    const QStringList lines{
        QStringLiteral("Welcome to ostrevo v2.00"),
        QString(),
        QStringLiteral(
            "Ostrevo allows you to search info about existing domains names related with a keyword."),
        // One line per sentence: the box wraps them at its own width.
        QStringLiteral("It uses results from main world engines and check for the date expiration of found "
                       "existing web sites."),
        QStringLiteral("It retrieves: the domain name, the email of the registrant and the expiration date."),
        QStringLiteral("You can easily filter, order your results and exports them to CSV, TXT, XLS, HTML or "
                       "XML formats."),
        QStringLiteral("Visit: ") + fromView(kProductHomePage) +
            QStringLiteral(" for further information or send email to: ") + fromView(kProductContactEmail),
    };
    return lines.join(QLatin1Char('\n'));
}

void makeBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void setBase(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    // On a dark desktop the text colour is light: it must stay readable here.
    palette.setColor(QPalette::Text, toQColor(readableTextOn(toRgb(colour))));
    widget->setPalette(palette);
}

QPushButton* pageButton(QWidget* page, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, page);
    button->setObjectName(name);
    button->setFlat(true);
    button->setMinimumSize(73, 25);
    // Enter on a focused page button presses it.
    button->setAutoDefault(true);
    return button;
}

} // namespace

template <typename Sender, typename Signal>
void Tliste::bind(Sender* sender, Signal signal, void (Tliste::*handler)())
{
    connect(sender, signal, this,
            [this, handler] { guarded(m_prompts, [this, handler] { (this->*handler)(); }); });
}

Tliste::Tliste(Prompts& prompts, EventPump& pump, TForm1& form1, PageLoaderFactory makeLoader,
               QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_pump(pump), m_form1(form1),
      m_makeLoader(std::move(makeLoader)), m_urls(TextKeyFunction(&caseFoldKey)),
      m_catalogueServer(kCatalogueUpdateServer), m_catalogueFolder(".")
{
    setObjectName(QStringLiteral("liste"));
    setWindowTitle(QStringLiteral("Ostrevo Links search"));
    setFont(windowFont());
    setWindowIcon(programIcon(ProgramIcon::Search));
    setMinimumSize(PageSize);
    // Room for both lists side by side; a small screen gets what fits.
    openFitted(*this, QSize(800, 560), PageSize);

    restoreGeometry(storedBytes(settingskey::LinksWindowGeometry));

    buildWelcomePage();
    buildSearchPage();
    // Both pages fill the window; one of them shows.
    auto* pages = new QGridLayout(this);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(GroupBox1, 0, 0);
    pages->addWidget(GroupBox3, 0, 0);
    buildMenu();
    nameControls();
    showPage(1);
    restoreSearchSettings();

    // Esc cancels a download at once, and stops a run as the Stop button does, with its question.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (!m_download.cancelIfRunning() && Bstop->isEnabled()) {
            guarded(m_prompts, [this] { BstopClick(); });
        }
    });
    connect(keywords, &QLineEdit::returnPressed, this, [this] {
        if (Bplay->isEnabled()) {
            guarded(m_prompts, [this] { BplayClick(); });
        }
    });
    // A lookup gives back the hosts it had not reached or got no answer for.
    m_form1.setHostsReturn([this](std::vector<std::string> hosts) {
        m_urls.assign(std::move(hosts));
        Button6->setEnabled(true);
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    bind(Timer1, &QTimer::timeout, &Tliste::Timer1Timer);
    Timer1->start();

    // From here on the application's tool tips are drawn as balloons.
    BalloonHints1 = new TBalloonHints(this);
    BalloonHints1->setObjectName(QStringLiteral("BalloonHints1"));
    BalloonHints1->setHintActive(true);
}

Tliste::~Tliste()
{
    m_form1.setHostsReturn({});
    // The window shows a page of the run's loaders, which go below.
    delete m_pageWindow.data();
    // The model watches m_urls, which goes before the children do.
    webs->setModel(nullptr);
    delete m_model;
    if (m_run) {
        // No event loop may come to delete them later.
        m_run->cancel();
        m_run->setLoaderRelease({});
        m_run.reset();
    }
}

void Tliste::buildWelcomePage()
{
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(32, 32);
    Image1->setPixmap(programIcon(ProgramIcon::WebSite).pixmap(32, 32));

    Label6 = new QLabel(QStringLiteral("Welcome to ostrevo project"), GroupBox1);
    Label6->setObjectName(QStringLiteral("Label6"));
    makeBold(Label6);

    Label10 = new QLabel(QStringLiteral("All captured domains will be added to previously captured urls."),
                         GroupBox1);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setWordWrap(true);

    Panel1 = new QFrame(GroupBox1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* memoLayout = new QVBoxLayout(Panel1);
    memoLayout->setContentsMargins(1, 1, 1, 1);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(welcomeText());
    memoLayout->addWidget(Memo1);

    Button1 = pageButton(GroupBox1, QStringLiteral("Button1"), QStringLiteral("Next >"));
    bind(Button1, &QPushButton::clicked, &Tliste::Button1Click);
    // Enter anywhere on the page goes on, as the page's default button.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* next = new QShortcut(QKeySequence(key), GroupBox1);
        next->setContext(Qt::WidgetWithChildrenShortcut);
        connect(next, &QShortcut::activated, Button1, &QPushButton::click);
    }

    // The picture left, the titles beside it at their old places; the text
    // fills the page; the button bottom right.
    auto* titles = new QVBoxLayout;
    titles->setSpacing(16);
    titles->addWidget(Label6);
    titles->addWidget(Label10);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(104 - 20 - 32);
    top->addLayout(titles, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    auto* page = new QVBoxLayout(GroupBox1);
    page->setContentsMargins(20, 16, 16, 8);
    page->addLayout(top);
    page->addWidget(Panel1, 1);
    page->addLayout(bottom);
}

void Tliste::buildSearchPage()
{
    GroupBox3 = new QGroupBox(this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));

    Panel2 = new QFrame(GroupBox3);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildToolbar(Panel2);
    buildKeywordsBox(Panel2);
    buildLists(Panel2);

    // The links count, then what the engines ask for.
    StatusBar1 = new StatusPanels({50, 50}, Panel2);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(22);
    StatusBar1->setPanelText(0, QStringLiteral("Links:"));

    layout->addWidget(ToolBar1);
    layout->addWidget(GroupBox22);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(StatusBar1);

    showPageButton = pageButton(GroupBox3, QStringLiteral("showPage"), QStringLiteral("Show page"));
    showPageButton->setEnabled(false);
    bind(showPageButton, &QPushButton::clicked, &Tliste::showPageClick);
    SpeedButton3 = pageButton(GroupBox3, QStringLiteral("SpeedButton3"), QStringLiteral("< Previous"));
    bind(SpeedButton3, &QPushButton::clicked, &Tliste::SpeedButton3Click);
    Button6 = pageButton(GroupBox3, QStringLiteral("Button6"), QStringLiteral("Finish"));
    makeBold(Button6);
    Button6->setEnabled(false);
    bind(Button6, &QPushButton::clicked, &Tliste::Button6Click);

    // The panel fills the page; the page buttons sit bottom right under it.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(7);
    buttons->addStretch(1);
    buttons->addWidget(showPageButton);
    buttons->addWidget(SpeedButton3);
    buttons->addWidget(Button6);
    auto* page = new QVBoxLayout(GroupBox3);
    page->setContentsMargins(20, 20, 8, 8);
    page->setSpacing(7);
    page->addWidget(Panel2, 1);
    page->addLayout(buttons);
}

void Tliste::buildToolbar(QWidget* parent)
{
    ToolBar1 = new QToolBar(parent);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(33);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setAutoFillBackground(true);
    QPalette palette = ToolBar1->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    ToolBar1->setPalette(palette);

    const auto button = [this](const QString& name, ProgramIcon icon, const QString& hint, int width,
                               void (Tliste::*handler)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(name);
        b->setIcon(programIcon(icon));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setFixedSize(width, 25);
        bind(b, &QToolButton::clicked, handler);
        return b;
    };
    Bplay = button(QStringLiteral("Bplay"), ProgramIcon::Start,
                   QStringLiteral("Start the search (Enter in the keywords)"), 81, &Tliste::BplayClick);
    Bplay->setText(QStringLiteral("Start"));
    Bplay->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Bstop = button(QStringLiteral("Bstop"), ProgramIcon::Stop, QStringLiteral("Stop the search (Esc)"), 25,
                   &Tliste::BstopClick);
    Bstop->setEnabled(false);
    Bopen = button(QStringLiteral("Bopen"), ProgramIcon::Open, QStringLiteral("Open a list of urls"), 25,
                   &Tliste::BopenClick);
    BDisk = button(QStringLiteral("BDisk"), ProgramIcon::Save, QStringLiteral("Save the list of urls"), 25,
                   &Tliste::BDiskClick);
    ToolButton2 = button(QStringLiteral("ToolButton2"), ProgramIcon::Commands,
                         QStringLiteral("Commands on the list of urls"), 25, &Tliste::ToolButton2Click);
    buffer = new QProgressBar(ToolBar1);
    buffer->setObjectName(QStringLiteral("buffer"));
    buffer->setRange(0, 100);
    buffer->setValue(0);
    buffer->setTextVisible(false);
    // The bar takes the toolbar's spare width.
    buffer->setMinimumWidth(196);
    buffer->setFixedHeight(25);
    buffer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SpeedButton1 =
        button(QStringLiteral("SpeedButton1"), ProgramIcon::Refresh,
               QStringLiteral("Update the list of search engines"), 32, &Tliste::SpeedButton1Click);

    ToolBar1->addWidget(Bplay);
    ToolBar1->addWidget(Bstop);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(Bopen);
    ToolBar1->addWidget(BDisk);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton2);
    ToolBar1->addWidget(buffer);
    ToolBar1->addWidget(SpeedButton1);
}

void Tliste::buildKeywordsBox(QWidget* parent)
{
    GroupBox22 = new QGroupBox(parent);
    GroupBox22->setObjectName(QStringLiteral("GroupBox22"));
    GroupBox22->setMinimumHeight(99);
    GroupBox22->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(GroupBox22);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(3);

    Label2 = new QLabel(QStringLiteral("Enter keywords to start the search"), GroupBox22);
    Label2->setObjectName(QStringLiteral("Label2"));
    makeBold(Label2);
    keywords = new QLineEdit(GroupBox22);
    keywords->setObjectName(QStringLiteral("keywords"));
    keywords->setMinimumWidth(241);
    makeBold(keywords);
    setBase(keywords, QColor(215, 255, 255));

    auto* limitPanel = new QFrame(GroupBox22);
    limitPanel->setObjectName(QStringLiteral("Panel3"));
    limitPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(limitPanel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    RadioButton3 = new QRadioButton(QStringLiteral("Limit search to "), limitPanel);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton3->setChecked(true);
    bind(RadioButton3, &QRadioButton::clicked, &Tliste::RadioButton3Click);
    totalresultats = new QLineEdit(QStringLiteral("250"), limitPanel);
    totalresultats->setObjectName(QStringLiteral("totalresultats"));
    totalresultats->setFixedWidth(41);
    makeBold(totalresultats);
    setBase(totalresultats, QColor(255, 255, 128));
    UpDown2 = new UpDownButtons(totalresultats, limitPanel);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->setRange(100, 32000);
    UpDown2->setIncrement(20);
    UpDown2->setPosition(250);
    Label1 = new QLabel(QStringLiteral("links"), limitPanel);
    Label1->setObjectName(QStringLiteral("Label1"));
    RadioButton1 = new QRadioButton(QStringLiteral("Do not limit the search (use STOP)"), limitPanel);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    bind(RadioButton1, &QRadioButton::clicked, &Tliste::RadioButton1Click);
    row->addWidget(RadioButton3);
    row->addWidget(totalresultats);
    row->addWidget(UpDown2);
    row->addSpacing(4);
    row->addWidget(Label1);
    row->addSpacing(12);
    row->addWidget(RadioButton1);
    row->addStretch(1);

    layout->addWidget(Label2);
    layout->addWidget(keywords);
    layout->addWidget(limitPanel);
}

void Tliste::buildLists(QWidget* parent)
{
    Splitter1 = new QSplitter(Qt::Horizontal, parent);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(8);
    Splitter1->setChildrenCollapsible(false);

    deps = new QListWidget(Splitter1);
    deps->setObjectName(QStringLiteral("deps"));

    m_model = new UrlListModel(m_urls, this);
    m_model->setErrorPrompts(&m_prompts);
    webs = new QListView(Splitter1);
    webs->setObjectName(QStringLiteral("webs"));
    webs->setUniformItemSizes(true);
    webs->setModel(m_model);

    Splitter1->addWidget(deps);
    Splitter1->addWidget(webs);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({224, 477 - 224 - 8});
}

void Tliste::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](QMenu* menu, const QString& name, const QString& text,
                             void (Tliste::*handler)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        bind(action, &QAction::triggered, handler);
    };
    const auto submenu = [this](const QString& name, const QString& text) {
        QMenu* menu = PopupMenu1->addMenu(text);
        menu->setObjectName(name);
        return menu;
    };
    item(PopupMenu1, QStringLiteral("EnterNewUrl"), QStringLiteral("Enter a new url"), &Tliste::enterNewUrl);
    item(PopupMenu1, QStringLiteral("AlphabeticSort"), QStringLiteral("Alphabetic sort"),
         &Tliste::alphabeticSort);
    QMenu* check = submenu(QStringLiteral("CheckMenu"), QStringLiteral("Check"));
    item(check, QStringLiteral("CheckAll"), QStringLiteral("All urls"), &Tliste::checkAllUrls);
    item(check, QStringLiteral("CheckContaining"), QStringLiteral("Urls containing words..."),
         &Tliste::checkUrlsContaining);
    QMenu* uncheck = submenu(QStringLiteral("UncheckMenu"), QStringLiteral("Uncheck"));
    item(uncheck, QStringLiteral("UncheckAll"), QStringLiteral("All urls"), &Tliste::uncheckAllUrls);
    item(uncheck, QStringLiteral("UncheckContaining"), QStringLiteral("Urls containing words..."),
         &Tliste::uncheckUrlsContaining);
    QMenu* remove = submenu(QStringLiteral("DeleteMenu"), QStringLiteral("Delete"));
    item(remove, QStringLiteral("DeleteAll"), QStringLiteral("All urls"), &Tliste::deleteAllUrls);
    item(remove, QStringLiteral("DeleteUnchecked"), QStringLiteral("All unchecked urls"),
         &Tliste::deleteUncheckedUrls);
}

void Tliste::showPage(int page)
{
    GroupBox1->setVisible(page == 1);
    GroupBox3->setVisible(page == 2);
}

void Tliste::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous()) {
        guarded(m_prompts, [this] { FormShow(); });
    }
}

void Tliste::closeEvent(QCloseEvent* event)
{
    stopflag = true;
    storeSearchSettings();
    store(settingskey::LinksWindowGeometry, saveGeometry());
    event->accept();
}

void Tliste::storeSearchSettings()
{
    QStringList ticked;
    for (const std::string& name : tickedEngines()) {
        ticked << QString::fromStdString(name);
    }
    store(settingskey::Keywords, keywords->text());
    // A window never shown (a file named on the command line) has no engine
    // list: the ticks stored stay.
    if (deps->count() > 0) {
        store(settingskey::Engines, ticked);
    }
    store(settingskey::Limit, totalresultats->text());
    store(settingskey::Unlimited, RadioButton1->isChecked());
}

void Tliste::restoreSearchSettings()
{
    keywords->setText(storedText(settingskey::Keywords));
    bool isNumber = false;
    const int limit = storedText(settingskey::Limit).toInt(&isNumber);
    if (isNumber && limit >= 0) {
        totalresultats->setText(QString::number(limit));
    }
    if (storedFlag(settingskey::Unlimited, false)) {
        RadioButton1->setChecked(true);
        RadioButton1Click();
    }
}

void Tliste::tickStoredEngines()
{
    const QStringList names = storedList(settingskey::Engines);
    for (int i = 0; i < deps->count(); ++i) {
        QListWidgetItem* item = deps->item(i);
        if (names.contains(item->text())) {
            item->setCheckState(Qt::Checked);
        }
    }
}

void Tliste::FormShow()
{
    // The window is usable even when the catalogue cannot be read.
    setIdleButtons();
    showPage(1);
    fillEngineList();
    tickStoredEngines();
}

void Tliste::Button1Click()
{
    showPage(2);
}

void Tliste::SpeedButton3Click()
{
    showPage(1);
}

void Tliste::RadioButton3Click()
{
    totalresultats->setEnabled(true);
    UpDown2->setEnabled(true);
}

void Tliste::RadioButton1Click()
{
    totalresultats->setEnabled(false);
    UpDown2->setEnabled(false);
}

void Tliste::ToolButton2Click()
{
    const QPoint inBar = ToolButton2->mapTo(ToolBar1, QPoint(0, 0));
    const QRect frame = frameGeometry();
    PopupMenu1->popup(QPoint(frame.left() + inBar.x(), frame.top() + inBar.y() + 50));
}

void Tliste::Timer1Timer()
{
    StatusBar1->setPanelText(0, QStringLiteral("Links:") + QString::number(m_urls.count()));
}

void Tliste::setListCommandsEnabled(bool enabled)
{
    ToolButton2->setEnabled(enabled);
    Bopen->setEnabled(enabled);
    BDisk->setEnabled(enabled);
    SpeedButton1->setEnabled(enabled);
}

} // namespace ostrevo
