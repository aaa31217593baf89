// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// What the file system itself may hold against the program: FIFOs, devices,
// folders and links planted by someone else.
#include "platform/filereading.h"
#include "platform/replacingfile.h"
#include "resultlist/rowjournal.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;

// Another user's id, for links and folders "someone else" placed; only root may hand them out.
constexpr uid_t Nobody = 65534;

TEST(UntrustedFiles, OnlyRegularFilesAreReadAndNothingBlocks)
{
    TempFolder folder;
    const fs::path fifo = folder.file("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    folder.write("real.csv", "a,b\r\n");
    fs::create_symlink(folder.file("real.csv"), folder.file("link.csv"));
    fs::create_directory(folder.file("folder.csv"));
    const struct {
        fs::path path;
        FollowLinks follow;
        std::optional<FileReadError::Kind> refused;
    } cases[] = {
        {fifo, FollowLinks::Yes, FileReadError::Kind::NotRegular},
        {"/dev/zero", FollowLinks::Yes, FileReadError::Kind::NotRegular},
        {folder.file("folder.csv"), FollowLinks::Yes, FileReadError::Kind::Folder},
        {folder.file("link.csv"), FollowLinks::No, FileReadError::Kind::NotRegular},
        {folder.file("link.csv"), FollowLinks::Yes, std::nullopt},
        {folder.file("missing.csv"), FollowLinks::Yes, FileReadError::Kind::NotFound},
    };
    for (const auto& c : cases) {
        std::optional<FileReadError::Kind> kind;
        try {
            EXPECT_EQ(readWholeFile(c.path, 1024, c.follow), "a,b\r\n");
        } catch (const FileReadError& error) {
            kind = error.kind();
        }
        EXPECT_EQ(kind, c.refused) << c.path;
    }
}

TEST(UntrustedFiles, ASaveReplacesALinkSomeoneElsePlacedInsteadOfItsTarget)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a link to another user";
    }
    TempFolder folder;
    const fs::path victim = folder.write("victim.txt", "keep me");
    const fs::path shared = folder.file("shared");
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777); // a sticky folder everyone writes in, as /tmp
    // Placed by someone else in a folder of the user's, and by the user in someone else's folder.
    const fs::path planted = shared / "results.csv";
    fs::create_symlink(victim, planted);
    ASSERT_EQ(::lchown(planted.c_str(), Nobody, Nobody), 0);
    const fs::path own = folder.file("own.csv");
    fs::create_symlink(victim, own);

    replaceFile(planted, "rows");
    EXPECT_EQ(readFile(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(planted));
    EXPECT_EQ(readFile(planted), "rows");

    // The user's own link in the user's own folder is written through, as before.
    replaceFile(own, "mine");
    EXPECT_TRUE(fs::is_symlink(own));
    EXPECT_EQ(readFile(victim), "mine");
}

TEST(UntrustedFiles, TheJournalNeverWritesThroughALink)
{
    TempFolder folder;
    const fs::path target = folder.write("bashrc", "keep me");
    const fs::path journal = folder.file("lookup-journal.csv");
    fs::create_symlink(target, journal);
    {
        RowJournal rows(journal);
        rows.append({"http://a.com", "mailto:x@a.com", "2030/01/01"});
    }
    EXPECT_EQ(readFile(target), "keep me");
    EXPECT_TRUE(readRowJournal(journal).empty());
}

} // namespace
} // namespace ostrevo
