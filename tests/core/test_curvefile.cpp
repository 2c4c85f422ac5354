#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/dataedit/curvefile.h"

using namespace kinhom;

namespace {

CurvePointFile Parse(const std::string& text, std::string* errorOut = nullptr)
{
    CurvePointFile f;
    f.title = "untouched";
    std::string error;
    const bool ok = ParseCurvePointText(text, "a.XY", f, error);
    if (errorOut) *errorOut = error;
    EXPECT_EQ(ok, error.empty()) << error;
    return f;
}

} // namespace

TEST(CurveFile, ReadsEverySeparatorAndDecimalSign)
{
    struct Case {
        const char* text;
        const char* separator;
        float x2, y2;
    } cases[] = {
        {"T\r\n1;1\r\n2.5;6.25\r\n", ";", 2.5f, 6.25f},
        {"T\r\n1;1\r\n2,5;6,25\r\n", ";", 2.5f, 6.25f},
        {"T\n1\t1\n2,5\t6.25\n", "\t", 2.5f, 6.25f},
        {"T\r\n1,1\r\n2.5,6.25", ",", 2.5f, 6.25f},
        {"T\r\n 1 ; 1 \r\n\r\n  -2.5E+01 ;.5\r\n  \r\n", ";", -25.0f, 0.5f},
        {"T\r1;1\r2;3E-05\r", ";", 2.0f, 3e-5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        const CurvePointFile f = Parse(c.text, &error);
        ASSERT_EQ(f.points.size(), 2u);
        EXPECT_EQ(f.title, "T");
        EXPECT_EQ(f.separator, c.separator);
        EXPECT_EQ(f.points[0], (KurvenPunkt{1, 1, 0}));
        EXPECT_EQ(f.points[1], (KurvenPunkt{c.x2, c.y2, 0}));
    }
}

TEST(CurveFile, MalformedFilesAreRefusedNamingTheLine)
{
    struct Case {
        const char* text;
        int line;             // 0: no line named
        const char* expected; // part of the error text
    } cases[] = {
        {"", 0, "The file is empty"},
        {"T\r\n1;1\r\n2;abc\r\n", 3, "y value: Type mismatch: \"abc\" is not a number"},
        {"T\r\n1;1\r\nx;4\r\n", 3, "x value: Type mismatch: \"x\""},
        {"T\r\n1;2;3\r\n", 2, "Expected x and y separated by \";\""},
        {"T\r\n1\r\n", 2, "Expected x and y separated by \",\""},
        {"T\r\n1;\r\n", 2, "y value: a number is missing"},
        {"T\r\n1,5,2\r\n", 2, "Expected x and y separated by \",\""},
        {"T\r\n1\t2\r\n3;4\r\n", 3, "Expected x and y separated by Tab"},
        {"T\r\n1.5x;2\r\n", 2, "x value: Type mismatch: \"1.5x\""},
        {"T\r\n1E;2\r\n", 2, "x value: Type mismatch: \"1E\""},
        {"T\r\n1;2E39\r\n", 2, "y value: Overflow: \"2E39\""},
        {"T\r\ninf;2\r\n", 2, "x value: Type mismatch: \"inf\""},
        {"T\r\n0x10;2\r\n", 2, "x value: Type mismatch: \"0x10\""},
        {"T\r\n1..2;2\r\n", 2, "x value: Type mismatch: \"1..2\""},
        {"T\r\n1;2\r\n3;4;\r\n", 3, "Expected x and y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CurvePointFile f;
        f.title = "untouched";
        f.points = {KurvenPunkt{9, 9, -1}};
        const CurvePointFile before = f;
        std::string error;
        EXPECT_FALSE(ParseCurvePointText(c.text, "a.XY", f, error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        const std::string where = c.line ? "File: a.XY, line " + std::to_string(c.line) : "File: a.XY";
        EXPECT_NE(error.find(where), std::string::npos) << error;
        EXPECT_EQ(f, before); // nothing changed
    }
}

TEST(CurveFile, TooManyPointsAreRefused)
{
    std::string text = "T\r\n";
    for (int i = 0; i <= kMaxCurveFilePoints; ++i) text += "1;2\r\n";
    CurvePointFile f;
    std::string error;
    EXPECT_FALSE(ParseCurvePointText(text, "big.XY", f, error));
    EXPECT_NE(error.find("big.XY, line " + std::to_string(kMaxCurveFilePoints + 2)), std::string::npos) << error;
    EXPECT_TRUE(f.points.empty());
}

TEST(CurveFile, WriterReaderWriterIsByteIdentical)
{
    // y = x^2 and values that need the exponent form or single-precision rounding
    std::vector<KurvenPunkt> points;
    for (int i = 1; i <= 10; ++i) points.push_back(KurvenPunkt{float(i), float(i * i), 0});
    points.push_back(KurvenPunkt{-1.5e-5f, 12345678.0f, -1});
    points.push_back(KurvenPunkt{0.1234567891f, -0.0f, 0});
    for (const char* sep : {";", ",", "\t"}) {
        SCOPED_TRACE(sep);
        const std::string first = CurvePointFileContent("y = x^2", points, sep);
        CurvePointFile f;
        std::string error;
        ASSERT_TRUE(ParseCurvePointText(first, "r.XY", f, error)) << error;
        EXPECT_EQ(f.title, "y = x^2");
        EXPECT_EQ(f.separator, sep);
        ASSERT_EQ(f.points.size(), points.size());
        EXPECT_EQ(f.points[3].y, 16.0f);
        EXPECT_EQ(CurvePointFileContent(f.title, f.points, f.separator), first);
    }
    // a title that would begin the file with a byte order mark (found by fuzzing)
    const std::string marked = CurvePointFileContent("\t\xEF\xBB\xBFT", points, ";");
    CurvePointFile f;
    std::string error;
    ASSERT_TRUE(ParseCurvePointText(marked, "m.XY", f, error)) << error;
    EXPECT_EQ(f.title, "T");
    EXPECT_EQ(CurvePointFileContent(f.title, f.points, ";"), marked);
}

TEST(CurveFile, ReadsFromDiskAndNamesAMissingFile)
{
    const auto dir = std::filesystem::temp_directory_path() / "kinhom_curvefile_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "p.LRG";
    std::ofstream(path, std::ios::binary) << "LRG\r\n0;1\r\n1;0,5\r\n";
    CurvePointFile f;
    std::string error;
    ASSERT_TRUE(ReadCurvePointFile(path, f, error)) << error;
    EXPECT_EQ(f.points.size(), 2u);
    EXPECT_FLOAT_EQ(f.points[1].y, 0.5f);
    EXPECT_FALSE(ReadCurvePointFile(dir / "none.XY", f, error));
    EXPECT_NE(error.find("none.XY"), std::string::npos);
    std::filesystem::remove_all(dir);
}
