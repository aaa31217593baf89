// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The results on disk: save, load, and the journal of a run.
#include "expired/tform1.h"

#include "expired/expirycolouringhook.h"
#include "expired/resultcommands.h"
#include "expired/resultfiles.h"
#include "platform/prompts.h"
#include "platform/systemlocale.h"
#include "resultlist/rowjournal.h"

namespace ostrevo {

void TForm1::BDiskClick()
{
    saveRows();
}

bool TForm1::saveRows()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save expire");
    request.filters = {QStringLiteral("CSV (.csv) (*.csv)"),
                       QStringLiteral("Excel (*.xls) (*.xls)"),
                       QStringLiteral("Excel workbook (*.xlsx) (*.xlsx)"),
                       QStringLiteral("HTML page (*.htm) (*.htm)"),
                       QStringLiteral("Doc (*.doc) (*.doc)"),
                       QStringLiteral("XML (*.xml) (*.xml)"),
                       QStringLiteral("ASCII (*.txt) (*.txt)")};
    request.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> fileName = m_prompts.saveFileName(request);
    if (!fileName) {
        return false;
    }
    const std::string name = fileName->toStdString();
    if (isBlankFileName(name)) {
        return false;
    }
    saveResults(m_table, std::filesystem::path(name), localCurrentYear());
    m_unsaved = false;
    if (m_journal) {
        m_journal->remove();
    }
    return true;
}

void TForm1::BOpenClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Load expire");
    request.filters = {QStringLiteral("CSV (.csv) (*.csv)"), QStringLiteral("Excel (*.xls) (*.xls)"),
                       QStringLiteral("Excel workbook (*.xlsx) (*.xlsx)")};
    const std::optional<QString> fileName = m_prompts.openFileName(request);
    if (!fileName) {
        return;
    }
    const std::string name = fileName->toStdString();
    if (isBlankFileName(name)) {
        return;
    }
    const LoadReaders readers = loadReadersFor(name);
    const int before = m_table.RowCount();
    try {
        if (readers.delimited) {
            m_table.LoadFromDelimitedFile(std::filesystem::path(name));
        }
        if (readers.spreadsheet) {
            m_importSpreadsheet(m_table, name);
        }
    } catch (...) {
        // Rows a failed load added before its error are unsaved and counted all the same.
        if (m_table.RowCount() != before) {
            m_unsaved = true;
            showRowCount();
        }
        throw;
    }
    m_unsaved = m_unsaved || m_table.RowCount() != before;
    showRowCount();
}

void TForm1::setJournalFile(const std::filesystem::path& file)
{
    m_journal = std::make_unique<RowJournal>(file);
}

void TForm1::offerJournalRestore()
{
    if (!m_journal) {
        return;
    }
    std::vector<RowCopy> rows;
    for (std::vector<std::string>& texts : readRowJournal(m_journal->file())) {
        rows.push_back({std::move(texts), false});
    }
    if (rows.empty()) {
        m_journal->remove();
        return;
    }
    if (!m_prompts.question(QStringLiteral("Ostrevo ended during a lookup. Restore the %1 rows it had found?")
                                .arg(rows.size()))) {
        m_journal->remove();
        return;
    }
    // The journal keeps them until they are saved.
    addRows(m_table, rows);
    m_unsaved = true;
    showRowCount();
}

} // namespace ostrevo
