// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/tresultlistview.h"

#include "platform/errorguard.h"
#include "resultlist/linkopener.h"
#include "resultlist/linktext.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resultheaderview.h"
#include "resultlist/resultitemdelegate.h"
#include "resultlist/resulttable.h"
#include "resultlist/resulttablemodel.h"
#include "resultlist/rowsearch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace ostrevo {

namespace {

constexpr QAbstractItemView::EditTriggers kCaptionEditTriggers =
    QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed;

} // namespace

TResultListView::TResultListView(ResultTable& table, QWidget* parent)
    : QTreeView(parent), m_table(table), m_linkOpener(&openLinkOnDesktop)
{
    m_model = new ResultTableModel(m_table, this);
    m_header = new ResultHeaderView(m_table, this);
    setHeader(m_header);
    setItemDelegate(new ResultItemDelegate(*this));
    setModel(m_model);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(kCaptionEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    setFont(defaultFont());
    viewport()->setMouseTracking(true);

    m_header->setStretchLastSection(false);
    m_header->setSectionsMovable(false);
    m_header->setSectionsClickable(true);
    m_header->setSortIndicatorShown(false);
    m_header->setHighlightSections(false);
    m_header->setMinimumSectionSize(0);
    m_header->setTextHeight(m_headerHeight);

    m_selectionColor = palette().color(QPalette::Highlight);
    m_selectionTextColor = palette().color(QPalette::HighlightedText);

    connect(m_header, &QHeaderView::sectionClicked, this, &TResultListView::sortByHeaderClick);
    connect(m_header, &QHeaderView::sectionResized, this, &TResultListView::storeColumnWidth);
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this, &TResultListView::resetColumnWidth);
    // Qt re-makes the header's sections on a reset (new columns, or every row
    // removed): the widths come back from the table's columns.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_applyingWidths = true; });
    connect(m_model, &QAbstractItemModel::modelReset, this, &TResultListView::columnsReset);
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { rowsArrived(first, last); });
    connect(m_model, &ResultTableModel::bulkUpdateChanged, this,
            [this](bool open) { setUpdatesEnabled(!open); });
    m_measureTimer = new QTimer(this);
    m_measureTimer->setSingleShot(true);
    m_measureTimer->setInterval(0);
    connect(m_measureTimer, &QTimer::timeout, this, &TResultListView::measureArrivedRows);
    columnsReset();
}

TResultListView::~TResultListView() = default;

QFont TResultListView::defaultFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

void TResultListView::setErrorPrompts(Prompts* prompts)
{
    m_errorPrompts = prompts;
    m_model->setErrorPrompts(prompts);
}

void TResultListView::setLinkOpener(LinkOpener opener)
{
    m_linkOpener = std::move(opener);
}

// Settings

void TResultListView::SetItemHeight(int height)
{
    m_itemHeight = qMax(1, height);
    // The uniform row height is measured once per layout.
    scheduleDelayedItemsLayout();
}

void TResultListView::SetHeaderHeight(int textHeight)
{
    m_headerHeight = qMax(0, textHeight);
    m_header->setTextHeight(m_headerHeight);
    updateGeometries();
}

void TResultListView::SetVAlignment(TVerticalAlignment alignment)
{
    m_vAlignment = alignment;
    viewport()->update();
}

void TResultListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && m_selectionFromPalette) {
        m_selectionColor = palette().color(QPalette::Highlight);
        m_selectionTextColor = palette().color(QPalette::HighlightedText);
    }
    QTreeView::changeEvent(event);
}

void TResultListView::SetSelectionColor(const QColor& color)
{
    m_selectionFromPalette = false;
    m_selectionColor = color;
    viewport()->update();
}

void TResultListView::SetSelectionTextColor(const QColor& color)
{
    m_selectionFromPalette = false;
    m_selectionTextColor = color;
    viewport()->update();
}

void TResultListView::SetURLShow(bool on)
{
    m_urlShow = on;
    if (!on) {
        restoreCursor();
    }
    viewport()->update();
}

void TResultListView::SetURLFull(bool on)
{
    m_urlFull = on;
    viewport()->update();
}

void TResultListView::SetURLColor(const QColor& color)
{
    m_urlColor = color;
    viewport()->update();
}

void TResultListView::SetReadOnly(bool on)
{
    m_readOnly = on;
    setEditTriggers(on ? NoEditTriggers : kCaptionEditTriggers);
}

bool TResultListView::ColumnClick() const
{
    return m_header->sectionsClickable();
}

void TResultListView::SetColumnClick(bool on)
{
    m_header->setSectionsClickable(on);
}

// Sorting

void TResultListView::sortByHeaderClick(int column)
{
    guarded(m_errorPrompts, [&] {
        if (!m_sortShow) {
            return;
        }
        // The same column again flips the order; another column keeps it.
        if (column == m_sortColumn) {
            m_sortDirection = m_sortDirection == TSortDirection::sdAscending ? TSortDirection::sdDescending
                                                                             : TSortDirection::sdAscending;
        }
        if (column >= 0 && column < m_table.ColumnCount()) {
            m_sortColumn = column;
            m_table.SortByColumn(column, m_sortDirection == TSortDirection::sdAscending ? 1 : -1);
        }
        m_header->viewport()->update();
    });
}

// Mouse and keyboard

std::string_view TResultListView::cellText(int row, int column) const
{
    if (row < 0 || row >= m_table.RowCount() || column < 0) {
        return {};
    }
    return ostrevo::cellText(m_table.Row(row), column);
}

int TResultListView::rowX(const QPoint& point) const
{
    return point.x() + horizontalOffset();
}

bool TResultListView::openLinkAt(const QModelIndex& index)
{
    const std::string link = openableLink(cellText(index.row(), index.column()));
    if (link.empty() || !m_linkOpener) {
        return false;
    }
    m_linkOpener(QString::fromStdString(link));
    return true;
}

bool TResultListView::handleLeftPress(const QPoint& point)
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || index.row() >= m_table.RowCount()) {
        return false;
    }
    const int x = rowX(point);
    const bool checkboxes = m_table.Checkboxes();
    if (m_urlShow && listgeometry::inLinkClickZone(x, checkboxes) &&
        isLinkText(cellText(index.row(), index.column()))) {
        m_pressOpenedLink = openLinkAt(index);
    }
    if (!listgeometry::inCheckZone(x, checkboxes)) {
        return false;
    }
    ResultRow& row = m_table.Row(index.row());
    row.SetChecked(!row.Checked());
    return true;
}

void TResultListView::mousePressEvent(QMouseEvent* event)
{
    guarded(m_errorPrompts, [&] {
        m_swallowRelease = false;
        m_pressOpenedLink = false;
        if (event->button() == Qt::LeftButton && handleLeftPress(event->position().toPoint())) {
            // A check mark click neither selects the row nor starts editing.
            m_swallowRelease = true;
            event->accept();
            return;
        }
        QTreeView::mousePressEvent(event);
    });
}

void TResultListView::mouseReleaseEvent(QMouseEvent* event)
{
    guarded(m_errorPrompts, [&] {
        if (m_swallowRelease && event->button() == Qt::LeftButton) {
            m_swallowRelease = false;
            event->accept();
            return;
        }
        QTreeView::mouseReleaseEvent(event);
    });
}

void TResultListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    guarded(m_errorPrompts, [&] {
        // The second press of a quick double click is a press too: it toggles again.
        const QPoint point = event->position().toPoint();
        const QModelIndex index = indexAt(point);
        if (event->button() == Qt::LeftButton && index.isValid() &&
            listgeometry::inCheckZone(rowX(point), m_table.Checkboxes())) {
            handleLeftPress(point);
            m_swallowRelease = true;
            event->accept();
            return;
        }
        QTreeView::mouseDoubleClickEvent(event);
    });
}

void TResultListView::mouseMoveEvent(QMouseEvent* event)
{
    guarded(m_errorPrompts, [&] {
        updateCursor(event->position().toPoint());
        QTreeView::mouseMoveEvent(event);
    });
}

void TResultListView::updateCursor(const QPoint& point)
{
    const QModelIndex index = indexAt(point);
    const bool overLink = m_urlShow && index.isValid() &&
                          listgeometry::inHandCursorZone(rowX(point), m_table.Checkboxes()) &&
                          isLinkText(cellText(index.row(), index.column()));
    if (!overLink) {
        restoreCursor();
        return;
    }
    if (m_handShown) {
        return;
    }
    if (viewport()->testAttribute(Qt::WA_SetCursor)) {
        m_savedCursor = viewport()->cursor();
    }
    viewport()->setCursor(Qt::PointingHandCursor);
    m_handShown = true;
}

void TResultListView::restoreCursor()
{
    if (!m_handShown) {
        return;
    }
    if (m_savedCursor) {
        viewport()->setCursor(*m_savedCursor);
    } else {
        viewport()->unsetCursor();
    }
    m_savedCursor.reset();
    m_handShown = false;
}

bool TResultListView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave) {
        restoreCursor();
    }
    const bool handled = QTreeView::viewportEvent(event);
    if (event->type() == QEvent::Resize) {
        applyColumnWidths();
    }
    return handled;
}

void TResultListView::setEmptyText(const QString& text)
{
    m_emptyText = text;
    viewport()->update();
}

void TResultListView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (m_table.RowCount() > 0 || m_emptyText.isEmpty()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect area = viewport()->rect().adjusted(12, 12, -12, -12);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
}

bool TResultListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Clicking the selected row's site opens the site; an editor popping up
    // over the caption as well would only be in the way.
    if (trigger == SelectedClicked && m_pressOpenedLink) {
        return false;
    }
    return QTreeView::edit(index, trigger, event);
}

void TResultListView::keyPressEvent(QKeyEvent* event)
{
    guarded(m_errorPrompts, [&] {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (event->key() == Qt::Key_Space && modifiers == Qt::NoModifier && state() != EditingState &&
            m_table.Checkboxes() && currentIndex().isValid() && currentIndex().row() < m_table.RowCount()) {
            ResultRow& row = m_table.Row(currentIndex().row());
            row.SetChecked(!row.Checked());
            event->accept();
            return;
        }
        QTreeView::keyPressEvent(event);
    });
}

void TResultListView::keyboardSearch(const QString& search)
{
    guarded(m_errorPrompts, [&] {
        // Qt's own search would read every row through the model on each key.
        if (search.isEmpty() || m_table.RowCount() == 0) {
            return;
        }
        const bool continuing =
            m_typedClock.isValid() && m_typedClock.elapsed() <= QApplication::keyboardInputInterval();
        m_typedClock.start();
        m_typed = continuing ? m_typed + search : search;

        QString wanted = m_typed;
        // The same key again and again steps through the rows that start with it.
        const bool sameKey = wanted.size() > 1 && wanted.count(wanted.back()) == wanted.size();
        if (sameKey) {
            wanted = wanted.back();
        }
        const QModelIndex current = currentIndex();
        int start = current.isValid() ? current.row() : 0;
        if (current.isValid() && (!continuing || sameKey)) {
            start = current.row() + 1;
        }
        const QByteArray typed = wanted.toUtf8();
        const int row = findRowByTypedText(
            m_table, std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())), start,
            m_urlShow && !m_urlFull);
        if (row >= 0) {
            setCurrentIndex(m_model->index(row, 0));
        }
    });
}

} // namespace ostrevo
