// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "preferences/preferenceswindow.h"

#include "lookup/lookupchoices.h"
#include "lookup/whoissetting.h"
#include "net/activeproxy.h"
#include "net/proxysetting.h"
#include "net/tldsetting.h"
#include "platform/internationalhost.h"
#include "platform/windowfont.h"
#include "preferences/settingfield.h"
#include "preferences/settlesetting.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace ostrevo {

namespace {

constexpr double kMinPace = 0.1;
constexpr double kMaxPace = 100;
constexpr int kDefaultHttpPort = 3128;
constexpr int kDefaultSocksPort = 1080;

// A decimal number, with a point or a comma.
std::optional<double> decimal(const QString& text)
{
    bool ok = false;
    const double value =
        QLocale::c().toDouble(QString(text).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<QString> reason(const std::string& why)
{
    return QString::fromStdString(why);
}

QLabel* noteLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// A Reset button for a choice that is no typed field.
QToolButton* resetButton(const QString& name, QWidget* parent, std::function<void()> reset)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QStringLiteral("Reset"));
    button->setToolTip(QStringLiteral("Back to the default"));
    QObject::connect(button, &QToolButton::clicked, parent, std::move(reset));
    return button;
}

} // namespace

PreferencesWindow::PreferencesWindow(PreferencesContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    setFont(windowFont());
    m_pages = new QTabWidget(this);
    m_pages->addTab(buildSearchPage(), QStringLiteral("Search"));
    m_pages->addTab(buildLookupPage(), QStringLiteral("Lookup"));
    m_pages->addTab(buildNetworkPage(), QStringLiteral("Network"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &PreferencesWindow::save);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(m_buttons);
    load();
    refresh();
}

QWidget* PreferencesWindow::buildSearchPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_tlds = new SettingField(
        QStringLiteral("Tlds"), QString::fromStdString(TldFilter{}.text()),
        [](const QString& text) -> std::optional<QString> {
            std::string why;
            if (!TldFilter::parse(text.toStdString(), &why, &internationalHostToAscii)) {
                return reason(why);
            }
            return std::nullopt;
        },
        page);
    m_tlds->edit()->setToolTip(QStringLiteral("Such as .com .net .org, or * for every TLD"));
    form->addRow(QStringLiteral("TLDs to collect:"), m_tlds);
    m_settle = new SettingField(
        QStringLiteral("Settle"), QString::number(kDefaultSettleSeconds),
        [](const QString& text) -> std::optional<QString> {
            bool ok = false;
            const int seconds = text.toInt(&ok);
            if (!ok || seconds < kMinSettleSeconds || seconds > kMaxSettleSeconds) {
                return QStringLiteral("A whole number of seconds from %1 to %2")
                    .arg(kMinSettleSeconds)
                    .arg(kMaxSettleSeconds);
            }
            return std::nullopt;
        },
        page);
    form->addRow(QStringLiteral("A page built by script settles within (seconds):"), m_settle);
    return page;
}

QWidget* PreferencesWindow::buildLookupPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto* source = new QWidget(page);
    auto* sourceRow = new QHBoxLayout(source);
    sourceRow->setContentsMargins(0, 0, 0, 0);
    m_rdap = new QRadioButton(QStringLiteral("RDAP (registry data)"), source);
    m_rdap->setObjectName(QStringLiteral("SourceRdap"));
    m_whoisPages = new QRadioButton(QStringLiteral("Registrar whois pages"), source);
    m_whoisPages->setObjectName(QStringLiteral("SourceWhoisPages"));
    sourceRow->addWidget(m_rdap);
    sourceRow->addWidget(m_whoisPages);
    sourceRow->addWidget(
        resetButton(QStringLiteral("SourceReset"), source, [this] { m_rdap->setChecked(true); }));
    sourceRow->addStretch();
    form->addRow(QStringLiteral("Look up with:"), source);
    form->addRow(QString(), noteLabel(QStringLiteral("SourceHint"), page));
    page->findChild<QLabel*>(QStringLiteral("SourceHint"))->setText(QStringLiteral("Default: RDAP"));

    m_listUnregistered =
        new QCheckBox(QStringLiteral("List hosts that are not registered (default: no)"), page);
    m_listUnregistered->setObjectName(QStringLiteral("ListUnregistered"));
    form->addRow(QString(), m_listUnregistered);

    m_pace = new SettingField(
        QStringLiteral("Pace"), QStringLiteral("1"),
        [](const QString& text) -> std::optional<QString> {
            const std::optional<double> pace = decimal(text);
            if (!pace || *pace < kMinPace || *pace > kMaxPace) {
                return QStringLiteral("A number from 0.1 to 100");
            }
            return std::nullopt;
        },
        page);
    form->addRow(QStringLiteral("RDAP requests per second per server:"), m_pace);

    const WhoisServices builtIn = defaultWhoisServices();
    const auto hostCheck = [](const QString& text) -> std::optional<QString> {
        std::string why;
        if (!checkedHostAndPort(text.toStdString(), &why)) {
            return reason(why);
        }
        return std::nullopt;
    };
    m_whoisFirst = new SettingField(QStringLiteral("WhoisFirst"), QString::fromStdString(builtIn.first.host),
                                    hostCheck, page);
    form->addRow(QStringLiteral("First whois service:"), m_whoisFirst);
    m_whoisSecond = new SettingField(QStringLiteral("WhoisSecond"),
                                     QString::fromStdString(builtIn.second.host), hostCheck, page);
    form->addRow(QStringLiteral("Second whois service:"), m_whoisSecond);

    auto* servers = new QWidget(page);
    auto* serversRow = new QHBoxLayout(servers);
    serversRow->setContentsMargins(0, 0, 0, 0);
    auto* update = new QPushButton(QStringLiteral("Update RDAP servers"), servers);
    update->setObjectName(QStringLiteral("UpdateRdapServers"));
    m_rdapServersDate = noteLabel(QStringLiteral("RdapServersDate"), servers);
    serversRow->addWidget(update);
    serversRow->addWidget(m_rdapServersDate, 1);
    connect(update, &QPushButton::clicked, this, [this] {
        if (m_context.updateRdapServers) {
            m_context.updateRdapServers();
        }
        showRdapServersDate();
    });
    form->addRow(QStringLiteral("RDAP servers:"), servers);
    showRdapServersDate();
    return page;
}

QWidget* PreferencesWindow::buildNetworkPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto* modes = new QWidget(page);
    auto* modeColumn = new QVBoxLayout(modes);
    modeColumn->setContentsMargins(0, 0, 0, 0);
    m_systemProxy = new QRadioButton(QStringLiteral("Use the system's proxy settings"), modes);
    m_systemProxy->setObjectName(QStringLiteral("ProxySystem"));
    m_noProxy = new QRadioButton(QStringLiteral("No proxy"), modes);
    m_noProxy->setObjectName(QStringLiteral("ProxyNone"));
    m_manual = new QRadioButton(QStringLiteral("Manual"), modes);
    m_manual->setObjectName(QStringLiteral("ProxyManual"));
    auto* resetRow = new QHBoxLayout;
    resetRow->addWidget(m_systemProxy);
    resetRow->addWidget(
        resetButton(QStringLiteral("ProxyReset"), modes, [this] { m_systemProxy->setChecked(true); }));
    resetRow->addStretch();
    modeColumn->addLayout(resetRow);
    modeColumn->addWidget(m_noProxy);
    modeColumn->addWidget(m_manual);
    form->addRow(QStringLiteral("Proxy:"), modes);
    form->addRow(QString(), noteLabel(QStringLiteral("ProxyHint"), page));
    page->findChild<QLabel*>(QStringLiteral("ProxyHint"))
        ->setText(QStringLiteral("Default: the system's, from the environment and the desktop"));

    m_proxyKind = new QComboBox(page);
    m_proxyKind->setObjectName(QStringLiteral("ProxyKind"));
    m_proxyKind->addItems({QStringLiteral("HTTP"), QStringLiteral("SOCKS5")});
    form->addRow(QStringLiteral("Kind:"), m_proxyKind);
    m_proxyHost = new SettingField(
        QStringLiteral("ProxyHost"), QString(),
        [this](const QString& text) -> std::optional<QString> {
            std::string why;
            if (manualProxy() && !checkedProxyHost(text.toStdString(), &why)) {
                return reason(why);
            }
            return std::nullopt;
        },
        page);
    m_proxyHost->setDefaultLabel(QStringLiteral("none"));
    form->addRow(QStringLiteral("Host:"), m_proxyHost);
    m_proxyPort = new SettingField(
        QStringLiteral("ProxyPort"), QString::number(kDefaultHttpPort),
        [this](const QString& text) -> std::optional<QString> {
            std::string why;
            if (manualProxy() && !checkedPort(text.toStdString(), &why)) {
                return reason(why);
            }
            return std::nullopt;
        },
        page);
    m_proxyPort->setDefaultLabel(
        QStringLiteral("%1 for HTTP, %2 for SOCKS5").arg(kDefaultHttpPort).arg(kDefaultSocksPort));
    form->addRow(QStringLiteral("Port:"), m_proxyPort);
    m_proxyUser = new SettingField(
        QStringLiteral("ProxyUser"), QString(),
        [](const QString& text) -> std::optional<QString> {
            if (text.size() > 256 || text.contains(QLatin1Char(':'))) {
                return QStringLiteral("At most 256 characters, without a colon");
            }
            return std::nullopt;
        },
        page);
    m_proxyUser->setDefaultLabel(QStringLiteral("none (the proxy is asked without credentials)"));
    form->addRow(QStringLiteral("User name:"), m_proxyUser);
    m_proxyPassword = new QLineEdit(page);
    m_proxyPassword->setObjectName(QStringLiteral("ProxyPassword"));
    m_proxyPassword->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Password:"), m_proxyPassword);
    m_secretNote = noteLabel(QStringLiteral("SecretNote"), page);
    form->addRow(QString(), m_secretNote);
    m_restartNote = noteLabel(QStringLiteral("RestartNote"), page);
    form->addRow(QString(), m_restartNote);

    for (QRadioButton* mode : {m_systemProxy, m_noProxy, m_manual}) {
        connect(mode, &QRadioButton::toggled, this, [this] {
            // The manual fields count only for a manual proxy.
            m_proxyHost->setText(m_proxyHost->text());
            m_proxyPort->setText(m_proxyPort->text());
            refresh();
        });
    }
    connect(m_proxyKind, &QComboBox::currentIndexChanged, this, [this](int kind) {
        // The usual port of the kind, unless the user typed another.
        const QString http = QString::number(kDefaultHttpPort);
        const QString socks = QString::number(kDefaultSocksPort);
        if (m_proxyPort->text() == http || m_proxyPort->text() == socks || m_proxyPort->text().isEmpty()) {
            m_proxyPort->setText(kind == 1 ? socks : http);
        }
    });
    for (SettingField* field :
         {m_tlds, m_settle, m_pace, m_whoisFirst, m_whoisSecond, m_proxyHost, m_proxyPort, m_proxyUser}) {
        field->changed = [this] { refresh(); };
    }
    return page;
}

bool PreferencesWindow::manualProxy() const
{
    return m_manual != nullptr && m_manual->isChecked();
}

void PreferencesWindow::load()
{
    m_tlds->setText(QString::fromStdString(loadTldFilter().text()));
    m_settle->setText(QString::number(loadSettleSeconds()));
    const LookupChoices choices = loadLookupChoices();
    (choices.rdap ? m_rdap : m_whoisPages)->setChecked(true);
    m_listUnregistered->setChecked(choices.listUnregistered);
    m_pace->setText(QLocale::c().toString(choices.requestsPerSecond, 'g', 6));
    const WhoisServices services = loadWhoisServices();
    m_whoisFirst->setText(QString::fromStdString(services.first.host));
    m_whoisSecond->setText(QString::fromStdString(services.second.host));

    const ProxyChoice proxy = loadProxyChoice();
    m_proxyKind->setCurrentIndex(proxy.kind == ProxyKind::Socks5 ? 1 : 0);
    m_proxyHost->setText(QString::fromStdString(proxy.host));
    m_proxyPort->setText(QString::number(proxy.port));
    m_proxyUser->setText(QString::fromStdString(proxy.user));
    m_proxyPassword->setText(proxy == proxyInUse() ? QString::fromStdString(proxyPasswordInUse())
                                                   : QString());
    (proxy.mode == ProxyMode::Manual ? m_manual
     : proxy.mode == ProxyMode::None ? m_noProxy
                                     : m_systemProxy)
        ->setChecked(true);
    m_secretNote->setText(
        m_context.storeStatus == SecretStore::Status::NoStore
            ? QStringLiteral("No secret store is running: the password is kept for this session only")
            : QStringLiteral("The password is kept in the desktop's secret store"));
}

void PreferencesWindow::refresh()
{
    const bool manual = manualProxy();
    for (QWidget* field : std::initializer_list<QWidget*>{m_proxyKind, m_proxyHost, m_proxyPort, m_proxyUser,
                                                          m_proxyPassword}) {
        field->setEnabled(manual);
    }
    bool allValid = true;
    for (const SettingField* field :
         {m_tlds, m_settle, m_pace, m_whoisFirst, m_whoisSecond, m_proxyHost, m_proxyPort, m_proxyUser}) {
        allValid = allValid && field->valid();
    }
    m_buttons->button(QDialogButtonBox::Save)->setEnabled(allValid);
}

void PreferencesWindow::showRdapServersDate()
{
    const QFileInfo file(QString::fromStdString(m_context.rdapServersFile.string()));
    m_rdapServersDate->setText(
        file.exists()
            ? QStringLiteral("File of %1").arg(file.lastModified().toString(QStringLiteral("yyyy-MM-dd")))
            : QStringLiteral("No file yet"));
}

void PreferencesWindow::save()
{
    refresh();
    if (!m_buttons->button(QDialogButtonBox::Save)->isEnabled()) {
        return;
    }
    saveTldFilter(*TldFilter::parse(m_tlds->text().toStdString(), nullptr, &internationalHostToAscii));
    saveSettleSeconds(m_settle->text().toInt());
    LookupChoices choices;
    choices.rdap = m_rdap->isChecked();
    choices.listUnregistered = m_listUnregistered->isChecked();
    choices.requestsPerSecond = decimal(m_pace->text()).value_or(1);
    saveLookupChoices(choices);
    saveWhoisHosts(*checkedHostAndPort(m_whoisFirst->text().toStdString(), nullptr),
                   *checkedHostAndPort(m_whoisSecond->text().toStdString(), nullptr));

    ProxyChoice proxy = loadProxyChoice();
    proxy.mode = m_manual->isChecked()    ? ProxyMode::Manual
                 : m_noProxy->isChecked() ? ProxyMode::None
                                          : ProxyMode::System;
    if (proxy.mode == ProxyMode::Manual) {
        proxy.kind = m_proxyKind->currentIndex() == 1 ? ProxyKind::Socks5 : ProxyKind::Http;
        proxy.host = *checkedProxyHost(m_proxyHost->text().toStdString(), nullptr);
        proxy.port = *checkedPort(m_proxyPort->text().toStdString(), nullptr);
        proxy.user = m_proxyUser->text().toStdString();
    }
    const std::string password = proxy.user.empty() ? std::string() : m_proxyPassword->text().toStdString();
    saveProxyChoice(proxy);
    if (m_context.secrets != nullptr && proxy.mode == ProxyMode::Manual && !proxy.user.empty()) {
        m_context.storeStatus = saveProxyPassword(*m_context.secrets, proxy, password);
    }
    useProxy(proxy, password);
    load();
    refresh();
    if (saved) {
        saved();
    }
    const bool restart = browserProxyOutdated();
    const bool noStore = m_context.storeStatus == SecretStore::Status::NoStore && !password.empty();
    m_restartNote->setText(
        restart ? QStringLiteral("Search and whois pages use the new proxy from the next start; "
                                 "RDAP and the updates use it now")
                : QString());
    // Said where it is read: the window stays open when something waits for the user.
    if (restart || noStore) {
        m_pages->setCurrentIndex(2);
        return;
    }
    accept();
}

} // namespace ostrevo
