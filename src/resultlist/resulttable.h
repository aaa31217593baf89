// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The data behind the result list: columns, rows with a caption, sub-items and
// a check mark, kept in caption order, and the delimited text files.
//
// Rows are objects with their own identity: a ResultRow& stays valid while the
// table re-orders (until the row is deleted). An index always means the
// current display position.
//
// The texts live in the table's own storage, and Caption(), SubItem() and
// SubItemOrEmpty() return views on it: a view is valid until the table next
// changes (a text set or appended, a row added or deleted, a clear, a load).
// Copy the text to keep it longer.

#include "containers/arenatext.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrevo {

class ResultTable;
template <typename Row> class RowStore;
template <typename Row> struct RowBlock;

enum class SortType { stNone, stData, stText, stBoth };

struct ResultColumn {
    enum class Alignment { Left, Right, Center };
    std::string Caption;
    int width = 50;
    Alignment alignment = Alignment::Left;
};

class ResultRow {
public:
    ResultRow(const ResultRow&) = delete;
    ResultRow& operator=(const ResultRow&) = delete;

    std::string_view Caption() const { return m_caption.view(); }
    // Stores the caption, then re-sorts the table by caption (unless a bulk
    // update is open or the sort type is stNone/stData).
    void SetCaption(std::string_view caption);

    std::size_t SubItemCount() const { return m_subItemCount; }
    // Throws ListIndexError when out of range.
    std::string_view SubItem(std::size_t index) const;
    // The sub-item, or an empty text when the row has no such sub-item.
    std::string_view SubItemOrEmpty(std::size_t index) const
    {
        return index < m_subItemCount ? m_subItems[index].view() : std::string_view();
    }
    // A copy of every sub-item.
    std::vector<std::string> SubItems() const;
    // Appending never re-sorts.
    void AppendSubItem(std::string_view text);

    // False while the table's Checkboxes is off; setting turns Checkboxes on.
    bool Checked() const;
    void SetChecked(bool checked);

private:
    friend class ResultTable;
    template <typename Row> friend class RowStore;
    ResultRow() = default;
    // A public row is always in its table's order, whose block names the table.
    ResultTable& table() const;

    // A million rows are loaded at a time, so a row is kept small: every
    // text is an eight-byte reference into the table's storage, the row owns
    // nothing (letting rows go is freeing the storage's few blocks), and the
    // table is found through the block of the order that holds the row.
    static constexpr std::uint32_t kMaxSubItems = (std::uint32_t{1} << 30) - 1;
    RowBlock<ResultRow>* m_block = nullptr;
    // While the table has a key function and the caption is not empty, the
    // caption's collation key is stored behind it (m_hasSortKey).
    ArenaText m_caption;
    ArenaText* m_subItems = nullptr; // room for m_subItemRoom texts
    std::uint32_t m_subItemCount = 0;
    std::uint32_t m_subItemRoom : 30 = 0;
    std::uint32_t m_hasSortKey : 1 = 0;
    std::uint32_t m_checked : 1 = 0;
};

// Told about every change so that a view can follow the table without copying
// rows. "About to" calls come before the change, the others after it.
class ResultTableObserver {
public:
    virtual ~ResultTableObserver() = default;
    virtual void rowsAboutToBeInserted(int first, int last) = 0;
    virtual void rowsInserted() = 0;
    virtual void rowsAboutToBeRemoved(int first, int last) = 0;
    virtual void rowsRemoved() = 0;
    // One row moves from `from` to the position it has once moved (Qt's
    // beginMoveRows convention: `to` counts positions before the move).
    virtual void rowAboutToBeMoved(int from, int to) = 0;
    virtual void rowMoved() = 0;
    // Many rows change places; rows keep their identity.
    virtual void layoutAboutToBeChanged() = 0;
    virtual void layoutChanged() = 0;
    // A row's texts or check mark changed.
    virtual void rowChanged(int index) = 0;
    // Columns added or removed, or every row removed.
    virtual void aboutToReset() = 0;
    virtual void reset() = 0;
    // Bulk update opened (true) / closed (false): a view stops redrawing meanwhile.
    virtual void updatesSuspended(bool suspended) = 0;
};

class ResultTable {
public:
    // Turns a caption into a key compared byte by byte; stands in for the
    // locale's collation. Without one, captions are compared as bytes.
    using SortKeyFunction = std::function<std::string(std::string_view)>;

    ResultTable();
    ~ResultTable();
    ResultTable(const ResultTable&) = delete;
    ResultTable& operator=(const ResultTable&) = delete;

    void setObserver(ResultTableObserver* observer);
    void setCaptionSortKey(SortKeyFunction sortKey);

    // Columns
    // The most columns a table holds, as many as a spreadsheet's widest sheet:
    // loading and importing refuse more with a clear error.
    static constexpr int kMaxColumns = 16384;
    ResultColumn& AddColumn();
    // Adds empty columns until there are `count`, as one change.
    void addColumnsUpTo(int count);
    int ColumnCount() const;
    ResultColumn& Column(int index);             // throws ListIndexError
    const ResultColumn& Column(int index) const; // throws ListIndexError

    // Rows
    ResultRow& AddRow();
    int RowCount() const;
    ResultRow& Row(int index);               // throws ListIndexError
    const ResultRow& Row(int index) const;   // throws ListIndexError
    int IndexOf(const ResultRow& row) const; // -1 when the row is not in the table
    void DeleteRow(int index);               // throws ListIndexError
    void ClearRows();                        // rows only; columns stay
    void Clear();                            // rows, then columns
    // Bytes the rows' texts take in the table's storage, including texts no
    // longer used that the next compaction gives back.
    std::size_t textStorageBytes() const;

    // Re-orders the rows by one column (0 = caption, k = sub-item k - 1,
    // missing = empty), comparing bytes as unsigned; direction +1 or -1
    // (any negative value sorts descending). Does nothing for a column that
    // does not exist. The next caption assignment restores caption order.
    void SortByColumn(int column, int direction);

    // Nestable; the outermost EndBulkUpdate restores the sort type and sorts
    // once. An EndBulkUpdate without a matching Begin does nothing.
    void BeginBulkUpdate();
    void EndBulkUpdate();
    int BulkUpdateDepth() const;

    // Whether a loaded record repeats the column captions, followed only by
    // empty texts (columns a save had in addition): the header of one of the
    // program's own saves, not a domain.
    bool isCaptionRow(const std::vector<std::string>& texts) const;

    // Settings
    bool Checkboxes() const { return m_checkboxes; }
    void SetCheckboxes(bool on) { m_checkboxes = on; }
    ostrevo::SortType SortType() const { return m_sortType; }
    void SetSortType(ostrevo::SortType sortType);
    bool SaveHeader() const { return m_saveHeader; }
    void SetSaveHeader(bool on) { m_saveHeader = on; }
    bool LoadHeader() const { return m_loadHeader; }
    void SetLoadHeader(bool on) { m_loadHeader = on; }
    // 0 until a read detected it; a comma is used meanwhile.
    char Delimiter() const { return m_delimiter; }
    void SetDelimiter(char delimiter) { m_delimiter = delimiter; }

    // Delimited text files (lines end with CR LF). Errors are thrown as
    // EResultListError / RuntimeError with a message for the user.
    //
    // Saving replaces the file only once everything is written; a table
    // without rows or columns writes nothing at all. Fields holding the
    // delimiter (or another one detection looks for), a double quote or a
    // control character are enclosed in double quotes. The header names the
    // columns up to the last caption with text. With FormulaCells::AsText a
    // cell starting with = + - or @ gets a leading apostrophe, which
    // spreadsheet programs show as text; loading takes it off again.
    enum class FormulaCells { AsTheyStand, AsText };
    void SaveToDelimitedFile(const std::filesystem::path& fileName,
                             FormulaCells formulas = FormulaCells::AsTheyStand) const;
    // Adds the file's rows (with LoadHeader on: replaces rows and columns).
    // With LoadHeader off, a first line equal to the column captions (the
    // header of our own saves) is not added as a row. A record without any
    // text is no row. A byte-order mark is dropped; UTF-16 text (with its
    // mark) is read as UTF-8. Refused with EResultListError naming the file,
    // nothing changed: a file that is not text, a record that needs more
    // than kMaxColumns columns, and a file whose rows would take more memory
    // than loadingMemoryBudget() (or the limit set below). Reported with
    // EResultListError after the rows were added: stray NUL bytes, left out
    // of the text, and NULs in a row past the first block, where the text
    // ends at the line before them.
    void LoadFromDelimitedFile(const std::filesystem::path& fileName);
    // The memory a load may take, in bytes; 0 (the default) asks the system.
    void setLoadMemoryLimit(std::size_t bytes) { m_loadMemoryLimit = bytes; }

private:
    friend class ResultRow;
    friend class DelimitedRows;

    ResultRow* makeRow();
    void dropRow(ResultRow* row) noexcept;
    void clearRowStorage() noexcept;
    void assignCaption(ResultRow& row, std::string_view caption);
    void appendSubItem(ResultRow& row, std::string_view text);
    void rowTextChanged(const ResultRow& row);
    void setCaptionText(ResultRow& row, std::string_view caption);
    static std::size_t captionStoredBytes(const ResultRow& row);
    void setSubItems(ResultRow& row, const std::vector<std::string_view>& texts);
    void compactTextsIfWorthIt() noexcept;
    std::string_view sortKeyOf(const ResultRow& row) const;
    bool sortsOnCaption() const;
    bool captionFits(std::size_t index) const;
    void placeAfterCaptionChange(std::size_t index);
    void placeUnorderedTail();
    void moveRow(std::size_t from, std::size_t to);
    std::size_t captionUpperBound(std::string_view key, std::size_t count, std::size_t skip) const;
    void sortByCaption();
    enum class KeyCopy { Kept, ReadFromRows };
    template <typename KeyOf> void sortRows(KeyOf keyOf, bool descending, KeyCopy copyKeys);
    void appendRows(std::vector<ResultRow*>& rows);
    void addColumns(std::vector<std::string>&& captions);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    ResultTableObserver* m_observer = nullptr;
    bool m_checkboxes = false;
    ostrevo::SortType m_sortType = ostrevo::SortType::stNone;
    bool m_saveHeader = false;
    bool m_loadHeader = false;
    char m_delimiter = 0;
    std::size_t m_loadMemoryLimit = 0;
};

// 1-based position of the first single (not doubled) `c` in `s`, or 0; a `c`
// at the very end always counts.
std::int32_t SingleCharPos(char c, std::string_view s);
std::int32_t SingleCharCount(char c, std::string_view s);

// A bulk update held open for a scope. end() closes it where the caller
// wants the final sort's errors; leaving the scope early closes it too,
// dropping a failure of that sort in favour of the error already on its way.
class BulkUpdate {
public:
    explicit BulkUpdate(ResultTable& table) : m_table(&table) { table.BeginBulkUpdate(); }
    ~BulkUpdate()
    {
        try {
            end();
        } catch (...) {
        }
    }
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

    void end()
    {
        if (ResultTable* table = std::exchange(m_table, nullptr)) {
            table->EndBulkUpdate();
        }
    }

private:
    ResultTable* m_table;
};

} // namespace ostrevo
