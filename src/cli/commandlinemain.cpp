// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/commandlinemain.h"

#include "cli/commandline.h"
#include "cli/exitcodes.h"
#include "cli/lookupcommand.h"
#include "cli/searchcommand.h"
#include "cli/standardoutput.h"
#include "net/proxysetting.h"
#include "net/secretstore.h"
#include "pageloader/qtpageloader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace ostrevo::cli {

namespace {

bool s_verbose = false;

// Qt's and the browser engine's own messages would fill a script's log:
// they are shown with --verbose only.
void filterMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (s_verbose || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

// The browser engine without a display: it draws nothing, so it is always
// offscreen, and as root it must go without its sandbox, which it refuses.
void prepareHeadlessBrowser()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    prepareBrowserEngine();
}

} // namespace

std::optional<int> runCommandLine(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const CommandLine command = parseCommandLine(arguments);
    switch (command.kind) {
    case CommandKind::Window:
        return std::nullopt;
    case CommandKind::Help:
        writeStandardOutput(command.text);
        return exitcode::Done;
    case CommandKind::UsageError: {
        // Only the two commands' arguments can be wrong.
        const std::string name = arguments.front();
        std::fprintf(stderr, "ostrevo %s: %s\nTry 'ostrevo %s --help'.\n", name.c_str(), command.text.c_str(),
                     name.c_str());
        return exitcode::Usage;
    }
    case CommandKind::Lookup:
    case CommandKind::Search:
        break;
    }

    const Verbosity verbosity =
        command.kind == CommandKind::Lookup ? command.lookup.verbosity : command.search.verbosity;
    s_verbose = verbosity == Verbosity::Verbose;
    qInstallMessageHandler(&filterMessages);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrevo"));
    QCoreApplication::setApplicationName(QStringLiteral("Ostrevo"));
    const bool browser = command.kind == CommandKind::Search || lookupNeedsBrowser(command.lookup);
    std::unique_ptr<QCoreApplication> app;
    if (browser) {
        prepareHeadlessBrowser();
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The commands go out through the same proxy as the windows.
    if (useStoredProxy(*makeDesktopSecretStore()) == SecretStore::Status::NoStore) {
        std::fputs("ostrevo: no secret store is running, so the proxy is used without its password\n",
                   stderr);
    }
    return command.kind == CommandKind::Lookup ? runLookupCommand(command.lookup)
                                               : runSearchCommand(command.search);
}

} // namespace ostrevo::cli
