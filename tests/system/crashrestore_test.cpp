// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The real program, killed in the middle of a lookup against loopback whois
// pages, offers the rows it had found at the next start.
#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/settings.h"
#include "resultlist/rowjournal.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "loopbackhttpserver.h"
#include "scriptedprompts.h"
#include "systemsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(CrashRestore, RowsOfAKilledLookupAreOfferedAtTheNextStart)
{
    test::LoopbackHttpServer server;
    const auto record = [](const std::string& host, httplib::Response& response) {
        response.set_content("<html><body><pre>Domain Name: " + host + "\nRegistrant Email: owner@" + host +
                                 "\nRegistry Expiry Date: 2029-02-03T05:00:00Z\n</pre></body></html>",
                             "text/html");
    };
    server.get("/cgi-bin/whois/whois", [&](const httplib::Request& request, httplib::Response& response) {
        record(request.get_param_value("STRING"), response);
    });
    server.get("/whois", [&](const httplib::Request& request, httplib::Response& response) {
        record(request.get_param_value("domain"), response);
    });
    server.start();
    const QString loopback = QStringLiteral("127.0.0.1:%1").arg(server.port());
    store(settingskey::WhoisFirst, loopback);
    store(settingskey::WhoisSecond, loopback);

    const test::TempFolder folder;
    std::string hosts;
    for (int i = 0; i < 20; ++i) {
        hosts += "host" + std::to_string(i) + ".com\r\n";
    }
    test::writeFile(folder / "hosts.txt", hosts);
    const std::filesystem::path journal =
        QFile::encodeName(userDataFolder()).toStdString() + "/lookup-journal.csv";

    // Started on a list of hosts to look up, it journals each row as it comes.
    QProcess program;
    program.setWorkingDirectory(QStringLiteral(OSTREVO_PROGRAM_FOLDER));
    program.start(QStringLiteral(OSTREVO_PROGRAM),
                  QStringList{QFile::decodeName((folder / "hosts.txt").c_str())});
    ASSERT_TRUE(program.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (readRowJournal(journal).size() < 2 && waited.elapsed() < 60000 &&
           program.state() == QProcess::Running) {
        program.waitForFinished(100);
    }
    program.kill();
    program.waitForFinished();
    // Offscreen and as root the platform has its say; the engine's dump is gone.
    const QByteArray said = program.readAllStandardOutput() + program.readAllStandardError();
    EXPECT_FALSE(said.contains("webenginecontext")) << said.toStdString();
    const std::size_t journalled = readRowJournal(journal).size();
    ASSERT_GE(journalled, 2u);

    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    EventPump pump(ticks);
    TForm1 next(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{});
    next.setJournalFile(journal);
    prompts.answerQuestion(true);
    next.offerJournalRestore();
    ASSERT_EQ(static_cast<std::size_t>(next.table().RowCount()), journalled);
    EXPECT_EQ(next.table().Row(0).Caption(), "http://host0.com");
    EXPECT_EQ(next.table().Row(0).SubItems(),
              (std::vector<std::string>{"mailto:owner@host0.com", "2029/02/03"}));
}

} // namespace
} // namespace ostrevo
