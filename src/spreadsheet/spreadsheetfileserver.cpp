// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetfileserver.h"

#include "platform/errors.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "spreadsheet/spreadsheettext.h"
#include "spreadsheet/xlsreader.h"
#include "spreadsheet/xlsxreader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace ostrevo {

namespace {

constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kEmptyZipSignature = "PK\x05\x06";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

EResultListError openError(const std::filesystem::path& fileName, int error)
{
    return EResultListError("Cannot import " + fileName.string() + ": the file cannot be opened (" +
                            std::strerror(error) + ")");
}

std::string readAll(const std::filesystem::path& fileName)
{
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        throw openError(fileName, errno != 0 ? errno : ENOENT);
    }
    std::string data;
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        data.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get())) {
                throw EResultListError("Cannot import " + fileName.string() + ": reading it failed (" +
                                       std::strerror(errno != 0 ? errno : EIO) + ")");
            }
            return data;
        }
    }
}

// They tell what the file is.
std::string firstBytes(const std::filesystem::path& fileName, std::size_t count)
{
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        throw openError(fileName, errno != 0 ? errno : ENOENT);
    }
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, file.get()));
    return bytes;
}

} // namespace

std::unique_ptr<SpreadsheetWorkbook> BuiltInSpreadsheetServer::Open(const std::filesystem::path& fileName)
{
    std::error_code ec;
    if (std::filesystem::is_directory(fileName, ec)) {
        throw EResultListError("Cannot import " + fileName.string() + ": it is a folder");
    }
    const std::string head = firstBytes(fileName, kOle2Signature.size());
    SheetContents contents;
    if (head == kOle2Signature) {
        contents = ReadXlsSheet(fileName);
    } else if (head.starts_with(kZipSignature) || head.starts_with(kEmptyZipSignature)) {
        contents = ReadXlsxSheet(fileName);
    } else {
        contents = ReadDelimitedSheet(readAll(fileName), fileName);
    }
    return std::make_unique<LoadedWorkbook>(fileName, std::move(contents));
}

std::unique_ptr<SpreadsheetServer> createBuiltInSpreadsheetServer()
{
    return std::make_unique<BuiltInSpreadsheetServer>();
}

} // namespace ostrevo
