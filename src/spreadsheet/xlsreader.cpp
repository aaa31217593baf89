// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsreader.h"

#include "platform/errors.h"
#include "spreadsheet/biffworkbook.h"
#include "spreadsheet/compoundfile.h"
#include "spreadsheet/unreadableworkbook.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace ostrevo {

namespace {

// Far beyond any workbook of a few hundred thousand values.
constexpr std::size_t kMaxFileSize = std::size_t{512} << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::vector<std::uint8_t> readWhole(const std::filesystem::path& fileName)
{
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        throw UnreadableWorkbook(std::string("the file cannot be opened (") + std::strerror(errno) + ")");
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[64 * 1024];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (bytes.size() + got > kMaxFileSize) {
            throw UnreadableWorkbook("it is larger than 512 MiB, more than a workbook can be imported from");
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get())) {
                throw UnreadableWorkbook(std::string("reading it failed (") + std::strerror(errno) + ")");
            }
            return bytes;
        }
    }
}

SheetContents readSheet(const std::filesystem::path& fileName)
{
    const std::vector<std::uint8_t> bytes = readWhole(fileName);
    const CompoundFile compoundFile(bytes);
    if (const auto stream = compoundFile.stream("Workbook")) {
        return ReadBiffWorkbook(*stream);
    }
    if (const auto stream = compoundFile.stream("Book")) {
        return ReadBiffWorkbook(*stream);
    }
    // An .xlsx file saved with a password is a compound file too.
    if (compoundFile.stream("EncryptedPackage")) {
        throw UnreadableWorkbook("it is protected by a password");
    }
    throw UnreadableWorkbook("it holds no Excel 5 to 2003 workbook");
}

} // namespace

SheetContents ReadXlsSheet(const std::filesystem::path& fileName)
{
    try {
        return readSheet(fileName);
    } catch (const UnreadableWorkbook& error) {
        throw EResultListError("Cannot import " + fileName.string() + ": " + error.what());
    } catch (const std::bad_alloc&) {
        throw EResultListError("Cannot import " + fileName.string() +
                               ": there is not enough memory to read it");
    }
}

} // namespace ostrevo
