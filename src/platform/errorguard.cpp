// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/errorguard.h"

#include <QString>
#include <QtGlobal>

namespace ostrevo {
namespace {

// The error box itself must not throw out of the guard: the guard is noexcept,
// and a failure here would end the program instead of the command.
void showMessage(Prompts* prompts, const QString& text) noexcept
{
    try {
        if (prompts == nullptr) {
            qWarning("%s", qUtf8Printable(text));
            return;
        }
        prompts->error(text);
    } catch (...) {
        qWarning("Could not show an error message");
    }
}

} // namespace

void showError(Prompts* prompts, const std::exception& error)
{
    QString text;
    try {
        text = QString::fromUtf8(error.what());
    } catch (...) {
        text = QStringLiteral("Out of memory");
    }
    showMessage(prompts, text);
}

void showUnknownError(Prompts* prompts)
{
    showMessage(prompts, QStringLiteral("An unknown error occurred."));
}

} // namespace ostrevo
