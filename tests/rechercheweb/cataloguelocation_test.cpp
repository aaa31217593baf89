// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/cataloguelocation.h"

#include "platform/errors.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    test::writeFile(path, content);
}

class CatalogueLocationTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    fs::path home = temp.path() / "home";
    fs::path bin = temp.path() / "usr/bin";
    fs::path shipped = temp.path() / "usr/share/ostrevo/listex.txt";
    fs::path userData = temp.path() / "home/.local/share/Ostrevo";
};

TEST_F(CatalogueLocationTest, ACatalogueInTheCurrentFolderIsUsedAsItStands)
{
    write(home / "listex.txt", "Mine\r\n");
    write(shipped, "Shipped\r\n");
    const CatalogueLocation location = chooseCatalogueLocation(home, bin, userData, {shipped});
    EXPECT_EQ(location.readFolder, home);
    EXPECT_EQ(location.updateFolder, home) << "updated where it is read, not in the program's folder";
    EXPECT_FALSE(fs::exists(userData / "listex.txt"));
}

TEST_F(CatalogueLocationTest, FirstStartWithoutOneCopiesTheShippedCatalogueForTheUser)
{
    fs::create_directories(home);
    write(shipped, "Shipped\r\nhttp://x/?q=\r\n");
    const CatalogueLocation location =
        chooseCatalogueLocation(home, bin, userData, {bin / "listex.txt", shipped});
    EXPECT_EQ(location.readFolder, userData);
    EXPECT_EQ(location.updateFolder, userData);
    EXPECT_EQ(test::readFile(userData / "listex.txt"), "Shipped\r\nhttp://x/?q=\r\n");
}

TEST_F(CatalogueLocationTest, TheUsersUpdatedCopyIsNeverOverwritten)
{
    fs::create_directories(home);
    write(shipped, "Shipped\r\n");
    write(userData / "listex.txt", "Updated\r\n");
    chooseCatalogueLocation(home, bin, userData, {shipped});
    EXPECT_EQ(test::readFile(userData / "listex.txt"), "Updated\r\n");
}

TEST_F(CatalogueLocationTest, WithNothingShippedTheUserFolderIsStillTheWritablePlace)
{
    fs::create_directories(home);
    const CatalogueLocation location = chooseCatalogueLocation(home, bin, userData, {shipped});
    EXPECT_EQ(location.readFolder, userData);
    EXPECT_FALSE(fs::exists(userData / "listex.txt"));
}

TEST_F(CatalogueLocationTest, AUserFolderThatCannotBeMadeIsAClearError)
{
    write(shipped, "Shipped\r\n");
    write(temp.path() / "home/.local/share", "a file where a folder should be");
    EXPECT_THROW(chooseCatalogueLocation(home, bin, userData, {shipped}), FileCreateError);
}

} // namespace
} // namespace ostrevo
