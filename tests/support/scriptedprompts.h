// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Prompts answered ahead of time. Every call is logged as one line of text,
// e.g. "question: stop the search ?". A question nobody answered, or an answer
// nobody asked for, fails the test.

#include "platform/prompts.h"

#include <deque>
#include <vector>

namespace ostrevo::test {

class ScriptedPrompts final : public Prompts {
public:
    ScriptedPrompts() = default;
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void answerQuestion(bool yes) { m_questions.push_back(yes); }
    void answerSaveOrDiscard(SaveChoice choice) { m_saveChoices.push_back(choice); }
    // std::nullopt answers as Cancel.
    void answerInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    // std::nullopt answers as Cancel.
    void answerChoice(std::optional<int> index) { m_choices.push_back(index); }
    void answerOpenFile(std::optional<QString> fileName) { m_openFiles.push_back(std::move(fileName)); }
    void answerSaveFile(std::optional<QString> fileName) { m_saveFiles.push_back(std::move(fileName)); }

    // "information: ...", "question: ...", "error: ...",
    // "input: <caption> | <prompt> | <initial>",
    // "choose: <caption> | <prompt> | <item>; <item>... | <initial item>",
    // "open: <title>", "save: <title>".
    const std::vector<QString>& log() const { return m_log; }
    void clearLog() { m_log.clear(); }
    // The texts of the error boxes alone.
    std::vector<QString> errors() const;
    // The last open or save request, to check its filters and suffix.
    const FileDialogRequest& lastFileRequest() const { return m_lastFileRequest; }

    void information(const QString& text) override;
    bool question(const QString& text) override;
    SaveChoice saveOrDiscard(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<int> chooseItem(const QString& caption, const QString& prompt, const QStringList& items,
                                  int initialIndex) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;

private:
    std::vector<QString> m_log;
    std::deque<bool> m_questions;
    std::deque<SaveChoice> m_saveChoices;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::optional<int>> m_choices;
    std::deque<std::optional<QString>> m_openFiles;
    std::deque<std::optional<QString>> m_saveFiles;
    FileDialogRequest m_lastFileRequest;
};

} // namespace ostrevo::test
