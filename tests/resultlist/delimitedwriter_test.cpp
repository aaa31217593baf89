// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"
#include "platform/replacingfile.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;
using test::writeFile;

using test::addRow;

std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path().filename());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class DelimitedWriter : public ::testing::Test {
protected:
    DelimitedWriter() { test::setUpProgramTable(table); }

    std::string save()
    {
        table.SaveToDelimitedFile(dir.file("out.csv"));
        return readFile(dir.file("out.csv"));
    }

    TempFolder dir;
    ResultTable table;
};

TEST_F(DelimitedWriter, WritesHeaderAndRowsWithCrLf)
{
    addRow(table, "s1", {"e1", "d1"});
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\ns1,e1,d1\r\n");
}

TEST_F(DelimitedWriter, WritesRowsInDisplayOrderWithoutCheckMarks)
{
    addRow(table, "http://b.com", {"mailto:b@b.com", "2026/01/02"}).SetChecked(true);
    addRow(table, "http://a.com", {"mailto:a@a.com", "2025/11/05"});
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\n"
                      "http://a.com,mailto:a@a.com,2025/11/05\r\n"
                      "http://b.com,mailto:b@b.com,2026/01/02\r\n");
}

TEST_F(DelimitedWriter, ShortRowsGetNoTrailingDelimiters)
{
    addRow(table, "caption", {"subitem0"});
    addRow(table, "d");
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\ncaption,subitem0\r\nd\r\n");
}

TEST_F(DelimitedWriter, WritesEverySubItemAlsoBeyondTheColumns)
{
    addRow(table, "a", {"1", "2", "3", "4", ""});
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\na,1,2,3,4,\"\"\r\n");
}

TEST_F(DelimitedWriter, HeaderOffAndDelimiterSet)
{
    table.SetSaveHeader(false);
    table.SetDelimiter(';');
    addRow(table, "a,b", {"c;d", "e"});
    EXPECT_EQ(save(), "\"a,b\";\"c;d\";e\r\n");
}

TEST_F(DelimitedWriter, QuotesFieldsThatWouldNotReadBack)
{
    table.SetSaveHeader(false);
    addRow(table, "http://a.com,x", {R"(say "hi")", "two\r\nlines"});
    addRow(table, "b", {"mailto:b", ""});
    addRow(table, "", {"", "x"});
    addRow(table, "");
    EXPECT_EQ(save(), ",,x\r\n"
                      "\r\n"
                      "b,mailto:b,\"\"\r\n"
                      "\"http://a.com,x\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n");
}

TEST_F(DelimitedWriter, AFieldThatLooksLikeAByteOrderMarkIsQuoted)
{
    // Found by fuzzing: saved bare, FF FE made the next load read the file as UTF-16.
    table.SetSaveHeader(false);
    addRow(table, "\xFF\xFE\xFF", {"\xEF\xBB\xBFx", "\xFE\xFFx"});
    EXPECT_EQ(save(), "\"\xFF\xFE\xFF\",\"\xEF\xBB\xBFx\",\"\xFE\xFFx\"\r\n");
}

TEST_F(DelimitedWriter, EmptyCaptionsAfterTheLastNamedAreNotWritten)
{
    table.AddColumn();
    addRow(table, "a");
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\na\r\n");
}

TEST_F(DelimitedWriter, NothingToSaveLeavesNoFileAndKeepsAnOldOne)
{
    table.SaveToDelimitedFile(dir.file("new.csv"));
    EXPECT_FALSE(fs::exists(dir.file("new.csv")));

    writeFile(dir.file("old.csv"), "old content");
    table.SaveToDelimitedFile(dir.file("old.csv"));
    EXPECT_EQ(readFile(dir.file("old.csv")), "old content");

    ResultTable noColumns;
    addRow(noColumns, "a");
    noColumns.SaveToDelimitedFile(dir.file("old.csv"));
    EXPECT_EQ(readFile(dir.file("old.csv")), "old content");
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"old.csv"});
}

TEST_F(DelimitedWriter, ReplacesAnExistingFileCompletely)
{
    writeFile(dir.file("out.csv"), std::string(10000, 'x'));
    addRow(table, "a");
    EXPECT_EQ(save(), "Web sites,Email,Expires\r\na\r\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"out.csv"});
}

TEST_F(DelimitedWriter, KeepsPermissionsAndSymbolicLinks)
{
    writeFile(dir.file("real.csv"), "old");
    fs::permissions(dir.file("real.csv"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.csv", dir.file("link.csv"));
    addRow(table, "a");
    table.SaveToDelimitedFile(dir.file("link.csv"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.csv")));
    EXPECT_EQ(readFile(dir.file("real.csv")), "Web sites,Email,Expires\r\na\r\n");
    EXPECT_EQ(fs::status(dir.file("real.csv")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DelimitedWriter, WritesThroughAChainOfLinksToAFileNotThereYet)
{
    fs::create_directories(dir.file("sub"));
    fs::create_symlink("chain.csv", dir.file("link.csv"));
    fs::create_symlink(dir.file("sub") / "real.csv", dir.file("chain.csv"));
    addRow(table, "a");
    table.SaveToDelimitedFile(dir.file("link.csv"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.csv")));
    EXPECT_TRUE(fs::is_symlink(dir.file("chain.csv")));
    EXPECT_EQ(readFile(dir.file("sub") / "real.csv"), "Web sites,Email,Expires\r\na\r\n");
}

TEST_F(DelimitedWriter, TheNewFileIsNeverMoreOpenThanTheOld)
{
    writeFile(dir.file("private.csv"), "old");
    fs::permissions(dir.file("private.csv"), fs::perms::owner_read | fs::perms::owner_write);
    ReplacingFile file(dir.file("private.csv"));
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.status().permissions(), fs::perms::owner_read | fs::perms::owner_write)
            << entry.path();
    }
}

TEST_F(DelimitedWriter, UncreatableFileNamesTheFileAndTheReason)
{
    writeFile(dir.file("plain"), "a file, not a folder");
    addRow(table, "a");
    const fs::path target = dir.file("plain") / "out.csv";
    try {
        table.SaveToDelimitedFile(target);
        FAIL() << "no error";
    } catch (const FileCreateError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + target.string() + ": Not a directory");
    }
}

TEST_F(DelimitedWriter, FolderInTheWayFailsAndLeavesNoTemporaryFile)
{
    fs::create_directories(dir.file("out.csv") / "inside");
    addRow(table, "a");
    EXPECT_THROW(table.SaveToDelimitedFile(dir.file("out.csv")), RuntimeError);
    EXPECT_TRUE(fs::is_directory(dir.file("out.csv") / "inside"));
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"out.csv"});
}

// A file size limit makes the write itself fail part way, as a full disk
// would. The limit applies to root too, so it runs in a child process.
TEST_F(DelimitedWriter, FailedWriteKeepsTheOldFile)
{
    const std::string old = "Web sites,Email,Expires\r\nhttp://old.com,mailto:o@old.com,2020/01/01\r\n";
    writeFile(dir.file("out.csv"), old);
    for (int i = 0; i < 30000; ++i) {
        addRow(table, "http://host" + std::to_string(i) + ".com",
               {"mailto:someone@example.com", "2027/05/14"});
    }
    const std::string expected = "Cannot write file " + dir.file("out.csv").string() + ": File too large";

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        int code = 1;
        try {
            table.SaveToDelimitedFile(dir.file("out.csv"));
        } catch (const RuntimeError& error) {
            code = error.what() == expected ? 0 : 2;
        }
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: another message than " << expected;
    EXPECT_EQ(readFile(dir.file("out.csv")), old);
    EXPECT_EQ(filesIn(dir.path()), std::vector<fs::path>{"out.csv"});
}

} // namespace
} // namespace ostrevo
