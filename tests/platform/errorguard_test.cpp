// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/errorguard.h"

#include "platform/errors.h"
#include "scriptedprompts.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace ostrevo {
namespace {

using test::ScriptedPrompts;

std::vector<QString> errorsOf(const std::function<void()>& handler)
{
    ScriptedPrompts prompts;
    guarded(prompts, handler);
    return prompts.errors();
}

TEST(ErrorGuard, ShowsTheMessageOfTheErrorThatEndedTheCommand)
{
    EXPECT_EQ(errorsOf([] { throw ListIndexError(3); }),
              std::vector<QString>{QStringLiteral("List index out of bounds (3)")});
    EXPECT_EQ(errorsOf([] { throw IntegerConvertError("12a"); }),
              std::vector<QString>{QStringLiteral("'12a' is not a valid integer value")});
    EXPECT_EQ(errorsOf([] { throw EResultListError("File cannot be opened"); }),
              std::vector<QString>{QStringLiteral("File cannot be opened")});
    EXPECT_EQ(errorsOf([] { throw FileNotFoundError(); }),
              std::vector<QString>{QStringLiteral("File not found")});
    EXPECT_EQ(errorsOf([] { throw std::bad_alloc(); }),
              std::vector<QString>{QStringLiteral("std::bad_alloc")});
}

TEST(ErrorGuard, FileNamesKeepTheirCharacters)
{
    EXPECT_EQ(errorsOf([] { throw FileOpenError("/tmp/r\xC3\xA9sultats.txt"); }),
              std::vector<QString>{QStringLiteral("Cannot open file /tmp/r\u00E9sultats.txt")});
    // Bytes that are not UTF-8 are shown replaced rather than dropping the message.
    const auto shown = errorsOf([] { throw FileCreateError("bad\xFFname"); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Cannot create file bad")));
    EXPECT_TRUE(shown[0].endsWith(QStringLiteral("name")));
}

TEST(ErrorGuard, AnythingElseThrownStillEndsInTheErrorBox)
{
    EXPECT_EQ(errorsOf([] { throw 42; }), std::vector<QString>{QStringLiteral("An unknown error occurred.")});
}

TEST(ErrorGuard, WorkBeforeTheErrorStaysDoneAndNothingShowsWithoutOne)
{
    int steps = 0;
    EXPECT_EQ(errorsOf([&] {
                  ++steps;
                  throw ListIndexError(-1);
              }),
              std::vector<QString>{QStringLiteral("List index out of bounds (-1)")});
    EXPECT_EQ(steps, 1);

    EXPECT_TRUE(errorsOf([&] { ++steps; }).empty());
    EXPECT_EQ(steps, 2);
}

// A broken error box must not take the program down with it.
class ThrowingPrompts final : public Prompts {
public:
    void information(const QString&) override {}
    bool question(const QString&) override { return false; }
    SaveChoice saveOrDiscard(const QString&) override { return SaveChoice::Cancel; }
    void error(const QString&) override { throw std::runtime_error("no display"); }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<int> chooseItem(const QString&, const QString&, const QStringList&, int) override
    {
        return {};
    }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return {}; }
};

TEST(ErrorGuard, SurvivesAnErrorBoxThatFails)
{
    ThrowingPrompts prompts;
    guarded(prompts, [] { throw ListIndexError(0); });
    guarded(prompts, [] { throw 1; });
    SUCCEED();
}

} // namespace
} // namespace ostrevo
