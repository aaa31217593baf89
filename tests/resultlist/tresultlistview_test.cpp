// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/tresultlistview.h"

#include "platform/qtcolour.h"
#include "resultlist/resulttable.h"
#include "resultlist/resulttablemodel.h"
#include "tablehelpers.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace ostrevo {
namespace {

constexpr int kRowHeight = 13;
const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);

int rowMiddle(int row)
{
    return row * kRowHeight + kRowHeight / 2;
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(const QColor&)>& match)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += match(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

int countColour(const QImage& image, const QRect& area, const QColor& colour)
{
    return countPixels(image, area, [&](const QColor& c) { return c.rgb() == colour.rgb(); });
}

// The longest horizontal run of one colour inside an area.
int longestRun(const QImage& image, const QRect& area, const QColor& colour)
{
    int best = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            run = image.pixelColor(x, y).rgb() == colour.rgb() ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

QImage cut(const QImage& image, const QRect& area)
{
    return image.copy(area);
}

class ResultListViewTest : public ::testing::Test {
protected:
    ResultListViewTest()
    {
        setUpResultColumns(table);
        table.SetCheckboxes(true);
        table.SetSortType(SortType::stBoth);
        view = std::make_unique<TResultListView>(table);
        view->setLinkOpener([this](const QString& address) { opened.append(address); });
        view->resize(600, 300);
    }

    void showView()
    {
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    ResultRow& addRow(const std::string& caption, const std::string& email = {},
                      const std::string& expires = {})
    {
        return test::addRow(table, caption, {email, expires});
    }

    QImage render() { return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QRect cellArea(int row, int column) const
    {
        const int left = view->header()->sectionViewportPosition(column);
        return {left, row * kRowHeight, view->header()->sectionSize(column), kRowHeight};
    }

    // The first cell after its check box.
    QRect captionTextArea(int row) const { return cellArea(row, 0).adjusted(18, 0, 0, 0); }

    void clickAt(int x, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view->viewport(), button, {}, QPoint(x, rowMiddle(row)));
    }

    void clickHeader(int column)
    {
        QHeaderView* header = view->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    }

    std::vector<std::string> column(int index) const
    {
        std::vector<std::string> texts;
        for (int r = 0; r < table.RowCount(); ++r) {
            texts.emplace_back(index == 0 ? table.Row(r).Caption()
                                          : std::string(table.Row(r).SubItemOrEmpty(index - 1)));
        }
        return texts;
    }

    QModelIndex index(int row, int column = 0) const { return view->model()->index(row, column); }

    ResultTable table;
    std::unique_ptr<TResultListView> view;
    QStringList opened;
};

// Drawing

TEST_F(ResultListViewTest, RowsAreThirteenPixelsHighOnTheWindowColour)
{
    addRow("alpha", "beta", "gamma");
    addRow("delta", "epsilon", "zeta");
    showView();
    const QImage image = render();

    EXPECT_EQ(QFontInfo(view->font()).pixelSize(), 11);
    EXPECT_EQ(view->header()->font(), view->font());
    EXPECT_EQ(view->visualRect(index(1)).top(), 13);
    EXPECT_EQ(view->visualRect(index(1)).height(), 13);
    // Right of the texts, below the rows and right of the last column: all white.
    EXPECT_EQ(image.pixelColor(240, rowMiddle(0)), kWhite);
    EXPECT_EQ(image.pixelColor(440, rowMiddle(1)), kWhite);
    EXPECT_EQ(image.pixelColor(300, 100), kWhite);
    EXPECT_EQ(image.pixelColor(580, rowMiddle(0)), kWhite);
    // Plain texts are not drawn as links.
    EXPECT_EQ(countColour(image, QRect(0, 0, 550, 26), kBlue), 0);
    EXPECT_GT(countPixels(image, cellArea(0, 1), [](const QColor& c) { return c.lightness() < 100; }), 0);
}

TEST_F(ResultListViewTest, LinkCellsAreBlueUnderlinedAndHideTheirPrefix)
{
    addRow("http://example.com", "mailto:me@example.com");
    addRow("x-ftp://example.com", "mailto:me@example.com");
    addRow("example.com", "me@example.com");
    showView();
    const QImage image = render();

    // Rows in caption order: example.com, http://..., x-ftp://...
    ASSERT_EQ(table.Row(1).Caption(), "http://example.com");
    const int plain = 0;
    const int http = 1;
    const int other = 2;

    // Whatever the prefix, the same shown text: identical pixels.
    EXPECT_EQ(cut(image, captionTextArea(http)), cut(image, captionTextArea(other)));
    EXPECT_EQ(cut(image, cellArea(http, 1)), cut(image, cellArea(other, 1)));

    // Blue text and an underline under it; the plain row has neither.
    EXPECT_GT(longestRun(image, captionTextArea(http), kBlue), 40);
    EXPECT_GT(longestRun(image, cellArea(http, 1), kBlue), 60);
    EXPECT_EQ(countColour(image, cellArea(plain, 0), kBlue), 0);
    EXPECT_EQ(countColour(image, cellArea(plain, 1), kBlue), 0);
    // Without its prefix the link's text is as wide as the plain one.
    EXPECT_NEAR(longestRun(image, captionTextArea(http), kBlue),
                QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("example.com")), 3);

    // The stored texts keep their prefixes.
    EXPECT_EQ(table.Row(http).SubItem(0), "mailto:me@example.com");

    // URLFull shows the whole text: longer underline, different pixels.
    view->SetURLFull(true);
    const QImage full = render();
    EXPECT_NE(cut(full, captionTextArea(http)), cut(full, captionTextArea(other)));
    EXPECT_GT(longestRun(full, captionTextArea(http), kBlue),
              longestRun(image, captionTextArea(http), kBlue) + 20);
}

TEST_F(ResultListViewTest, ADarkPaletteGetsReadableLinksAndItsOwnSelection)
{
    addRow("http://example.com", "mailto:me@example.com");
    QPalette dark = view->palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(40, 80, 160));
    dark.setColor(QPalette::Dark, QColor(20, 20, 20));
    view->setPalette(dark);
    showView();
    EXPECT_EQ(view->SelectionColor(), QColor(40, 80, 160));

    // The link's text and underline: blue, lightened until readable.
    const QImage image = render();
    const auto readableBlue = [](const QColor& c) {
        return c.blue() > c.red() && contrastRatio(toRgb(c), {30, 30, 30}) >= kReadableContrast;
    };
    EXPECT_GT(countPixels(image, cellArea(0, 1), readableBlue), 60);
    // The check box's frame shows too.
    EXPECT_GE(contrastRatio(toRgb(image.pixelColor(2, rowMiddle(0))), {30, 30, 30}), 3.0);

    // A colour set by hand stays when the palette changes again.
    view->SetSelectionColor(Qt::green);
    view->setPalette(QPalette());
    EXPECT_EQ(view->SelectionColor(), QColor(Qt::green));
}

TEST_F(ResultListViewTest, MarkupIsNeverShownAsALink)
{
    addRow("<a href=http://example.com>x</a>", "mailto:a@b.org</");
    showView();
    const QImage image = render();
    EXPECT_EQ(countColour(image, cellArea(0, 0), kBlue), 0);
    EXPECT_EQ(countColour(image, cellArea(0, 1), kBlue), 0);
}

TEST_F(ResultListViewTest, CheckBoxSpansTwoToSixteenAndShowsTheMark)
{
    addRow("a");
    addRow("b").SetChecked(true);
    showView();
    const QImage image = render();
    for (int row : {0, 1}) {
        const int y = rowMiddle(row);
        EXPECT_EQ(image.pixelColor(1, y), kWhite) << row;
        EXPECT_NE(image.pixelColor(2, y), kWhite) << row;
        EXPECT_NE(image.pixelColor(15, y), kWhite) << row;
        EXPECT_EQ(image.pixelColor(16, y), kWhite) << row;
        EXPECT_EQ(image.pixelColor(17, y), kWhite) << row;
    }
    const QColor frame = image.pixelColor(2, rowMiddle(0));
    EXPECT_EQ(image.pixelColor(8, 0), frame); // the top edge at the row's top
    const QRect inside0(3, 1, 12, 12);
    const QRect inside1(3, 14, 12, 12);
    const auto dark = [](const QColor& c) { return c.lightness() < 60; };
    EXPECT_EQ(countPixels(image, inside0, dark), 0);
    EXPECT_GT(countPixels(image, inside1, dark), 6);
}

TEST_F(ResultListViewTest, TallerRowsCentreTheCheckBox)
{
    addRow("a");
    addRow("b");
    view->SetItemHeight(21);
    showView();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->visualRect(index(1)).top(), 21);
    const QImage image = render();
    // (21 - 14) / 2 = 3 pixels down from the row's top.
    EXPECT_EQ(image.pixelColor(8, 21 + 2), kWhite);
    EXPECT_NE(image.pixelColor(8, 21 + 3), kWhite);
    EXPECT_NE(image.pixelColor(8, 21 + 16), kWhite);
    EXPECT_EQ(image.pixelColor(8, 21 + 17), kWhite);
}

TEST_F(ResultListViewTest, WithoutCheckBoxesTheTextStartsAtTheCellEdge)
{
    addRow("WWWWWWWW");
    table.SetCheckboxes(false);
    showView();
    const QImage image = render();
    const auto ink = [](const QColor& c) { return c.lightness() < 128; };
    EXPECT_GT(countPixels(image, QRect(2, 0, 12, kRowHeight), ink), 0);
    EXPECT_EQ(countPixels(image, QRect(0, 0, 2, kRowHeight), ink), 0);
}

TEST_F(ResultListViewTest, SelectionColoursOnlyTheFirstCell)
{
    addRow("http://example.com", "mailto:me@example.com", "2030/01/01");
    addRow("http://other.com", "mailto:you@other.com", "2031/01/01");
    showView();
    view->SetSelectionColor(QColor(10, 20, 200));
    view->selectionModel()->select(index(0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QImage image = render();

    EXPECT_EQ(image.pixelColor(240, rowMiddle(0)), QColor(10, 20, 200));
    EXPECT_EQ(image.pixelColor(440, rowMiddle(0)), kWhite);
    EXPECT_EQ(image.pixelColor(540, rowMiddle(0)), kWhite);
    EXPECT_EQ(image.pixelColor(240, rowMiddle(1)), kWhite);
    // The caption on the highlight keeps its link colour.
    EXPECT_GT(longestRun(image, captionTextArea(0), kBlue), 40);
}

TEST_F(ResultListViewTest, HookSeesEveryCellAndItsChangesStayInTheCell)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    addRow("http://b.com", "mailto:y@b.com", "2031/01/01");
    showView();
    struct Call {
        int row;
        int subItem;
        TOwnerDrawState state;
        std::string text;
    };
    std::vector<Call> calls;
    view->OnDrawItemProp = [&](TResultListView& sender, int row, int subItem, TOwnerDrawState state,
                               QBrush& brush, CellFont& font, std::string_view text) {
        EXPECT_EQ(&sender, view.get());
        calls.push_back({row, subItem, state, std::string(text)});
        if (subItem == 0) {
            brush.setColor(Qt::red);
            font.font.setBold(true);
        }
        if (subItem == 1) {
            brush.setColor(Qt::green);
        }
        if (subItem == -1) {
            brush.setColor(Qt::yellow); // loses to the selection colours on the selected row
            font.color = Qt::magenta;   // loses to the link colour
        }
    };
    view->setCurrentIndex(index(1));
    const QImage image = render();

    ASSERT_EQ(calls.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(calls[i].row, i / 3);
        EXPECT_EQ(calls[i].subItem, i % 3 - 1);
    }
    EXPECT_EQ(calls[0].text, "http://a.com");
    EXPECT_EQ(calls[4].text, "mailto:y@b.com");
    EXPECT_FALSE(calls[0].state.testFlag(OwnerDrawFlag::odSelected));
    EXPECT_TRUE(calls[3].state.testFlag(OwnerDrawFlag::odSelected));
    EXPECT_TRUE(calls[3].state.testFlag(OwnerDrawFlag::odFocus));
    EXPECT_EQ(static_cast<unsigned>(calls[3].state.toInt()), 0x11u);

    EXPECT_EQ(image.pixelColor(240, rowMiddle(0)), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(440, rowMiddle(0)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(545, rowMiddle(0)), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(240, rowMiddle(1)), view->SelectionColor());
    EXPECT_EQ(image.pixelColor(440, rowMiddle(1)), QColor(Qt::red));
    EXPECT_EQ(countColour(image, cellArea(0, 0), QColor(Qt::magenta)), 0);
    EXPECT_GT(longestRun(image, captionTextArea(0), kBlue), 20);
}

TEST_F(ResultListViewTest, AThrowingHookStillLetsTheRowBeDrawn)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    showView();
    view->OnDrawItemProp = [](TResultListView&, int, int subItem, TOwnerDrawState, QBrush& brush, CellFont&,
                              std::string_view) {
        if (subItem == 0) {
            brush.setColor(Qt::red);
            throw std::runtime_error("hook failed");
        }
    };
    const QImage image = render();
    EXPECT_EQ(image.pixelColor(440, rowMiddle(0)), QColor(Qt::red));
    EXPECT_GT(longestRun(image, cellArea(0, 1), kBlue), 20);
}

TEST_F(ResultListViewTest, FocusRectangleOnlyWhileTheTableHasTheFocus)
{
    addRow("a", "b", "c");
    showView();
    view->SetSelectionColor(QColor(10, 20, 200));
    view->SetSelectionTextColor(QColor(250, 250, 0));
    view->setCurrentIndex(index(0));
    const QRect topEdge(100, 0, 150, 1);

    view->clearFocus();
    EXPECT_EQ(countColour(render(), topEdge, QColor(250, 250, 0)), 0);

    view->activateWindow();
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }));
    const QImage focused = render();
    // Dotted: every other pixel.
    EXPECT_NEAR(countColour(focused, topEdge, QColor(250, 250, 0)), 75, 2);
    EXPECT_EQ(countColour(focused, QRect(260, 0, 100, 1), QColor(250, 250, 0)), 0);
}

TEST_F(ResultListViewTest, LongTextsStayInsideTheirCells)
{
    addRow("c", std::string(200, 'W'), std::string(200, 'M'));
    showView();
    const QImage image = render();
    const auto ink = [](const QColor& c) { return c != kWhite; };
    // Two pixels of margin at the right end of each cell, nothing past the columns.
    EXPECT_EQ(countPixels(image, QRect(448, 0, 2, kRowHeight), ink), 0);
    EXPECT_EQ(countPixels(image, QRect(548, 0, 52, kRowHeight), ink), 0);
    EXPECT_GT(countPixels(image, QRect(500, 0, 40, kRowHeight), ink), 0);
}

TEST_F(ResultListViewTest, HeaderItemsAreFlatWithTheirCaptions)
{
    showView();
    QHeaderView* header = view->header();
    EXPECT_EQ(header->height(), 17);
    const QImage image = header->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor face = view->palette().color(QPalette::Button);
    EXPECT_EQ(image.pixelColor(200, 8), face);
    EXPECT_EQ(image.pixelColor(400, 1), face);
    const auto ink = [&](const QColor& c) { return c.lightness() < face.lightness() - 60; };
    EXPECT_GT(countPixels(image, QRect(2, 1, 60, 15), ink), 0);   // "Web sites"
    EXPECT_GT(countPixels(image, QRect(252, 1, 40, 15), ink), 0); // "Email"
    EXPECT_EQ(countPixels(image, QRect(0, 0, 2, 17), ink), 0);
}

TEST_F(ResultListViewTest, ATableWithoutColumnsDrawsNothing)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    table.Clear();
    addRow("http://b.com");
    showView();
    EXPECT_EQ(view->header()->count(), 0);
    const QImage image = render();
    EXPECT_EQ(countPixels(image, image.rect(), [](const QColor& c) { return c != kWhite; }), 0);
}

// Mouse

TEST_F(ResultListViewTest, PressInTheCheckZoneTogglesWithoutSelecting)
{
    addRow("http://a.com");
    addRow("http://b.com");
    showView();
    clickAt(0, 1);
    EXPECT_TRUE(table.Row(1).Checked());
    clickAt(14, 1);
    EXPECT_FALSE(table.Row(1).Checked());
    clickAt(8, 0);
    EXPECT_TRUE(table.Row(0).Checked());
    EXPECT_FALSE(view->selectionModel()->hasSelection());
    EXPECT_TRUE(opened.isEmpty());

    // Just right of the zone: no toggle, but the row is selected.
    clickAt(15, 1);
    EXPECT_FALSE(table.Row(1).Checked());
    EXPECT_TRUE(view->selectionModel()->isRowSelected(1, {}));
}

TEST_F(ResultListViewTest, TheCheckZoneScrollsWithTheRow)
{
    addRow("http://a.com");
    view->resize(300, 200);
    showView();
    view->horizontalScrollBar()->setValue(100);
    ASSERT_EQ(view->header()->offset(), 100);
    // x = 5 on screen is x = 105 in the row: the caption's text, not its box.
    clickAt(5, 0);
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://a.com")});
    view->horizontalScrollBar()->setValue(0);
    clickAt(5, 0);
    EXPECT_TRUE(table.Row(0).Checked());
}

TEST_F(ResultListViewTest, ACheckClickOnTheSelectedRowStartsNoEditing)
{
    addRow("a");
    showView();
    clickAt(100, 0);
    ASSERT_TRUE(view->selectionModel()->isRowSelected(0, {}));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    clickAt(5, 0);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_TRUE(table.Row(0).Checked());
    EXPECT_EQ(view->findChild<QLineEdit*>(), nullptr);
}

TEST_F(ResultListViewTest, AClickOnTheSelectedRowsCaptionEditsItUnlessItOpenedALink)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    addRow("plain", "", "2030/01/01");
    showView();
    const int wait = QApplication::doubleClickInterval() + 50;
    clickAt(520, 0);
    QTest::qWait(wait);
    clickAt(100, 0);
    QTest::qWait(wait);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(view->findChild<QLineEdit*>(), nullptr);

    clickAt(520, 1);
    QTest::qWait(wait);
    clickAt(100, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->findChild<QLineEdit*>() != nullptr; }));
}

TEST_F(ResultListViewTest, LinkClickOpensTheStoredTextAndSelectsTheRow)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    addRow("https://b.com", "mailto:y@b.com", "2031/01/01");
    showView();
    clickAt(100, 0);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://a.com")});
    EXPECT_TRUE(view->selectionModel()->isRowSelected(0, {}));

    clickAt(300, 1);
    clickAt(15, 1);
    clickAt(520, 1); // not a link
    EXPECT_EQ(opened, (QStringList{QStringLiteral("http://a.com"), QStringLiteral("mailto:y@b.com"),
                                   QStringLiteral("https://b.com")}));
    EXPECT_FALSE(table.Row(1).Checked());
}

TEST_F(ResultListViewTest, OnlyWebAndMailAddressesAreHandedOver)
{
    addRow("file:///etc/passwd", "smb://server/share");
    addRow("javascript://alert(1)", "myprogram://run?x=1");
    addRow("see http://a.com", "mailto:");
    showView();
    for (int row = 0; row < 3; ++row) {
        clickAt(100, row);
        clickAt(300, row);
    }
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(' ')).toStdString();
    // The click still selects, as any click on a row does.
    EXPECT_TRUE(view->selectionModel()->isRowSelected(2, {}));
}

TEST_F(ResultListViewTest, WithoutCheckBoxesALeftClickOpensTheLink)
{
    addRow("http://a.com");
    table.SetCheckboxes(false);
    showView();
    clickAt(3, 0);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://a.com")});
    EXPECT_TRUE(view->selectionModel()->isRowSelected(0, {}));
}

TEST_F(ResultListViewTest, ClicksOutsideTheRowsChangeNothing)
{
    addRow("http://a.com", "mailto:x@a.com");
    showView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 100));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(580, rowMiddle(0)));
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ResultListViewTest, PointingHandFromSeventeenOverLinks)
{
    addRow("http://a.com", "mailto:x@a.com", "2030/01/01");
    showView();
    QWidget* viewport = view->viewport();
    const auto shapeAt = [&](int x, int y) {
        QTest::mouseMove(viewport, QPoint(x, y));
        return viewport->cursor().shape();
    };
    EXPECT_EQ(shapeAt(16, rowMiddle(0)), Qt::ArrowCursor);
    EXPECT_EQ(shapeAt(17, rowMiddle(0)), Qt::PointingHandCursor);
    EXPECT_EQ(shapeAt(300, rowMiddle(0)), Qt::PointingHandCursor);
    EXPECT_EQ(shapeAt(520, rowMiddle(0)), Qt::ArrowCursor);
    EXPECT_EQ(shapeAt(100, rowMiddle(0)), Qt::PointingHandCursor);
    EXPECT_EQ(shapeAt(100, 100), Qt::ArrowCursor);
    EXPECT_FALSE(viewport->testAttribute(Qt::WA_SetCursor));
}

// Sorting

TEST_F(ResultListViewTest, HeaderClicksSortAndFlipOnTheSameColumn)
{
    addRow("http://a.com", "mailto:c@x.org");
    addRow("http://b.com", "mailto:a@x.org");
    addRow("http://c.com", "mailto:b@x.org");
    showView();
    EXPECT_EQ(view->SortColumn(), -1);
    EXPECT_EQ(view->SortDirection(), TSortDirection::sdAscending);

    clickHeader(1);
    EXPECT_EQ(column(1), (std::vector<std::string>{"mailto:a@x.org", "mailto:b@x.org", "mailto:c@x.org"}));
    EXPECT_EQ(view->SortColumn(), 1);
    clickHeader(1);
    EXPECT_EQ(column(1), (std::vector<std::string>{"mailto:c@x.org", "mailto:b@x.org", "mailto:a@x.org"}));
    EXPECT_EQ(view->SortDirection(), TSortDirection::sdDescending);

    // Another column keeps the direction.
    clickHeader(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"http://c.com", "http://b.com", "http://a.com"}));
    EXPECT_EQ(view->SortColumn(), 0);
    EXPECT_EQ(view->SortDirection(), TSortDirection::sdDescending);
}

TEST_F(ResultListViewTest, SortingComparesTheStoredBytes)
{
    addRow("http://b.com", "", "2030/01/01");
    addRow("http://B.com", "", "2029/12/31");
    addRow("http://a.com", "", "");
    addRow("\xc3\xa9", "", "2030/01/02");
    showView();
    clickHeader(0);
    EXPECT_EQ(column(0),
              (std::vector<std::string>{"http://B.com", "http://a.com", "http://b.com", "\xc3\xa9"}));
    clickHeader(2);
    EXPECT_EQ(column(2), (std::vector<std::string>{"", "2029/12/31", "2030/01/01", "2030/01/02"}));
}

TEST_F(ResultListViewTest, ACaptionAssignmentAfterAHeaderSortRestoresCaptionOrder)
{
    addRow("http://a.com", "mailto:z@x.org");
    addRow("http://c.com", "mailto:y@x.org");
    showView();
    view->setCurrentIndex(index(0));
    clickHeader(1);
    ASSERT_EQ(column(0), (std::vector<std::string>{"http://c.com", "http://a.com"}));
    // The selection follows its row through the sort.
    EXPECT_EQ(view->currentIndex().row(), 1);

    addRow("http://b.com", "mailto:x@x.org");
    EXPECT_EQ(column(0), (std::vector<std::string>{"http://a.com", "http://b.com", "http://c.com"}));
    EXPECT_EQ(view->SortColumn(), 1);
    EXPECT_EQ(view->currentIndex().row(), 0);

    // The recorded direction stands: the same column now flips to descending.
    clickHeader(1);
    EXPECT_EQ(column(1), (std::vector<std::string>{"mailto:z@x.org", "mailto:y@x.org", "mailto:x@x.org"}));
}

TEST_F(ResultListViewTest, NoSortWhenSortShowIsOffOrColumnsDoNotClick)
{
    addRow("http://a.com", "mailto:b@x.org");
    addRow("http://b.com", "mailto:a@x.org");
    showView();
    view->SetSortShow(false);
    clickHeader(1);
    EXPECT_EQ(view->SortColumn(), -1);
    view->SetSortShow(true);
    view->SetColumnClick(false);
    clickHeader(1);
    EXPECT_EQ(view->SortColumn(), -1);
    EXPECT_EQ(column(0), (std::vector<std::string>{"http://a.com", "http://b.com"}));
}

// Keyboard and editing

TEST_F(ResultListViewTest, SpaceTogglesTheFocusedRow)
{
    addRow("a");
    addRow("b");
    showView();
    view->setCurrentIndex(index(1));
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_TRUE(table.Row(1).Checked());
    EXPECT_FALSE(table.Row(0).Checked());
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_FALSE(table.Row(1).Checked());
}

TEST_F(ResultListViewTest, TypingMovesToTheRowWhoseShownCaptionStartsWithIt)
{
    addRow("http://alpha.com");
    addRow("http://beta.com");
    addRow("http://bravo.com");
    showView();
    QTest::keyClick(view.get(), Qt::Key_B);
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_TRUE(view->selectionModel()->isRowSelected(1, {}));
    QTest::keyClick(view.get(), Qt::Key_B); // the same key again: the next such row
    EXPECT_EQ(view->currentIndex().row(), 2);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(view.get(), QStringLiteral("al"));
    EXPECT_EQ(view->currentIndex().row(), 0);
    EXPECT_FALSE(table.Row(0).Checked());
}

TEST_F(ResultListViewTest, AnEditedCaptionIsStoredAndResortsTheRows)
{
    addRow("http://a.com", "mailto:1");
    addRow("http://b.com", "mailto:2");
    addRow("http://c.com", "mailto:3");
    showView();
    view->setCurrentIndex(index(0));
    QTest::keyClick(view.get(), Qt::Key_F2);
    auto* editor = view->findChild<QLineEdit*>(QStringLiteral("captionEditor"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("http://a.com"));
    EXPECT_EQ(editor->geometry().left(), 18);
    editor->setText(QString::fromUtf8("http://z\xc3\xa9.com"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits once the line edit has seen the key.
    EXPECT_TRUE(QTest::qWaitFor([&] { return table.Row(0).Caption() == "http://b.com"; }));
    EXPECT_EQ(column(0), (std::vector<std::string>{"http://b.com", "http://c.com", "http://z\xc3\xa9.com"}));
    EXPECT_EQ(column(1), (std::vector<std::string>{"mailto:2", "mailto:3", "mailto:1"}));
}

TEST_F(ResultListViewTest, ReadOnlyTablesDoNotEdit)
{
    addRow("http://a.com");
    showView();
    view->SetReadOnly(true);
    view->setCurrentIndex(index(0));
    QTest::keyClick(view.get(), Qt::Key_F2);
    EXPECT_EQ(view->findChild<QLineEdit*>(), nullptr);
}

// Columns and bulk updates

TEST_F(ResultListViewTest, ColumnWidthsComeFromTheTableAndSurviveResets)
{
    showView();
    QHeaderView* header = view->header();
    EXPECT_EQ(header->sectionSize(0), 250);
    EXPECT_EQ(header->sectionSize(1), 200);
    EXPECT_EQ(header->sectionSize(2), 100);

    header->resizeSection(1, 150);
    EXPECT_EQ(table.Column(1).width, 150);
    addRow("a");
    table.ClearRows();
    EXPECT_EQ(header->sectionSize(1), 150);
    table.AddColumn();
    ASSERT_EQ(header->count(), 4);
    EXPECT_EQ(header->sectionSize(1), 150);
    EXPECT_EQ(header->sectionSize(3), 50);
}

TEST_F(ResultListViewTest, BulkUpdatesSuspendPainting)
{
    table.BeginBulkUpdate();
    EXPECT_FALSE(view->updatesEnabled());
    table.EndBulkUpdate();
    EXPECT_TRUE(view->updatesEnabled());
}

} // namespace
} // namespace ostrevo
