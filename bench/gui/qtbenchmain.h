// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The main() of a benchmark of widgets: an offscreen QApplication named as
// the program names it, so that settings are read as they are when shipped
// (from the test-mode folder, never the user's own), around the usual Google
// Benchmark run.

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <functional>

namespace ostrevo::bench {

// `setUp` runs once the application exists, `tearDown` before it goes.
inline int runBenchmarksInApplication(int argc, char** argv, const std::function<void()>& setUp = {},
                                      const std::function<void()>& tearDown = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationName(QStringLiteral("Ostrevo"));
    if (setUp) {
        setUp();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (tearDown) {
        tearDown();
    }
    return 0;
}

} // namespace ostrevo::bench
