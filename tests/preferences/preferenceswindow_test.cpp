// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The Preferences window refuses what its checks refuse, saying why, stores
// nothing refused, resets to defaults, and what it saves reaches the main
// window's short cuts and the proxy in use.
#include "app/startup.h"
#include "lookup/lookupchoices.h"
#include "lookup/whoissetting.h"
#include "net/activeproxy.h"
#include "net/proxysetting.h"
#include "net/tldsetting.h"
#include "platform/eventpump.h"
#include "platform/settings.h"
#include "platform/statuspanels.h"
#include "preferences/preferenceswindow.h"
#include "preferences/settingfield.h"
#include "preferences/settlesetting.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

template <typename T> T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QPushButton* saveButton(QWidget& window)
{
    return window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
}

class Preferences : public ::testing::Test {
protected:
    void TearDown() override { useProxy({}, {}); }
    MemorySecretStore secrets;
};

TEST_F(Preferences, ARefusedValueSaysWhyInItsFieldAndNothingIsStored)
{
    PreferencesWindow window({&secrets});
    const QStringList keys = QSettings().allKeys();
    const struct {
        const char* field;
        const char* typed;
        const char* reason;
    } refused[] = {
        {"Settle", "0", "A whole number of seconds from 1 to 60"},
        {"Settle", "5s", "A whole number of seconds from 1 to 60"},
        {"Pace", "250", "A number from 0.1 to 100"},
        {"Pace", "nan", "A number from 0.1 to 100"},
        {"WhoisFirst", "who is.example", "Not a host name"},
        {"WhoisSecond", "whois.example:70000", "A port is a number from 1 to 65535"},
        {"Tlds", "co.uk", ""},
    };
    for (const auto& c : refused) {
        auto* field = child<SettingField>(window, c.field);
        field->edit()->setText(QString::fromLatin1(c.typed));
        EXPECT_FALSE(field->valid()) << c.field << " " << c.typed;
        EXPECT_TRUE(field->hint()->text().startsWith(QString::fromLatin1(c.reason)))
            << field->hint()->text().toStdString();
        EXPECT_TRUE(field->hint()->text().contains(QStringLiteral("Default: "))) << c.field;
        EXPECT_FALSE(saveButton(window)->isEnabled()) << c.field;
        window.save();
        EXPECT_EQ(QSettings().allKeys(), keys) << c.field;
        field->resetButton()->click();
        EXPECT_TRUE(field->valid()) << c.field;
        EXPECT_TRUE(saveButton(window)->isEnabled()) << c.field;
    }

    // A manual proxy needs a host; the other choices do not look at it.
    child<QRadioButton>(window, "ProxyManual")->setChecked(true);
    EXPECT_FALSE(saveButton(window)->isEnabled());
    EXPECT_TRUE(child<QLabel>(window, "ProxyHostHint")->text().startsWith(QStringLiteral("Enter the proxy")));
    child<QToolButton>(window, "ProxyReset")->click();
    EXPECT_TRUE(saveButton(window)->isEnabled());
}

TEST_F(Preferences, WhatIsSavedIsStoredAndPutToUse)
{
    PreferencesWindow window({&secrets});
    int saves = 0;
    window.saved = [&] { ++saves; };
    child<SettingField>(window, "Tlds")->edit()->setText(QStringLiteral(".org .de"));
    child<SettingField>(window, "Settle")->edit()->setText(QStringLiteral("12"));
    child<QRadioButton>(window, "SourceWhoisPages")->setChecked(true);
    child<QCheckBox>(window, "ListUnregistered")->setChecked(true);
    child<SettingField>(window, "Pace")->edit()->setText(QStringLiteral("2,5"));
    child<SettingField>(window, "WhoisFirst")->edit()->setText(QStringLiteral("Whois.Example:8080"));
    child<QRadioButton>(window, "ProxyManual")->setChecked(true);
    child<SettingField>(window, "ProxyHost")->edit()->setText(QStringLiteral("proxy.example.org"));
    child<SettingField>(window, "ProxyUser")->edit()->setText(QStringLiteral("ann"));
    child<QLineEdit>(window, "ProxyPassword")->setText(QStringLiteral("pa55"));
    saveButton(window)->click();

    EXPECT_EQ(saves, 1);
    EXPECT_EQ(loadTldFilter().text(), ".de .org");
    EXPECT_EQ(loadSettleSeconds(), 12);
    const LookupChoices choices = loadLookupChoices();
    EXPECT_FALSE(choices.rdap);
    EXPECT_TRUE(choices.listUnregistered);
    EXPECT_DOUBLE_EQ(choices.requestsPerSecond, 2.5);
    EXPECT_EQ(loadWhoisServices().first.host, "whois.example:8080");
    EXPECT_EQ(loadWhoisServices().second.host, defaultWhoisServices().second.host);
    const ProxyChoice proxy{ProxyMode::Manual, ProxyKind::Http, "proxy.example.org", 3128, "ann"};
    EXPECT_EQ(loadProxyChoice(), proxy);
    EXPECT_EQ(proxyInUse(), proxy);
    EXPECT_EQ(proxyPasswordInUse(), "pa55");
    EXPECT_EQ(loadProxyPassword(secrets, proxy, nullptr), "pa55");
    EXPECT_EQ(proxyAddressFor(QUrl(QStringLiteral("https://rdap.example/"))), "proxy.example.org:3128");
}

TEST_F(Preferences, TheMainWindowOpensItWithItsKeyAndItsShortCutsFollowTheSave)
{
    QSettings().clear();
    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    EventPump pump(ticks);
    StartupWindows windows =
        createWindows(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{});
    TForm1& form = *windows.Form1;
    // A new installation looks up with RDAP, and the status bar says so.
    EXPECT_TRUE(form.LookUpWithRdap->isChecked());
    EXPECT_TRUE(form.StatusBar1->notice().startsWith(QStringLiteral("Looking up with RDAP")));
    EXPECT_EQ(form.Preferences->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    form.Preferences->trigger();
    auto* window = form.findChild<PreferencesWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    child<QRadioButton>(*window, "SourceWhoisPages")->setChecked(true);
    child<QCheckBox>(*window, "ListUnregistered")->setChecked(true);
    window->save();
    EXPECT_TRUE(form.LookUpWithWhoisPages->isChecked());
    EXPECT_TRUE(form.ListUnregisteredHosts->isChecked());
}

TEST(LookupChoices, ANewInstallationUsesRdapAndAnOlderOneKeepsTheWhoisPages)
{
    QSettings().clear();
    bool first = false;
    EXPECT_TRUE(loadLookupChoices(&first).rdap);
    EXPECT_TRUE(first);
    EXPECT_TRUE(loadLookupChoices(&first).rdap);
    EXPECT_FALSE(first);

    QSettings().clear();
    // Settings from before the choice existed: the whois pages, as then.
    store(settingskey::Keywords, QStringLiteral("garden"));
    EXPECT_FALSE(loadLookupChoices(&first).rdap);
    EXPECT_FALSE(first);
}

} // namespace
} // namespace ostrevo
