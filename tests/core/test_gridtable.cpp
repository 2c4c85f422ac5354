#include "core/dataedit/gridtable.h"

#include <gtest/gtest.h>

#include <cfloat>

using namespace kinhom;

namespace {

// The columns of a small editor: number, t, c(A), lambda (single) and the exclude mark.
GridTable MakeTable(int maxRows = 100)
{
    return GridTable({{"No.", CellKind::RowNumber},
                      {"t", CellKind::Double},
                      {"c(A)", CellKind::Double},
                      {"lambda", CellKind::Single},
                      {"excl.", CellKind::Exclude}},
                     maxRows);
}

GridRow Row(double t, double c, double lambda = 0, double excl = 0, int key = -1)
{
    return GridRow{{0, t, c, lambda, excl}, key};
}

TEST(GridTable, ReadCellText)
{
    struct Case {
        const char* text;
        CellKind kind;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", CellKind::Double, true, 1.5},
        {"  -2,5E-3 ", CellKind::Double, true, -2.5e-3}, // blanks around, "," read as "."
        {".5", CellKind::Double, true, 0.5},
        {"", CellKind::Double, true, 0},                 // an emptied cell is 0
        {"   ", CellKind::Double, true, 0},
        {"-7", CellKind::Double, true, -7},              // signs are the user's business
        {"0.6o5", CellKind::Double, false, 0},           // a typo inside the number
        {"x", CellKind::Double, false, 0},
        {"1.5 mol", CellKind::Double, false, 0},
        {"inf", CellKind::Double, false, 0},
        {"nan", CellKind::Double, false, 0},
        {"0x10", CellKind::Double, false, 0},
        {"1E400", CellKind::Double, false, 0},           // beyond double range
        {"1E300", CellKind::Double, true, 1e300},
        {"1E300", CellKind::Single, false, 0},           // beyond single precision
        {"3.4E38", CellKind::Single, true, 3.4e38},
        {"-1", CellKind::Exclude, true, -1},
        {"1", CellKind::Exclude, true, -1},
        {"0", CellKind::Exclude, true, 0},
        {"1", CellKind::RowNumber, false, 0},
    };
    for (const Case& c : cases) {
        double v = 12345;
        std::string why;
        EXPECT_EQ(ReadCellText(c.text, c.kind, v, why), c.ok) << c.text;
        if (c.ok) EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        else {
            EXPECT_FALSE(why.empty()) << c.text;
            EXPECT_EQ(v, 12345) << c.text; // a refused text leaves the target alone
        }
    }
}

TEST(GridTable, CellDisplayText)
{
    EXPECT_EQ(CellDisplayText(0.5, CellKind::Double, 1, 14), "5.000000E-01  ");
    EXPECT_EQ(CellDisplayText(-12345.678, CellKind::Double, 1, 14), "-1.234568E+04 ");
    EXPECT_EQ(CellDisplayText(0, CellKind::RowNumber, 12, 4), "12  ");
    EXPECT_EQ(CellDisplayText(1.0, CellKind::Double, 1, 5), "1.000"); // cut to the width
}

TEST(GridTable, TypingRefusesAndKeepsThePreviousValue)
{
    GridTable t = MakeTable(2);
    t.setRows({Row(0, 1.0)});
    std::string error;
    EXPECT_FALSE(t.setCellText(0, 2, "0,9x", error));
    EXPECT_EQ(error, "Row 1, column \"c(A)\": \"0.9x\" is not a number.");
    EXPECT_EQ(t.value(0, 2), 1.0);

    EXPECT_FALSE(t.setCellText(0, 3, "1E39", error));
    EXPECT_NE(error.find("Row 1, column \"lambda\""), std::string::npos);
    EXPECT_EQ(t.value(0, 3), 0.0);

    EXPECT_FALSE(t.setCellText(0, 0, "5", error)); // the number column
    EXPECT_EQ(t.rowCount(), 1);

    // Typing into the row below the last one adds a row, until the table is full.
    EXPECT_TRUE(t.setCellText(1, 1, "5", error));
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.value(1, 1), 5.0);
    EXPECT_FALSE(t.setCellText(2, 1, "10", error));
    EXPECT_EQ(error, "Row 3, column \"t\": the table holds at most 2 points.");
    EXPECT_EQ(t.rowCount(), 2);
}

TEST(GridTable, ClipboardTextRows)
{
    const auto rows = SplitClipboardText("1\t2\r\n3\t\t4\n5\r\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"3", "", "4"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"5"}));
    EXPECT_TRUE(SplitClipboardText("").empty());
    EXPECT_EQ(JoinClipboardText(rows), "1\t2\r\n3\t\t4\r\n5\r\n");
}

TEST(GridTable, CopyAndPasteRoundTrip)
{
    GridTable t = MakeTable();
    t.setRows({Row(0, 1.0, 0.25f), Row(5, 0.6065306597126334, 3.14159f, -1), Row(10, 0.1234567890123, 1e-7f)});
    const std::string text = t.copyText(0, 0, 2, 4);
    EXPECT_EQ(text.substr(0, text.find('\r')), "1\t0\t1\t0.25\t0");

    GridTable u = MakeTable();
    std::string error, note;
    ASSERT_TRUE(u.paste(0, 0, text, error, note)) << error;
    EXPECT_EQ(note, "");
    ASSERT_EQ(u.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 1; c < 5; ++c)
            if (c == 3) // single precision: the same float
                EXPECT_EQ(float(u.value(r, c)), float(t.value(r, c))) << r;
            else
                EXPECT_EQ(u.value(r, c), t.value(r, c)) << r << "," << c;
    EXPECT_TRUE(u.excluded(1));
    EXPECT_FALSE(u.excluded(0));
}

TEST(GridTable, PasteFromTheCurrentCellGrowsTheTable)
{
    GridTable t = MakeTable();
    t.setRows({Row(0, 1.0, 0, 0, 1), Row(5, 0.5, 0, 0, 2)});
    std::string error, note;
    // Two columns from t on, starting in the second row, "," read as ".".
    ASSERT_TRUE(t.paste(1, 1, "6\t0,55\r\n10\t0,37\r\n15\t0,22\t7\t-1\t99\r\n", error, note)) << error;
    ASSERT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.value(0, 1), 0.0);  // untouched above
    EXPECT_EQ(t.value(1, 1), 6.0);
    EXPECT_EQ(t.value(1, 2), 0.55);
    EXPECT_EQ(t.row(1).key, 2);     // a pasted-over row keeps its record
    EXPECT_EQ(t.value(3, 3), 7.0);
    EXPECT_TRUE(t.excluded(3));     // the field beyond the last column was dropped
    EXPECT_EQ(t.row(3).key, -1);    // grown rows belong to no record yet
}

TEST(GridTable, PasteIsReadWholeBeforeAnythingChanges)
{
    struct Case {
        const char* text;
        int maxRows;
        const char* message;
    };
    const Case cases[] = {
        {"1\t2\r\n3\tx\r\n", 100, "Row 2, column \"c(A)\": \"x\" is not a number."},
        {"1\t2\t1E39\r\n", 100, "Row 1, column \"lambda\": \"1E39\" is too large for single precision."},
        {"1\t1E400\r\n", 100, "Row 1, column \"c(A)\": \"1E400\" is too large."},
        {"1\t2\r\n3\t4\r\n5\t6\r\n", 2, "Row 3: the table holds at most 2 points."},
        {"", 100, "The clipboard holds no text rows to paste."},
        // Text in a data line is refused whole, below a caption line too.
        {"t\tc(A)\r\n1\t2\r\n3\tx\r\n", 100, "Row 2, column \"c(A)\": \"x\" is not a number."},
        // A caption line counts: it is not a number but it is not a data line either.
        {"t\tc(A)\r\n1\t2\r\n3\t4\r\n5\t6\r\n", 2, "Row 3: the table holds at most 2 points."},
        // One line of text alone is no caption line: there are no data below it.
        {"t\tc(A)\r\n", 100, "Row 1, column \"t\": \"t\" is not a number."},
        // A line that holds a number is a data line, whatever else it holds.
        {"time\t2\r\n1\t2\r\n", 100, "Row 1, column \"t\": \"time\" is not a number."},
    };
    for (const Case& c : cases) {
        GridTable t = MakeTable(c.maxRows);
        t.setRows({Row(0, 1.0), Row(5, 0.5)});
        const auto before = t.rows();
        std::string error, note = "old";
        EXPECT_FALSE(t.paste(0, 1, c.text, error, note)) << c.text;
        EXPECT_EQ(note, "") << c.text;
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(t.rows(), before) << c.text;
    }
}

TEST(GridTable, PasteLeavesOutACaptionLine)
{
    // As a spreadsheet copies a block with its column captions (an empty
    // caption cell and a caption over the row number included).
    GridTable t = MakeTable();
    t.setRows({Row(0, 1.0, 0, 0, 1)});
    std::string error, note;
    ASSERT_TRUE(t.paste(0, 0, "No.\ttime / s\t\tlambda\r\n1\t0\t0,9\t12\r\n2\t5\t0.5\t7\r\n", error, note)) << error;
    EXPECT_EQ(note, "The first line of the pasted text (\"No.\", \"time / s\", \"lambda\") holds column captions, "
                    "not numbers: it was left out. 2 lines were pasted.");
    ASSERT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.value(0, 1), 0.0);
    EXPECT_EQ(t.value(0, 2), 0.9);
    EXPECT_EQ(t.value(1, 3), 7.0);
    EXPECT_EQ(t.row(0).key, 1);

    // Captions only over columns the paste fills count; one data line is enough.
    GridTable u = MakeTable();
    ASSERT_TRUE(u.paste(0, 2, "c(A)\tlambda\r\n0.5\t3\r\n", error, note)) << error;
    EXPECT_NE(note.find("1 line was pasted."), std::string::npos) << note;
    ASSERT_EQ(u.rowCount(), 1);
    EXPECT_EQ(u.value(0, 2), 0.5);
}

TEST(GridTable, ZeroRemoveAndSort)
{
    GridTable t = MakeTable();
    t.setRows({Row(10, 0.3, 0, 0, 1), Row(0, 1.0, 0, -1, 2), Row(5, 0.6, 0, 0, 3), Row(5, 0.61, 0, 0, 4)});

    t.sortByColumn(1);
    std::vector<int> keys;
    for (const GridRow& r : t.rows()) keys.push_back(r.key);
    EXPECT_EQ(keys, (std::vector<int>{2, 3, 4, 1})); // equal times keep their order
    EXPECT_TRUE(t.excluded(0));                       // the mark moves with its row

    t.zeroCells({{0, 4}, {1, 2}, {1, 0}, {9, 1}});
    EXPECT_FALSE(t.excluded(0));
    EXPECT_EQ(t.value(1, 2), 0.0);
    EXPECT_EQ(t.value(1, 1), 5.0);

    t.removeRows({3, 0, 3, 17});
    keys.clear();
    for (const GridRow& r : t.rows()) keys.push_back(r.key);
    EXPECT_EQ(keys, (std::vector<int>{3, 4}));
    t.renumberKeys();
    EXPECT_EQ(t.row(1).key, 2);
}

} // namespace
