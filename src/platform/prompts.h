// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Every message box, input box and file dialog the windows show goes through
// this interface, so that tests can answer ahead of time and see what was asked.

#include <QString>
#include <QStringList>
#include <optional>

namespace ostrevo {

struct FileDialogRequest {
    QString title;
    QStringList filters;   // "Text files (*.txt)", ...
    QString defaultSuffix; // without the dot; empty for none
    QString fileName;      // initial file name
};

// The answers to "save before going on?".
enum class SaveChoice { Save, Discard, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;
    // Information box with an OK button.
    virtual void information(const QString& text) = 0;
    // Confirmation with Yes and No; true on Yes.
    virtual bool question(const QString& text) = 0;
    // Save / Discard / Cancel.
    virtual SaveChoice saveOrDiscard(const QString& text) = 0;
    // The application's standard error box.
    virtual void error(const QString& text) = 0;
    // Input box; nothing when cancelled.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
    // A pick from a list that cannot be edited, `initialIndex` selected; the
    // index picked, nothing when cancelled. The items must differ.
    virtual std::optional<int> chooseItem(const QString& caption, const QString& prompt,
                                          const QStringList& items, int initialIndex) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
};

} // namespace ostrevo
