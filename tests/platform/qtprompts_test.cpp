// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/qtprompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace ostrevo {
namespace {

// Acts on the next modal dialog as soon as it is shown.
void whenDialogShows(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
};

// Records the message box, then presses `button`.
void answerBox(SeenBox& seen, QMessageBox::StandardButton button)
{
    whenDialogShows([&seen, button](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
                box->textFormat()};
        box->button(button)->click();
    });
}

TEST(QtPrompts, QuestionAnswersYesOrNo)
{
    QtPrompts prompts;
    SeenBox seen;

    answerBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(prompts.question(QStringLiteral("stop the search ?")));
    EXPECT_EQ(seen.text, QStringLiteral("stop the search ?"));
    EXPECT_EQ(seen.title, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, 2);

    answerBox(seen, QMessageBox::No);
    EXPECT_FALSE(prompts.question(QStringLiteral("stop the search ?")));
}

TEST(QtPrompts, InformationHasOnlyOk)
{
    QtPrompts prompts;
    SeenBox seen;
    answerBox(seen, QMessageBox::Ok);

    prompts.information(QStringLiteral("Done"));

    EXPECT_EQ(seen.text, QStringLiteral("Done"));
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, 1);
}

TEST(QtPrompts, ErrorIsACriticalBoxNamedAfterTheApplication)
{
    QtPrompts prompts;
    SeenBox seen;
    answerBox(seen, QMessageBox::Ok);

    prompts.error(QStringLiteral("List index out of bounds (3)"));

    EXPECT_EQ(seen.title, QStringLiteral("Ostrevo"));
    EXPECT_EQ(seen.text, QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtPrompts, MessagesShowMarkupAsPlainText)
{
    QtPrompts prompts;
    const QString text = QStringLiteral("www.x.com<font size=7>big</font>");
    const std::pair<std::function<void()>, QMessageBox::StandardButton> shows[] = {
        {[&] { prompts.information(text); }, QMessageBox::Ok},
        {[&] { prompts.error(text); }, QMessageBox::Ok},
        {[&] { prompts.question(text); }, QMessageBox::Yes}};
    for (const auto& [show, button] : shows) {
        SeenBox seen;
        answerBox(seen, button);
        show();
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.text, text);
    }
}

TEST(QtPrompts, InputGivesTheTextOrNothingWhenCancelled)
{
    QtPrompts prompts;
    QString seenLabel;
    QString seenInitial;
    whenDialogShows([&](QWidget* widget) {
        auto* input = qobject_cast<QInputDialog*>(widget);
        ASSERT_NE(input, nullptr);
        seenLabel = input->labelText();
        seenInitial = input->textValue();
        input->setTextValue(QStringLiteral("300"));
        input->accept();
    });
    EXPECT_EQ(
        prompts.inputText(QStringLiteral("Limit"), QStringLiteral("Number of links"), QStringLiteral("100")),
        QStringLiteral("300"));
    EXPECT_EQ(seenLabel, QStringLiteral("Number of links"));
    EXPECT_EQ(seenInitial, QStringLiteral("100"));

    whenDialogShows([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
    EXPECT_EQ(
        prompts.inputText(QStringLiteral("Limit"), QStringLiteral("Number of links"), QStringLiteral("100")),
        std::nullopt);
}

TEST(QtPrompts, SaveDialogAddsTheChosenEntrysSuffix)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList filters{QStringLiteral("Text files (*.txt)"), QStringLiteral("HTML page (*.htm)"),
                              QStringLiteral("All (*)")};
    // The entry picked in the dialog (-1: none), and the name it gives "results".
    const struct {
        int entry;
        const char* expected;
    } cases[] = {{-1, "results.txt"}, {1, "results.htm"}, {2, "results.txt"}};
    for (const auto& c : cases) {
        QtPrompts prompts;
        QString seenTitle;
        QStringList seenFilters;
        whenDialogShows([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr);
            seenTitle = dialog->windowTitle();
            seenFilters = dialog->nameFilters();
            if (c.entry >= 0) {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                ASSERT_NE(types, nullptr);
                for (int i = 0; i < c.entry; ++i) {
                    QTest::keyClick(types, Qt::Key_Down); // as the user picks it
                }
            }
            QMetaObject::invokeMethod(dialog, "accept");
        });

        const auto chosen =
            prompts.saveFileName({QStringLiteral("Save results"), filters, QStringLiteral("txt"),
                                  folder.filePath(QStringLiteral("results"))});

        EXPECT_EQ(chosen, folder.filePath(QString::fromLatin1(c.expected))) << c.entry;
        EXPECT_EQ(seenTitle, QStringLiteral("Save results"));
        EXPECT_EQ(seenFilters, filters);
    }
}

TEST(QtPrompts, OpenDialogCancelledGivesNothing)
{
    QtPrompts prompts;
    whenDialogShows([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });

    EXPECT_EQ(prompts.openFileName({QStringLiteral("Open"), {}, {}, {}}), std::nullopt);
}

TEST(QtPrompts, EachFileDialogOpensWhereItWasLastUsed)
{
    QTemporaryDir folder;
    QtPrompts prompts;
    const QStringList titles{QStringLiteral("Save a list"), QStringLiteral("Save results")};
    for (const QString& title : titles) {
        ASSERT_TRUE(QDir().mkpath(folder.filePath(title)));
        whenDialogShows([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            // Typed, as a user would: selectFile() leaves the name field alone
            // once that field has the focus, which comes at its own time.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(folder.filePath(title + QStringLiteral("/list.txt")));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        ASSERT_TRUE(prompts.saveFileName({title, {}, {}, {}}));
    }
    // The first dialog goes back to its own folder, not the one used last.
    for (const QString& title : titles) {
        QString opened;
        whenDialogShows([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        prompts.openFileName({title, {}, {}, {}});
        EXPECT_EQ(opened, folder.filePath(title));
    }
}

} // namespace
} // namespace ostrevo
