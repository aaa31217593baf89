// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// main() for tests that need a QApplication: widgets on the offscreen platform,
// a browser engine that may run as root and stays off the network, and
// settings and data folders of the test's own, empty before every test.

#include "pageloader/qtpageloader.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Settings as an installation from before RDAP was the default has them:
// the whois pages. A test of a new installation clears them.
class FreshSettings final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QSettings settings;
        settings.clear();
        settings.setValue(QStringLiteral("lookup/source"), QStringLiteral("whois"));
    }
};

} // namespace

int main(int argc, char** argv)
{
    // Never the user's own: settings, journal and catalogue copy go here.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    // As a desktop session has it (Qt warns on every start without one).
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    ostrevo::prepareBrowserEngine();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationName(QStringLiteral("Ostrevo"));
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
