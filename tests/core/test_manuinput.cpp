#include <gtest/gtest.h>

#include <cmath>

#include "core/dataedit/manuinput.h"

using namespace kinhom;

namespace {

std::vector<GridRow> Rows() { return ManuRowsFromPoints({{1, 2, 0}, {3, 4, -1}, {5, 6, 0}}); }

} // namespace

TEST(ManuInput, RowsAndPointsRoundTrip)
{
    const std::vector<KurvenPunkt> pts{{1.5f, -2, 0}, {3, 4, -1}};
    const std::vector<GridRow> rows = ManuRowsFromPoints(pts);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].v[kManuColAus], -1.0);
    EXPECT_EQ(ManuPointsFromRows(rows), pts);

    Declare d;
    StoreXYPoints(d, pts);
    EXPECT_EQ(d.AnzahlXYPunkte, 2);
    EXPECT_EQ(StoredXYPoints(d), pts);
    // a count beyond the table reads what the table holds
    d.AnzahlXYPunkte = 9;
    EXPECT_EQ(StoredXYPoints(d).size(), 2u);
    d.XYPunkte.clear();
    EXPECT_TRUE(StoredXYPoints(d).empty());
}

TEST(ManuInput, ValueOperationsOnMarkedXOrYCells)
{
    struct Case {
        ValueOp op;
        double value;
        float x0, y2;
    } cases[] = {
        {ValueOp::Add, 0.5, 1.5f, 6.5f},
        {ValueOp::Subtract, 1, 0, 5},
        {ValueOp::Multiply, -2, -2, -12},
        {ValueOp::Divide, 4, 0.25f, 1.5f},
    };
    for (const Case& c : cases) {
        std::vector<GridRow> rows = Rows();
        int changed = 0;
        std::string error;
        // x of row 0, y of row 2; the number cell and a row beyond the table are left alone
        ASSERT_TRUE(ApplyValueOp(rows, {{0, kManuColX}, {2, kManuColY}, {1, 0}, {7, kManuColX}, {1, kManuColAus}},
                                 c.op, c.value, changed, error));
        EXPECT_EQ(changed, 2);
        const std::vector<KurvenPunkt> p = ManuPointsFromRows(rows);
        EXPECT_EQ(p[0].x, c.x0);
        EXPECT_EQ(p[2].y, c.y2);
        EXPECT_EQ(p[0].y, 2.0f);
        EXPECT_EQ(p[1], (KurvenPunkt{3, 4, -1}));
    }
}

TEST(ManuInput, ValueOperationRefusalsChangeNothing)
{
    std::vector<GridRow> rows = Rows();
    const std::vector<GridRow> before = rows;
    int changed = 0;
    std::string error;
    EXPECT_FALSE(ApplyValueOp(rows, {{0, kManuColX}}, ValueOp::Divide, 0, changed, error));
    EXPECT_NE(error.find("Division by zero"), std::string::npos);
    // the second cell overflows single precision: the first stays unchanged too
    EXPECT_FALSE(ApplyValueOp(rows, {{0, kManuColX}, {2, kManuColY}}, ValueOp::Multiply, 1e38, changed, error));
    EXPECT_NE(error.find("row 3, column y"), std::string::npos) << error;
    EXPECT_EQ(rows, before);
    // nothing marked
    EXPECT_TRUE(ApplyValueOp(rows, {}, ValueOp::Add, 1, changed, error));
    EXPECT_EQ(changed, 0);
}

TEST(ManuInput, ValueBoxTakesThePointOnly)
{
    for (int key : std::initializer_list<int>{'0', '9', '.', '-', '+', 'E', 'e', 8, 13, 127}) EXPECT_TRUE(ValueBoxKeyAllowed(key)) << key;
    for (int key : std::initializer_list<int>{',', 'a', ' ', 'x', 3}) EXPECT_FALSE(ValueBoxKeyAllowed(key)) << key;
    double v = 0;
    std::string error;
    EXPECT_TRUE(ReadValueBox(" 2.5E-1 ", v, error));
    EXPECT_EQ(v, 0.25);
    for (const char* bad : {"2,5", "", "1.2.3", "abc", "1e999"}) {
        EXPECT_FALSE(ReadValueBox(bad, v, error)) << bad;
        EXPECT_NE(error.find("\".\""), std::string::npos);
    }
}

TEST(ManuInput, ManualPointsAreTheActiveOnes)
{
    const std::vector<KurvenPunkt> manu = ManuPunkteFrom({{1, 2, 0}, {3, 4, -1}, {5, 6, 0}});
    ASSERT_EQ(manu.size(), 3u);
    EXPECT_EQ(manu[0].x, 2.0f);
    EXPECT_EQ(manu[2], (KurvenPunkt{5, 6, 0}));
    EXPECT_EQ(ManuPunkteFrom({{1, 1, -1}})[0].x, 0.0f);
}

TEST(ManuInput, AxisWindowCoversThePoints)
{
    struct Case {
        std::vector<KurvenPunkt> pts;
        float xMin, xMax, yMin, yMax;
    } cases[] = {
        {{{0, 0, 0}, {1, 10, 0}, {11, 110, 0}}, 0.5f, 11.5f, 5, 115},   // spread 10 and 100
        {{{0, 0, 0}, {2, 0, 0}, {2, 0, 0}}, 1.9f, 2.1f, -1, 1},         // one place; y at 0
        {{{0, 0, 0}, {-4, -3, 0}}, -4.2f, -3.8f, -3.15f, -2.85f},
    };
    for (Case& c : cases) {
        c.pts[0].x = static_cast<float>(c.pts.size() - 1);
        DiagrammInfo dia;
        ASSERT_TRUE(ManualAxisWindow(c.pts, dia));
        EXPECT_FLOAT_EQ(dia.xMin, c.xMin);
        EXPECT_FLOAT_EQ(dia.xMax, c.xMax);
        EXPECT_FLOAT_EQ(dia.yMin, c.yMin);
        EXPECT_FLOAT_EQ(dia.yMax, c.yMax);
    }
    DiagrammInfo dia;
    EXPECT_FALSE(ManualAxisWindow({KurvenPunkt{}}, dia));
    // the largest values stay inside single precision
    std::vector<KurvenPunkt> big{{2, 0, 0}, {-3.3e38f, 0, 0}, {3.3e38f, 1, 0}};
    ASSERT_TRUE(ManualAxisWindow(big, dia));
    EXPECT_TRUE(std::isfinite(dia.xMin) && std::isfinite(dia.xMax));
    EXPECT_LT(dia.xMin, -3.2e38f);
}
