// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirycolouringhook.h"

#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"
#include "tablehelpers.h"

#include <QHeaderView>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace ostrevo {
namespace {

constexpr int kRowHeight = 13;
constexpr int kYear = 2026;

class ExpiryColouringViewTest : public ::testing::Test {
protected:
    ExpiryColouringViewTest()
    {
        setUpResultColumns(table);
        table.SetCheckboxes(true);
        table.SetSortType(SortType::stBoth);
        view = std::make_unique<TResultListView>(table);
        view->OnDrawItemProp = expiryColouring([] { return kYear; });
        view->resize(600, 300);
    }

    // Rows come out in caption order: number them.
    void addRow(int number, const std::string& expires)
    {
        test::addRow(table, "http://site" + std::string(1, static_cast<char>('a' + number)) + ".com",
                     {"mailto:me@site.com", expires});
    }

    QImage render()
    {
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QRect expiresCell(int row) const
    {
        return {view->header()->sectionViewportPosition(2), row * kRowHeight, view->header()->sectionSize(2),
                kRowHeight};
    }

    // The text pixel farthest from the background: on a light cell, the darkest.
    static QColor darkestIn(const QImage& image, const QRect& area)
    {
        QColor darkest(255, 255, 255);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() + c.green() < darkest.red() + darkest.green()) {
                    darkest = c;
                }
            }
        }
        return darkest;
    }

    ResultTable table;
    std::unique_ptr<TResultListView> view;
};

TEST_F(ExpiryColouringViewTest, ExpiresCellsFadeFromRedWithBlackText)
{
    const std::vector<QColor> expected = {{255, 0, 0},     {255, 85, 0},    {255, 170, 0},   {255, 255, 0},
                                          {255, 255, 136}, {255, 255, 170}, {255, 255, 255}, {255, 255, 255}};
    for (int yearsLeft = 0; yearsLeft <= 6; ++yearsLeft) {
        addRow(yearsLeft, std::to_string(kYear + yearsLeft) + "/03/07");
    }
    addRow(7, std::to_string(kYear - 1) + "/12/31");
    const QImage image = render();

    for (int row = 0; row < 8; ++row) {
        const QRect cell = expiresCell(row);
        EXPECT_EQ(image.pixelColor(cell.right() - 3, cell.center().y()), expected[row]) << row;
        // The other cells keep the table's colours.
        EXPECT_EQ(image.pixelColor(240, cell.center().y()), QColor(255, 255, 255)) << row;
        EXPECT_EQ(image.pixelColor(440, cell.center().y()), QColor(255, 255, 255)) << row;
    }
    // Black text on every colour, red included.
    for (int row = 0; row < 8; ++row) {
        const QColor ink = darkestIn(image, expiresCell(row));
        EXPECT_LT(ink.red() + ink.green() + ink.blue(), 60) << row;
    }
}

TEST_F(ExpiryColouringViewTest, ASelectedRowKeepsItsExpiryColour)
{
    addRow(0, std::to_string(kYear) + "/01/01");
    view->selectionModel()->select(view->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QImage image = render();
    const QRect cell = expiresCell(0);
    EXPECT_EQ(image.pixelColor(cell.right() - 3, cell.center().y()), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(240, cell.center().y()), view->SelectionColor());
}

TEST_F(ExpiryColouringViewTest, AYearThatIsNoNumberKeepsTheTableColours)
{
    addRow(0, "Expires");
    addRow(1, "");
    addRow(2, "soon/01/01");
    const QImage image = render();
    for (int row = 0; row < 3; ++row) {
        const QRect cell = expiresCell(row);
        EXPECT_EQ(image.pixelColor(cell.right() - 3, cell.center().y()), QColor(255, 255, 255)) << row;
    }
    // Drawn in the table's text colour, a grey.
    const QColor ink = darkestIn(image, expiresCell(0));
    EXPECT_LT(std::abs(ink.blue() - ink.red()), 20);
}

TEST(ExpiryColouringHook, ColoursOnlyTheExpiresCellOfAnExistingRow)
{
    ResultTable table;
    table.AddColumn();
    ResultRow& row = table.AddRow();
    row.SetCaption("http://a.com");
    row.AppendSubItem("mailto:x@a.com");
    row.AppendSubItem("2027/01/01");

    for (int subItem : {-1, 0, 2}) {
        QBrush brush(Qt::white);
        CellFont font{QFont(), Qt::black};
        colourExpiryCell(table, 0, subItem, brush, font, 2026);
        EXPECT_EQ(brush.color(), QColor(Qt::white)) << subItem;
        EXPECT_EQ(font.color, QColor(Qt::black)) << subItem;
    }
    QBrush brush(Qt::white);
    CellFont font{QFont(), Qt::black};
    colourExpiryCell(table, 1, 1, brush, font, 2026); // no such row
    EXPECT_EQ(brush.color(), QColor(Qt::white));
    colourExpiryCell(table, 0, 1, brush, font, 2026);
    EXPECT_EQ(brush.color(), QColor(255, 85, 0));
    EXPECT_EQ(font.color, QColor(Qt::black));
}

} // namespace
} // namespace ostrevo
