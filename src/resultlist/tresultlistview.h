// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The result list on screen: a report view of a ResultTable in which the view
// draws every row and header item itself, shows web and mail addresses as
// links, sorts by a header click and toggles check marks by a click in the
// check box column or the space bar.
//
// Painting reads the table directly and only for the rows Qt asks for (the
// visible ones): nothing walks all rows per paint.

#include "resultlist/columnfitting.h"
#include "resultlist/listgeometry.h"

#include <QBrush>
#include <QColor>
#include <QCursor>
#include <QElapsedTimer>
#include <QFlags>
#include <QFont>
#include <QTreeView>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QTimer;

namespace ostrevo {

class Prompts;
class ResultHeaderView;
class ResultTable;
class ResultTableModel;
class TResultListView;

enum class TSortDirection { sdAscending, sdDescending };

// A row's drawing state as the per-cell hook sees it.
enum class OwnerDrawFlag : unsigned { odSelected = 0x01, odFocus = 0x10 };
Q_DECLARE_FLAGS(TOwnerDrawState, OwnerDrawFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TOwnerDrawState)

// The font a cell's text is drawn with, and the text's colour.
struct CellFont {
    QFont font;
    QColor color;
};

// Called for every cell drawn, before it is drawn. `subitemindex` is -1 for
// the caption, k for the column that shows sub-item k. The hook may change the
// brush colour and the font (colour, style); the view then draws the cell with
// them, except that a selected row's first cell and link cells get their own
// colours. Each cell starts again from the row's colours.
using TDrawItemProp =
    std::function<void(TResultListView& Sender, int itemindex, int subitemindex, TOwnerDrawState AState,
                       QBrush& ABrush, CellFont& AFont, std::string_view ItemText)>;

// Hands a link cell's stored text to whatever opens it.
using LinkOpener = std::function<void(const QString& address)>;

class TResultListView final : public QTreeView {
    Q_OBJECT
public:
    // Shows `table`, which must outlive the view. The view makes the table's
    // model and takes the column widths from the table's columns.
    explicit TResultListView(ResultTable& table, QWidget* parent = nullptr);
    ~TResultListView() override;

    ResultTable& table() { return m_table; }
    const ResultTable& table() const { return m_table; }
    ResultTableModel& resultModel() { return *m_model; }

    // The table's font: the system's sans-serif face at 11 pixels.
    static QFont defaultFont();

    TDrawItemProp OnDrawItemProp;
    // Where the errors of the view's own handlers (clicks, keys, sorting, a
    // caption edit) are shown; without prompts they only reach the log.
    void setErrorPrompts(Prompts* prompts);
    // Replaces the desktop opener (tests record instead). Only what
    // openableLink() makes of a cell's text ever reaches it.
    void setLinkOpener(LinkOpener opener);

    // Settings
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    int HeaderHeight() const { return m_headerHeight; }
    void SetHeaderHeight(int textHeight);
    TVerticalAlignment VAlignment() const { return m_vAlignment; }
    void SetVAlignment(TVerticalAlignment alignment);
    QColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(const QColor& color);
    QColor SelectionTextColor() const { return m_selectionTextColor; }
    void SetSelectionTextColor(const QColor& color);
    bool URLShow() const { return m_urlShow; }
    void SetURLShow(bool on);
    bool URLFull() const { return m_urlFull; }
    void SetURLFull(bool on);
    QColor URLColor() const { return m_urlColor; }
    void SetURLColor(const QColor& color);
    bool SortShow() const { return m_sortShow; }
    void SetSortShow(bool on) { m_sortShow = on; }
    TSortDirection SortDirection() const { return m_sortDirection; }
    void SetSortDirection(TSortDirection direction) { m_sortDirection = direction; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on);
    bool ColumnClick() const;
    void SetColumnClick(bool on);

    // How column `column` shares the list's width (Fixed unless set). Its
    // width in the table now is its default, which a double click on its
    // divider brings back after the user dragged it.
    void setColumnSizing(int column, ColumnSizing sizing);
    // The widths the user dragged, 0 for a column sized automatically.
    QList<int> userColumnWidths() const;
    void setUserColumnWidths(const QList<int>& widths);
    // Shown in the middle of the list while it has no rows.
    QString emptyText() const { return m_emptyText; }
    void setEmptyText(const QString& text);

    // The column last sorted by a header click, -1 before the first click.
    int SortColumn() const { return m_sortColumn; }

    // Typed text moves to the next row whose caption, as shown, starts with it.
    void keyboardSearch(const QString& search) override;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    struct RowColours;

    void sortByHeaderClick(int column);
    struct ColumnState {
        ColumnSizing sizing = ColumnSizing::Fixed;
        int defaultWidth = 0;
        bool userSized = false;
        int textWidth = 0; // widest caption or text measured, for FitText
    };

    void applyColumnWidths();
    void storeColumnWidth(int column, int oldWidth, int newWidth);
    void resetColumnWidth(int column);
    void columnsReset();
    void rowsArrived(int first, int last);
    // Measures the texts of the rows that arrived since the last time, then refits.
    void measureArrivedRows();
    void measureRow(int row);
    int captionWidth(int column) const;

    // x measured from the row's left edge, whatever the horizontal scrolling.
    int rowX(const QPoint& point) const;
    // Opens a link under the point and toggles a check mark in the check
    // zone; true when the press toggled and goes no further.
    bool handleLeftPress(const QPoint& point);
    bool openLinkAt(const QModelIndex& index);
    void updateCursor(const QPoint& point);
    void restoreCursor();
    std::string_view cellText(int row, int column) const;

    void paintCell(QPainter& painter, const QRect& cellRect, int row, int column, int position,
                   TOwnerDrawState state, const RowColours& colours) const;
    void paintCheckBox(QPainter& painter, const QRect& box, bool checked) const;
    void paintFocusRect(QPainter& painter, const QRect& rect) const;

    ResultTable& m_table;
    ResultTableModel* m_model = nullptr;
    ResultHeaderView* m_header = nullptr;
    LinkOpener m_linkOpener;
    Prompts* m_errorPrompts = nullptr;

    int m_itemHeight = 13;
    int m_headerHeight = 13;
    TVerticalAlignment m_vAlignment = TVerticalAlignment::vtaCenter;
    QColor m_selectionColor;
    QColor m_selectionTextColor;
    // The selection colours are the palette's until set: they follow the
    // desktop when it turns light or dark.
    bool m_selectionFromPalette = true;
    bool m_urlShow = true;
    bool m_urlFull = false;
    QColor m_urlColor{0, 0, 255};
    bool m_sortShow = true;
    TSortDirection m_sortDirection = TSortDirection::sdAscending;
    bool m_readOnly = false;

    int m_sortColumn = -1;
    // Columns are being re-made from the table: header size changes are not the user's.
    bool m_applyingWidths = false;
    std::vector<ColumnState> m_columns;
    // Rows whose texts are not measured yet, and the timer that measures them
    // once their texts are in.
    int m_arrivedFirst = -1;
    int m_arrivedLast = -1;
    QTimer* m_measureTimer = nullptr;
    QString m_emptyText;
    // The press toggled a check mark: its release must not start editing.
    bool m_swallowRelease = false;
    // The press opened a link: a click on the selected row then edits nothing.
    bool m_pressOpenedLink = false;
    // The hand is shown over a link; the cursor set on the table before it, if any.
    bool m_handShown = false;
    std::optional<QCursor> m_savedCursor;
    // Keys typed in quick succession make one search text.
    QString m_typed;
    QElapsedTimer m_typedClock;
};

} // namespace ostrevo
