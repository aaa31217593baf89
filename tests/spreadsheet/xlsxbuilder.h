// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A minimal .xlsx written with libzip: worksheets with the given <sheetData>
// content and a shared string table with the given <si> items.

#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo::test::xlsx {

inline std::string part(const std::string& root, const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root +
           " xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\""
           " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
           body + "</" + root + ">";
}

// A zip archive of the named parts, as a workbook file holds them.
inline void writeZip(const std::filesystem::path& path,
                     const std::vector<std::pair<std::string, std::string>>& parts)
{
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (zip == nullptr) {
        throw std::runtime_error("cannot create " + path.string());
    }
    for (const auto& [name, text] : parts) {
        zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
        if (source == nullptr || zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(source);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + name);
        }
    }
    if (zip_close(zip) != 0) { // compresses now, while `parts` still holds the texts
        zip_discard(zip);
        throw std::runtime_error("cannot write " + path.string());
    }
}

inline void writeWorkbook(const std::filesystem::path& path, const std::string& sheetData,
                          const std::string& sharedStrings = {})
{
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::vector<std::pair<std::string, std::string>> parts{
        {"_rels/.rels", rels + "<Relationship Id=\"rId1\" Type=\"" + type +
                            "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         part("workbook", "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets>")},
        {"xl/_rels/workbook.xml.rels",
         rels + "<Relationship Id=\"rId1\" Type=\"" + type +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
             "Type=\"" +
             type + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/sharedStrings.xml", part("sst", sharedStrings)},
        {"xl/worksheets/sheet1.xml", part("worksheet", "<sheetData>" + sheetData + "</sheetData>")},
    };
    writeZip(path, parts);
}

struct Sheet {
    std::string name;
    std::string sheetData;
    bool chart = false; // listed as a chart sheet, its part left out
};

inline void writeSheets(const std::filesystem::path& path, const std::vector<Sheet>& sheets, int activeTab,
                        const std::string& sharedStrings = {})
{
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::string list;
    std::string workbookRels =
        rels + "<Relationship Id=\"rS\" Type=\"" + type + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    std::vector<std::pair<std::string, std::string>> parts;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        list += "<sheet name=\"" + sheets[i].name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        const std::string target = (sheets[i].chart ? "chartsheets/sheet" : "worksheets/sheet") + n + ".xml";
        workbookRels += "<Relationship Id=\"rId" + n + "\" Type=\"" + type +
                        (sheets[i].chart ? "chartsheet" : "worksheet") + "\" Target=\"" + target + "\"/>";
        if (!sheets[i].chart) {
            parts.emplace_back("xl/" + target,
                               part("worksheet", "<sheetData>" + sheets[i].sheetData + "</sheetData>"));
        }
    }
    parts.emplace_back("_rels/.rels", rels + "<Relationship Id=\"rId1\" Type=\"" + type +
                                          "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    parts.emplace_back("xl/workbook.xml",
                       part("workbook", "<bookViews><workbookView activeTab=\"" + std::to_string(activeTab) +
                                            "\"/></bookViews><sheets>" + list + "</sheets>"));
    parts.emplace_back("xl/_rels/workbook.xml.rels", workbookRels + "</Relationships>");
    parts.emplace_back("xl/sharedStrings.xml", part("sst", sharedStrings));
    writeZip(path, parts);
}

} // namespace ostrevo::test::xlsx
