// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/lookupcommand.h"

#include "cli/exitcodes.h"
#include "cli/hostinput.h"
#include "cli/interruptwatch.h"
#include "cli/lookupjournal.h"
#include "cli/progressline.h"
#include "cli/rowoutput.h"
#include "cli/terminalline.h"
#include "lookup/lookupchoices.h"
#include "lookup/lookupdomains.h"
#include "lookup/rdaplookuprun.h"
#include "lookup/rdapserversfile.h"
#include "lookup/whoispagerun.h"
#include "lookup/whoissetting.h"
#include "net/tldsetting.h"
#include "pageloader/qtpageloader.h"
#include "platform/errors.h"
#include "platform/eventpump.h"
#include "platform/filereading.h"
#include "platform/internationalhost.h"
#include "platform/ticksource.h"
#include "rechercheweb/shippedfiles.h"
#include "rechercheweb/urllistfile.h"
#include "resultlist/delimitedformat.h"
#include "resultlist/resulttable.h"
#include "resultlist/rowjournal.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "textscan/textkey.h"

#include <QTimer>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <unordered_set>

namespace ostrevo::cli {

namespace {

// Far more than any list of hosts; a larger input is not one.
constexpr std::size_t MaxInputBytes = std::size_t{256} << 20;
// How long an interrupted run waits for the answers already asked for.
constexpr int WindDownMs = 3000;
constexpr int RedrawMs = 250;

class InputError : public RuntimeError {
    using RuntimeError::RuntimeError;
};

std::string readStandardInput()
{
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw InputError(std::string("cannot read standard input: ") + std::strerror(errno));
        }
        if (got == 0) {
            return data;
        }
        if (data.size() + static_cast<std::size_t>(got) > MaxInputBytes) {
            throw InputError("standard input is larger than 256 MiB");
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

std::string readInput(const std::string& name)
{
    if (name == "-") {
        return readStandardInput();
    }
    try {
        return readWholeFile(name, MaxInputBytes);
    } catch (const FileReadError& error) {
        throw InputError("cannot read " + name + ": " + error.what());
    }
}

int currentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

bool isWorkbookName(const std::string& name)
{
    const std::size_t dot = name.find_last_of("./");
    const std::string extension =
        dot == std::string::npos || name[dot] == '/' ? "" : asciiLower(name.substr(dot));
    return extension == ".xls" || extension == ".xlsx";
}

// A workbook's first column as text, one cell a line: a results file saved as
// a workbook, or a list of hosts kept in a spreadsheet.
std::string workbookFirstColumn(const std::string& name)
{
    ResultTable table;
    ImportSpreadsheet(table, name, &createBuiltInSpreadsheetServer);
    std::string text;
    for (int row = 0; row < table.RowCount(); ++row) {
        text.append(table.Row(row).Caption()).push_back('\n');
    }
    return text;
}

LookupChoices choicesFor(const LookupArguments& arguments)
{
    LookupChoices choices = loadLookupChoices();
    if (arguments.rdap) {
        choices.rdap = *arguments.rdap;
    }
    choices.listUnregistered = arguments.listUnregistered;
    return choices;
}

// One lookup from start to exit status.
class LookupCommand {
public:
    explicit LookupCommand(const LookupArguments& arguments)
        : m_arguments(arguments), m_line(arguments.verbosity != Verbosity::Quiet), m_pump(m_ticks)
    {}

    int run();

private:
    int fail(int status, const std::string& text)
    {
        m_line.message("ostrevo lookup: " + text);
        return status;
    }
    std::vector<std::string> readHosts();
    std::unique_ptr<LookupRun> makeRun(const LookupChoices& choices);
    LookupHooks hooks(const std::vector<std::string>& hosts);
    void drawProgress(bool force);
    void flushAnswered();

    const LookupArguments& m_arguments;
    TerminalLine m_line;
    SteadyTickSource m_ticks;
    EventPump m_pump;
    std::unique_ptr<QtPageLoader> m_www;
    std::unique_ptr<RowOutput> m_output;
    std::unique_ptr<RowJournal> m_journal;
    LookupRun* m_run = nullptr;
    const std::vector<std::string>* m_hosts = nullptr;

    std::size_t m_total = 0;
    std::size_t m_done = 0;
    std::size_t m_doneBefore = 0; // answered in the run resumed
    std::string m_current;
    std::vector<std::string> m_unanswered;
    std::optional<std::size_t> m_answered; // a host answered, journalled once no "no answer" follows
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_lastDraw{};
    QTimer m_windDown; // how long an interrupted run waits
    bool m_windingDown = false;
    bool m_stopNow = false;
    std::string m_proxyFailure; // the proxy failed: no one is there to say try again
};

std::vector<std::string> LookupCommand::readHosts()
{
    TldFilter tlds = loadTldFilter();
    if (m_arguments.tlds) {
        std::string error;
        std::optional<TldFilter> chosen =
            TldFilter::parse(*m_arguments.tlds, &error, &internationalHostToAscii);
        if (!chosen) {
            throw std::invalid_argument("--tlds: " + error);
        }
        tlds = std::move(*chosen);
    }
    if (m_arguments.input == "-" && ::isatty(STDIN_FILENO) == 1 && m_line.isTerminal()) {
        // Without a file, someone typing the command alone would see it hang.
        m_line.message("ostrevo lookup: reading hosts from the terminal, one a line; Ctrl+D ends them");
    }
    const bool workbook = m_arguments.input != "-" && isWorkbookName(m_arguments.input);
    const std::string content =
        workbook ? workbookFirstColumn(m_arguments.input) : readInput(m_arguments.input);
    const bool html = !workbook && m_arguments.input != "-" && isHtmlListFile(m_arguments.input);
    if (!html && !content.empty() && !delimited::looksLikeText(content)) {
        throw InputError((m_arguments.input == "-" ? std::string("standard input") : m_arguments.input) +
                         " is not a text file of hosts");
    }
    // Registries answer for registered domains: sub-domains of one are one lookup.
    return registeredDomainsOf(hostsOfText(content, html, tlds, &internationalHostToAscii));
}

std::unique_ptr<LookupRun> LookupCommand::makeRun(const LookupChoices& choices)
{
    if (choices.rdap) {
        const std::filesystem::path file = shippedFile(RdapServersFileName);
        std::optional<RdapServers> servers = readRdapServersFile(file);
        if (!servers) {
            throw InputError("the list of RDAP servers " + file.string() +
                             " cannot be read: update it from the window's command menu");
        }
        return std::make_unique<RdapLookupRun>(std::move(*servers), choices, m_pump);
    }
    m_www = std::make_unique<QtPageLoader>();
    auto whois = std::make_unique<WhoisPageRun>(*m_www, m_pump, loadWhoisServices());
    whois->listUnregistered(choices.listUnregistered);
    return whois;
}

void LookupCommand::flushAnswered()
{
    if (m_answered && m_journal) {
        journalAnswered(*m_journal, (*m_hosts)[*m_answered]);
    }
    m_answered.reset();
}

LookupHooks LookupCommand::hooks(const std::vector<std::string>& hosts)
{
    const bool verbose = m_arguments.verbosity == Verbosity::Verbose;
    return {
        .asking =
            [this](const std::string& host) {
                m_current = host;
                drawProgress(false);
            },
        .progress = [this](std::size_t) { flushAnswered(); },
        .hostDone =
            [this](std::size_t host) {
                flushAnswered();
                m_answered = host;
                ++m_done;
                drawProgress(false);
            },
        .noAnswer =
            [this, &hosts, verbose](std::size_t host) {
                if (m_answered == host) {
                    m_answered.reset();
                }
                m_unanswered.push_back(hosts.at(host));
                if (verbose) {
                    m_line.message(hosts.at(host) + ": no answer");
                }
            },
        .row =
            [this, verbose](const LookupRow& row) {
                if (m_journal) {
                    journalRow(*m_journal, row);
                }
                m_output->add(row);
                if (verbose) {
                    m_line.message(row.host + ": " + (row.email.empty() ? "-" : row.email) + " " +
                                   row.expires);
                }
            },
        .notice =
            [this, verbose](const std::string& text) {
                if (verbose) {
                    m_line.message(text);
                }
            },
        .stopped = [this] { return m_stopNow; },
        .proxyFailed =
            [this](const std::string& message) {
                m_proxyFailure = message;
                return false;
            },
        .windingDown = [this] { return m_windingDown; },
    };
}

void LookupCommand::drawProgress(bool force)
{
    if (!m_line.showsProgress()) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastDraw < std::chrono::milliseconds(RedrawMs)) {
        return;
    }
    m_lastDraw = now;
    const auto clamp = [](std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, INT_MAX)); };
    // This run's pace: the hosts a resumed run had done took no time here.
    const LookupProgress progress{
        .done = m_done,
        .total = m_total,
        .resumed = m_doneBefore,
        .elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start).count(),
        .left = m_run ? m_run->remaining(clamp(m_total - m_doneBefore), clamp(m_done - m_doneBefore))
                      : Duration{},
        .current = m_current,
        .rows = m_output->rowCount(),
        .noAnswer = m_unanswered.size(),
    };
    const std::string line = lookupProgressLine(progress, m_line.width());
    m_line.show(line);
}

int LookupCommand::run()
{
    std::vector<std::string> hosts;
    std::unique_ptr<LookupRun> run;
    const std::filesystem::path journalFile = userDataPath() / LookupJournalName;
    JournalledRun resumed;
    try {
        hosts = readHosts();
        m_output = openRowOutput(m_arguments.output, currentYear());
        run = makeRun(choicesFor(m_arguments));
        if (m_arguments.resume) {
            resumed = readLookupJournal(journalFile);
        }
    } catch (const std::invalid_argument& error) {
        return fail(exitcode::Usage, error.what());
    } catch (const RuntimeError& error) {
        return fail(exitcode::FileError, error.what());
    }

    // A new run starts a new journal; a resumed one goes on with its rows.
    m_journal = std::make_unique<RowJournal>(journalFile);
    if (!m_arguments.resume) {
        m_journal->remove();
    }
    const std::unordered_set<std::string> wanted(hosts.begin(), hosts.end());
    for (const LookupRow& row : resumed.rows) {
        if (wanted.count(row.host) != 0) {
            m_output->add(row);
        }
    }
    std::vector<std::string> left;
    for (std::string& host : hosts) {
        if (resumed.answered.count(host) == 0) {
            left.push_back(std::move(host));
        }
    }
    m_total = wanted.size();
    m_doneBefore = m_done = m_total - left.size();
    m_hosts = &left;
    m_run = run.get();

    InterruptWatch interrupts([this](int) {
        // The first asks for an end after the answers under way; another, for the end now.
        m_stopNow = m_windingDown;
        m_windingDown = true;
        if (!m_windDown.isActive()) {
            m_windDown.start(WindDownMs);
        }
    });
    m_windDown.setSingleShot(true);
    QObject::connect(&m_windDown, &QTimer::timeout, [this] { m_stopNow = true; });
    QTimer redraw;
    QObject::connect(&redraw, &QTimer::timeout, [this] { drawProgress(true); });
    if (m_line.showsProgress()) {
        redraw.start(RedrawMs);
    }
    drawProgress(true);
    bool finished = true;
    try {
        finished = left.empty() || run->run(left, hooks(left));
    } catch (const RuntimeError& error) {
        // Rows found so far are in the journal: --resume goes on from them.
        m_line.clear();
        return fail(exitcode::FileError, error.what());
    }
    flushAnswered();
    redraw.stop();
    m_line.clear();

    try {
        m_output->finish();
    } catch (const RuntimeError& error) {
        return fail(exitcode::FileError,
                    std::string(error.what()) + " (the rows are kept: --resume writes them)");
    }
    if (!finished && !m_proxyFailure.empty()) {
        const std::size_t notDone = m_total - m_done;
        m_line.message("ostrevo lookup: " + m_proxyFailure + "; " + std::to_string(notDone) +
                       (notDone == 1 ? " host" : " hosts") + " not looked up; --resume goes on");
        return exitcode::SomeUnanswered;
    }
    if (!finished) {
        const std::size_t notDone = m_total - m_done;
        m_line.message("ostrevo lookup: interrupted, " + std::to_string(notDone) +
                       (notDone == 1 ? " host" : " hosts") + " not looked up; --resume goes on");
        return exitcode::interrupted(interrupts.firstSignal() != 0 ? interrupts.firstSignal() : SIGINT);
    }
    m_journal->remove();
    if (!m_unanswered.empty()) {
        std::string text = "ostrevo lookup: no answer for " + std::to_string(m_unanswered.size()) +
                           (m_unanswered.size() == 1 ? " host:" : " hosts:");
        for (const std::string& host : m_unanswered) {
            text += "\n  " + host;
        }
        m_line.message(text);
        return exitcode::SomeUnanswered;
    }
    if (m_line.showsProgress()) {
        m_line.message("ostrevo lookup: " + std::to_string(m_total) +
                       (m_total == 1 ? " host, " : " hosts, ") + std::to_string(m_output->rowCount()) +
                       (m_output->rowCount() == 1 ? " row" : " rows"));
    }
    return exitcode::Done;
}

} // namespace

bool lookupNeedsBrowser(const LookupArguments& arguments)
{
    return !(arguments.rdap ? *arguments.rdap : loadLookupChoices().rdap);
}

int runLookupCommand(const LookupArguments& arguments)
{
    LookupCommand command(arguments);
    return command.run();
}

} // namespace ostrevo::cli
