// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/interruptwatch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace ostrevo::cli {

namespace {

int s_pipe[2] = {-1, -1};
struct sigaction s_oldInt {};
struct sigaction s_oldTerm {};

void onSignal(int signal)
{
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    // A full pipe drops the byte: enough signals are waiting already.
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

InterruptWatch::InterruptWatch(std::function<void(int)> interrupted) : m_interrupted(std::move(interrupted))
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        s_pipe[0] = s_pipe[1] = -1;
        return; // without the pipe, Ctrl+C ends the program the usual way
    }
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { drain(); });
    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &s_oldInt);
    ::sigaction(SIGTERM, &action, &s_oldTerm);
}

InterruptWatch::~InterruptWatch()
{
    if (s_pipe[0] < 0) {
        return;
    }
    ::sigaction(SIGINT, &s_oldInt, nullptr);
    ::sigaction(SIGTERM, &s_oldTerm, nullptr);
    delete m_notifier;
    ::close(s_pipe[0]);
    ::close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
}

void InterruptWatch::drain()
{
    char received[64];
    ssize_t got = 0;
    while ((got = ::read(s_pipe[0], received, sizeof received)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
            if (m_firstSignal == 0) {
                m_firstSignal = received[i];
            }
            ++m_count;
            if (m_interrupted) {
                m_interrupted(received[i]);
            }
        }
    }
}

} // namespace ostrevo::cli
