// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "scriptedprompts.h"

#include <gtest/gtest.h>

namespace ostrevo::test {
namespace {

template <typename Answer> bool take(std::deque<Answer>& answers, Answer& answer)
{
    if (answers.empty()) {
        return false;
    }
    answer = std::move(answers.front());
    answers.pop_front();
    return true;
}

} // namespace

ScriptedPrompts::~ScriptedPrompts()
{
    const auto unused = m_questions.size() + m_saveChoices.size() + m_inputs.size() + m_choices.size() +
                        m_openFiles.size() + m_saveFiles.size();
    EXPECT_EQ(unused, 0u) << "answers prepared for prompts that never came: " << m_questions.size()
                          << " question(s), " << m_inputs.size() << " input(s), " << m_choices.size()
                          << " choice(s), " << m_openFiles.size() << " open dialog(s), " << m_saveFiles.size()
                          << " save dialog(s)";
}

std::vector<QString> ScriptedPrompts::errors() const
{
    const QString prefix = QStringLiteral("error: ");
    std::vector<QString> texts;
    for (const QString& line : m_log) {
        if (line.startsWith(prefix)) {
            texts.push_back(line.mid(prefix.size()));
        }
    }
    return texts;
}

void ScriptedPrompts::information(const QString& text)
{
    m_log.push_back(QStringLiteral("information: ") + text);
}

bool ScriptedPrompts::question(const QString& text)
{
    m_log.push_back(QStringLiteral("question: ") + text);
    bool yes = false;
    if (!take(m_questions, yes)) {
        ADD_FAILURE() << "unanswered question: " << text.toStdString();
    }
    return yes;
}

SaveChoice ScriptedPrompts::saveOrDiscard(const QString& text)
{
    m_log.push_back(QStringLiteral("save or discard: ") + text);
    SaveChoice choice = SaveChoice::Cancel;
    if (!take(m_saveChoices, choice)) {
        ADD_FAILURE() << "unanswered save question: " << text.toStdString();
    }
    return choice;
}

void ScriptedPrompts::error(const QString& text)
{
    m_log.push_back(QStringLiteral("error: ") + text);
}

std::optional<QString> ScriptedPrompts::inputText(const QString& caption, const QString& prompt,
                                                  const QString& initial)
{
    m_log.push_back(QStringLiteral("input: ") + caption + QStringLiteral(" | ") + prompt +
                    QStringLiteral(" | ") + initial);
    std::optional<QString> answer;
    if (!take(m_inputs, answer)) {
        ADD_FAILURE() << "unanswered input box: " << prompt.toStdString();
    }
    return answer;
}

std::optional<int> ScriptedPrompts::chooseItem(const QString& caption, const QString& prompt,
                                               const QStringList& items, int initialIndex)
{
    m_log.push_back(QStringLiteral("choose: ") + caption + QStringLiteral(" | ") + prompt +
                    QStringLiteral(" | ") + items.join(QStringLiteral("; ")) + QStringLiteral(" | ") +
                    items.value(initialIndex));
    std::optional<int> answer;
    if (!take(m_choices, answer)) {
        ADD_FAILURE() << "unanswered choice: " << prompt.toStdString();
    }
    return answer;
}

std::optional<QString> ScriptedPrompts::openFileName(const FileDialogRequest& request)
{
    m_log.push_back(QStringLiteral("open: ") + request.title);
    m_lastFileRequest = request;
    std::optional<QString> answer;
    if (!take(m_openFiles, answer)) {
        ADD_FAILURE() << "unanswered open dialog: " << request.title.toStdString();
    }
    return answer;
}

std::optional<QString> ScriptedPrompts::saveFileName(const FileDialogRequest& request)
{
    m_log.push_back(QStringLiteral("save: ") + request.title);
    m_lastFileRequest = request;
    std::optional<QString> answer;
    if (!take(m_saveFiles, answer)) {
        ADD_FAILURE() << "unanswered save dialog: " << request.title.toStdString();
    }
    return answer;
}

} // namespace ostrevo::test
