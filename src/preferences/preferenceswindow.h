// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The Preferences window: every setting the program keeps, on pages in the
// order of its work (Search, Lookup, Network). Each field shows its default
// and can be reset; a value its check refuses says why in the field and keeps
// Save unavailable, so nothing refused is ever stored.

#include "net/secretstore.h"

#include <QDialog>

#include <filesystem>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ostrevo {

class SettingField;

struct PreferencesContext {
    SecretStore* secrets = nullptr;
    // What the store said when the password was read at start.
    SecretStore::Status storeStatus = SecretStore::Status::Done;
    std::filesystem::path rdapServersFile;
    // Runs the RDAP servers' update, with its own messages.
    std::function<void()> updateRdapServers;
};

class PreferencesWindow final : public QDialog {
public:
    explicit PreferencesWindow(PreferencesContext context, QWidget* parent = nullptr);

    // Stores every field (all pass their checks), puts the proxy to use, and
    // runs `saved`. The window stays open when the proxy needs a next start.
    void save();
    // After a save, once everything is stored and in use.
    std::function<void()> saved;

    QTabWidget* pages() const { return m_pages; }
    // What the secret store said last: at start, or when a password was saved.
    SecretStore::Status storeStatus() const { return m_context.storeStatus; }

private:
    QWidget* buildSearchPage();
    QWidget* buildLookupPage();
    QWidget* buildNetworkPage();
    void load();
    void refresh();
    void showRdapServersDate();
    bool manualProxy() const;

    PreferencesContext m_context;
    QTabWidget* m_pages = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    SettingField* m_tlds = nullptr;
    SettingField* m_settle = nullptr;
    QRadioButton* m_rdap = nullptr;
    QRadioButton* m_whoisPages = nullptr;
    QCheckBox* m_listUnregistered = nullptr;
    SettingField* m_pace = nullptr;
    SettingField* m_whoisFirst = nullptr;
    SettingField* m_whoisSecond = nullptr;
    QLabel* m_rdapServersDate = nullptr;
    QRadioButton* m_systemProxy = nullptr;
    QRadioButton* m_noProxy = nullptr;
    QRadioButton* m_manual = nullptr;
    QComboBox* m_proxyKind = nullptr;
    SettingField* m_proxyHost = nullptr;
    SettingField* m_proxyPort = nullptr;
    SettingField* m_proxyUser = nullptr;
    QLineEdit* m_proxyPassword = nullptr;
    QLabel* m_secretNote = nullptr;
    QLabel* m_restartNote = nullptr;
};

} // namespace ostrevo
