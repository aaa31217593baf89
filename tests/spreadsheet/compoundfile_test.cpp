// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/compoundfile.h"

#include "xlsbuilders.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrevo {
namespace {

using namespace test::xls;

std::string pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 31 + seed) % 251);
    }
    return bytes;
}

std::string streamOf(const std::string& file, std::string_view name)
{
    const CompoundFile compound(bytesOf(file));
    const auto stream = compound.stream(name);
    return stream ? std::string(stream->begin(), stream->end()) : "(none)";
}

// The reason a damaged file is refused.
std::string refusal(const std::string& file, std::string_view name = "Workbook")
{
    try {
        streamOf(file, name);
    } catch (const UnreadableWorkbook& error) {
        return error.what();
    }
    return "(read)";
}

TEST(CompoundFile, ReadsStreamsFromRegularSectorsAndTheMiniStream)
{
    const std::string large = pattern(5000, 1);
    const std::string small = pattern(100, 2);
    const std::string cutoff = pattern(4096, 3); // the cutoff itself is a regular stream
    const std::string file = CompoundFileBuilder()
                                 .stream("Workbook", large)
                                 .stream("Small", small)
                                 .stream("Cutoff", cutoff)
                                 .stream("Empty", "")
                                 .build()
                                 .bytes;
    EXPECT_EQ(streamOf(file, "Workbook"), large);
    EXPECT_EQ(streamOf(file, "small"), small);
    EXPECT_EQ(streamOf(file, "CUTOFF"), cutoff);
    EXPECT_EQ(streamOf(file, "Empty"), "");
    EXPECT_EQ(streamOf(file, "Book"), "(none)");
    EXPECT_EQ(streamOf(file, "Root Entry"), "(none)"); // a storage, not a stream
}

TEST(CompoundFile, FourKilobyteSectors)
{
    const std::string large = pattern(10000, 4);
    const std::string small = pattern(700, 5);
    const std::string file =
        CompoundFileBuilder(12).stream("Workbook", large).stream("Small", small).build().bytes;
    EXPECT_EQ(streamOf(file, "Workbook"), large);
    EXPECT_EQ(streamOf(file, "Small"), small);
}

TEST(CompoundFile, SectorTablesBeyondTheHeaderFollowTheDifatChain)
{
    const std::string contents = pattern(6000, 6);
    CompoundFileLayout layout =
        CompoundFileBuilder().stream("Workbook", contents).fatSectorsAtLeast(240).build();
    ASSERT_EQ(layout.difatSectors.size(), 2u);
    EXPECT_EQ(streamOf(layout.bytes, "Workbook"), contents);

    const std::size_t nextOfFirst = layout.sectorOffset(layout.difatSectors[0]) + 127 * 4;
    std::string looping = layout.bytes;
    patch32(looping, nextOfFirst, layout.difatSectors[0]);
    EXPECT_EQ(refusal(looping), "the file is damaged (its list of sector table sectors loops)");

    std::string cut = layout.bytes;
    patch32(cut, nextOfFirst, kEndOfChain);
    EXPECT_EQ(refusal(cut), "the file is damaged (its list of sector table sectors ends early)");
}

TEST(CompoundFile, BrokenSectorChainsAreDamage)
{
    const CompoundFileLayout layout =
        CompoundFileBuilder().stream("Workbook", pattern(5000, 7)).stream("Small", pattern(300, 8)).build();
    const std::uint32_t start = layout.streamStarts[0];

    std::string loop = layout.bytes;
    patch32(loop, layout.fatEntryOffset(start + 3), start + 1);
    EXPECT_EQ(refusal(loop), "the file is damaged (the stream Workbook loops)");

    std::string outside = layout.bytes;
    patch32(outside, layout.fatEntryOffset(start + 2), 0x00FFFFFF);
    EXPECT_EQ(refusal(outside), "the file is damaged (the stream Workbook points outside the file)");

    std::string early = layout.bytes;
    patch32(early, layout.fatEntryOffset(start + 2), kEndOfChain);
    EXPECT_EQ(refusal(early),
              "the file is damaged (the stream Workbook is shorter than its directory entry says)");

    std::string miniLoop = layout.bytes;
    patch32(miniLoop, layout.miniFatEntryOffset(layout.streamStarts[1] + 4), layout.streamStarts[1]);
    EXPECT_EQ(refusal(miniLoop, "Small"), "the file is damaged (the stream Small loops)");

    // A sector table sector that is not in the file.
    std::string table = layout.bytes;
    patch32(table, 76, 5000);
    EXPECT_EQ(refusal(table), "the file is damaged (a sector chain points outside the file)");

    // More sector table sectors than the file has sectors.
    std::string tableSize = layout.bytes;
    patch32(tableSize, 44, 0x10000000);
    EXPECT_EQ(refusal(tableSize), "the file is damaged (its sector table is larger than the file)");
}

TEST(CompoundFile, BrokenDirectoriesAreDamage)
{
    const CompoundFileLayout layout =
        CompoundFileBuilder().stream("First", pattern(10, 9)).stream("Workbook", pattern(5000, 10)).build();
    std::string loop = layout.bytes;
    patch32(loop, layout.directoryEntryOffset(1) + 72, 1); // First's right sibling is itself
    EXPECT_EQ(refusal(loop), "the file is damaged (its directory loops)");

    std::string outside = layout.bytes;
    patch32(outside, layout.directoryEntryOffset(1) + 72, 4000);
    EXPECT_EQ(refusal(outside), "the file is damaged (its directory points outside itself)");

    std::string noRoot = layout.bytes;
    noRoot[layout.directoryEntryOffset(0) + 66] = 1;
    EXPECT_EQ(refusal(noRoot), "the file is damaged (its directory has no root entry)");

    // A size far beyond the file is refused before anything is allocated.
    std::string huge = layout.bytes;
    patch32(huge, layout.directoryEntryOffset(2) + 120, 0xFFFFFFF0);
    EXPECT_EQ(refusal(huge), "the file is damaged (the stream Workbook is larger than the file)");
}

TEST(CompoundFile, ForeignAndTruncatedFilesAreRefused)
{
    const std::string file = CompoundFileBuilder().stream("Workbook", pattern(5000, 11)).build().bytes;
    EXPECT_EQ(refusal("PK\3\4 not a compound file"),
              "the file is damaged or is not an Excel workbook (it is no OLE2 compound file)");
    EXPECT_EQ(refusal(file.substr(0, 300)),
              "the file is damaged (it is shorter than its compound file header)");

    std::string badShift = file;
    badShift[30] = 10;
    EXPECT_EQ(refusal(badShift), "the file is damaged (its compound file header is invalid)");

    // The builder writes the sector table last: cut inside it, then before it.
    EXPECT_EQ(refusal(file.substr(0, file.size() - 100)),
              "the file is damaged (it is truncated inside its sector table)");
    EXPECT_EQ(refusal(file.substr(0, 512 * 5)),
              "the file is damaged (a sector chain points outside the file)");
}

} // namespace
} // namespace ostrevo
