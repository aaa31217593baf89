// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the real program, started by a test, left behind.

#include <QProcess>

#include <gtest/gtest.h>

#include <string>

namespace ostrevo::test {

struct Outcome {
    int status = -1; // -1: it crashed or did not end in time
    std::string out;
    std::string err;
};

// Closes its input and waits for it to end.
inline Outcome outcomeOf(QProcess& program, int timeoutMs)
{
    program.closeWriteChannel();
    EXPECT_TRUE(program.waitForFinished(timeoutMs));
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput().toStdString(), program.readAllStandardError().toStdString()};
}

} // namespace ostrevo::test
