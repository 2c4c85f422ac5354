// The experimental data file: round trips, units, appending, lambda rules and
// files that cannot be read (which must leave the data in memory untouched).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "builders.h"
#include "core/shell/datafile.h"
#include "core/shell/startup.h"

namespace kinhom {
namespace {

using namespace kinhom::test;

namespace fs = std::filesystem;

// Loads that tell the user something are checked where that is the point.
KinNotifyNone quiet;

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("kinhom-datafile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        SetStartupValues(d, dir.string(), ".");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string WriteRaw(const std::string& name, const std::string& bytes)
    {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    static std::string ReadRaw(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // A data set of three points in memory.
    void FillThreePoints()
    {
        d.Kommentar = "run 7";
        d.Zeiteinheit = "min";
        d.ZeiteinheitIndex = 1;
        std::vector<ExpPunkt> points;
        for (int i = 1; i <= 3; ++i)
            points.push_back(MeasuredPoint({.t = 10.0 * i, .A = 1.0 / (i + 1.0), .lambda = 0.5f * float(i)}));
        SetMeasuredPoints(d, points);
        d.LambdaUnendlich = 4.0;
    }

    // Writes the data in memory to a file and reads that into a fresh state.
    Declare SaveAndReadBack(const std::string& name)
    {
        const std::string file = (dir / name).string();
        std::string error;
        Declare r;
        SetStartupValues(r, dir.string(), ".");
        EXPECT_TRUE(WriteDataFile(d, file, error)) << error;
        EXPECT_TRUE(LoadDataFile(r, file, false, error, quiet)) << error;
        return r;
    }

    fs::path dir;
    Declare d;
};

const std::string kHeaderLine = "t, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, exclude(0|-1)";

TEST_F(DataFileTest, EveryFieldRoundTripsAndTIsRoundedToSingle)
{
    d.Kommentar = "Ester hydrolysis, 25 °C";
    d.Zeiteinheit = "h";
    SetMeasuredPoints(d, {MeasuredPoint({.t = 1.23456789, // 7 significant digits in the file
                                         .A = 0.123456789012345,
                                         .B = 2.5e-12,
                                         .C = 1e20,
                                         .P = -3.75,
                                         .Q = 42,
                                         .T = 298.15,
                                         .k = 6.02214076e23,
                                         .lambda = 0.000125f,
                                         .excluded = true}),
                          MeasuredPoint({.t = 0, .A = 1, .lambda = 7.25f})});
    ExpPunkt& a = d.ExpPunkte[1];
    a.res3 = -1.5e-5f;
    a.res4 = 12345678.0f; // exponent form in single precision
    const ExpPunkt& b = d.ExpPunkte[2];
    d.LambdaUnendlich = 9.875;

    const std::string file = (dir / "set.KV3").string();
    std::string error;
    ASSERT_TRUE(WriteDataFile(d, file, error)) << error;

    Declare r;
    SetStartupValues(r, dir.string(), ".");
    ASSERT_TRUE(LoadDataFile(r, file, false, error, quiet)) << error;
    EXPECT_EQ(r.Kommentar, d.Kommentar);
    EXPECT_EQ(r.Zeiteinheit, "h");
    EXPECT_EQ(r.ZeiteinheitIndex, 2);
    ASSERT_EQ(r.AnzahlPunkte, 2);
    ExpPunkt expected = a;
    expected.t = 1.234568;
    expected.res4 = 1.234568e7f; // singles are written with 7 significant digits
    EXPECT_EQ(r.ExpPunkte[1], expected);
    EXPECT_EQ(r.ExpPunkte[2], b);
    EXPECT_EQ(r.LambdaUnendlich, 9.875);
    EXPECT_EQ(r.Lambda0, 7.25);
}

TEST_F(DataFileTest, WrittenTextHasTheFileLayout)
{
    FillThreePoints();
    d.ExpPunkte[2].exclude = -1;
    d.ExpPunkte[3].T = 310.5;
    d.ExpPunkte[3].k = 0.015;
    d.ExpPunkte[3].c[2] = 1.5e-5;
    const std::string expected = "run 7\r\nmin\r\n" + kHeaderLine + "\r\n3\r\n"
                                 "10,0.5,0,0,0,0,0,0,0.5,4,0,0,0\r\n"
                                 "20,0.333333333333333,0,0,0,0,0,0,1,4,0,0,-1\r\n"
                                 "30,0.25,1.5E-05,0,0,0,0.015,310.5,1.5,4,0,0,0\r\n";
    EXPECT_EQ(DataFileText(d), expected);
}

TEST_F(DataFileTest, EmptyDataAreWrittenAsFourLines)
{
    d.Kommentar = "nothing yet";
    d.AnzahlPunkte = 0;
    const std::string file = (dir / "empty.KV3").string();
    std::string error;
    ASSERT_TRUE(WriteDataFile(d, file, error)) << error;
    EXPECT_EQ(ReadRaw(file), "nothing yet\r\ns\r\n" + kHeaderLine + "\r\n0\r\n");

    FillThreePoints();
    ASSERT_TRUE(LoadDataFile(d, file, false, error, quiet)) << error;
    EXPECT_EQ(d.AnzahlPunkte, 0);
    EXPECT_EQ(d.Kommentar, "nothing yet");
}

TEST_F(DataFileTest, UnitLineGivesTheUnitIndex)
{
    struct Case {
        std::string line;
        std::string unit;
        int index;
    };
    const Case cases[] = {{"s", "s", 0},          {"min", "min", 1},       {"h", "h", 2},
                          {"d", "d", 3},          {"a", "a", 4},           {"  d  ", "d", 3},
                          {"\"a\"", "a", 4},      {"min, extra", "min", 1}, {"weeks", "weeks", 0},
                          {"MIN", "MIN", 0},      {"", "", 0}};
    for (const Case& c : cases) {
        const std::string file = WriteRaw("u.KV3", "c\r\n" + c.line + "\r\nhdr\r\n1\r\n5,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
        Declare r;
        SetStartupValues(r, dir.string(), ".");
        r.ZeiteinheitIndex = 2;
        std::string error;
        ASSERT_TRUE(LoadDataFile(r, file, false, error, quiet)) << c.line << ": " << error;
        EXPECT_EQ(r.Zeiteinheit, c.unit) << c.line;
        EXPECT_EQ(r.ZeiteinheitIndex, c.index) << c.line;
        EXPECT_EQ(r.ExpPunkte[1].t, 5.0) << c.line;
    }
}

TEST_F(DataFileTest, AppendingKeepsCommentAndConvertsTimesIntoTheUnitInMemory)
{
    struct Case {
        std::string memoryUnit, fileUnit;
        double fileT, expectedT;
    };
    const Case cases[] = {
        {"min", "min", 7, 7},     {"min", "s", 120, 2},   {"s", "min", 2, 120},
        {"h", "d", 1, 24},        {"d", "a", 2, 730},     {"s", "h", 0.5, 1800},
    };
    for (const Case& c : cases) {
        FillThreePoints();
        d.Zeiteinheit = c.memoryUnit;
        d.ZeiteinheitIndex = ZeiteinheitIndexOf(c.memoryUnit);
        const std::string file = WriteRaw("app.KV3", "other comment\r\n" + c.fileUnit + "\r\nhdr\r\n2\r\n" +
                                                         "0,1,0,0,0,0,0,0,3.5,0,0,0,0\r\n" +
                                                         std::to_string(c.fileT) + ",0.5,0,0,0,0,0,0,2,0,0,0,0\r\n");
        std::string error;
        ASSERT_TRUE(LoadDataFile(d, file, true, error, quiet)) << error;
        EXPECT_EQ(d.AnzahlPunkte, 5);
        EXPECT_EQ(d.Kommentar, "run 7");
        EXPECT_EQ(d.Zeiteinheit, c.memoryUnit);
        EXPECT_EQ(d.ZeiteinheitIndex, ZeiteinheitIndexOf(c.memoryUnit));
        EXPECT_EQ(d.ExpPunkte[3].t, 30.0) << "points in memory keep their times";
        EXPECT_EQ(d.ExpPunkte[4].t, 0.0);
        EXPECT_DOUBLE_EQ(d.ExpPunkte[5].t, c.expectedT) << c.fileUnit << " -> " << c.memoryUnit;
        EXPECT_EQ(d.ExpPunkte[5].c[1], 0.5);
        EXPECT_EQ(d.LambdaUnendlich, 4.0) << "lambda(inf) 0 in the file keeps the value";
        EXPECT_EQ(d.Lambda0, 3.5);
    }
}

TEST_F(DataFileTest, AppendingToAnEmptyTableTakesTheFileUnit)
{
    d.Kommentar = "kept";
    d.Zeiteinheit = "s";
    const std::string file = WriteRaw("a.KV3", "c\r\nh\r\nhdr\r\n1\r\n2,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
    std::string error;
    ASSERT_TRUE(LoadDataFile(d, file, true, error, quiet)) << error;
    EXPECT_EQ(d.Zeiteinheit, "h");
    EXPECT_EQ(d.ZeiteinheitIndex, 2);
    EXPECT_EQ(d.ExpPunkte[1].t, 2.0);
    EXPECT_EQ(d.Kommentar, "kept");
}

// Keeps the messages a load tells the user.
struct Told final : KinNotify {
    std::vector<std::string> texts, titles;
    void message(const std::string& text, const std::string& title, int icon) override
    {
        EXPECT_EQ(icon, Exclamation);
        texts.push_back(text);
        titles.push_back(title);
    }
    void beep() override {}
    void captionsChanged(int) override {}
};

TEST_F(DataFileTest, LambdaRules)
{
    struct Case {
        std::string name, points;
        double lambda0, lambdaInf;
        const char* told; // what the user is told ("" nothing)
    };
    // lambda is field 9, lambda(inf) field 10, exclude field 13.
    const Case cases[] = {
        {"only t=0 point excluded", "0,1,0,0,0,0,0,0,2.5,0,0,0,-1\r\n1,1,0,0,0,0,0,0,3,0,0,0,0\r\n", 0, 4.0, ""},
        {"active t=0 point", "0,1,0,0,0,0,0,0,2.5,6,0,0,0\r\n1,1,0,0,0,0,0,0,3,0,0,0,0\r\n", 2.5, 6.0, ""},
        {"last positive lambda(inf) wins", "1,1,0,0,0,0,0,0,1,6,0,0,0\r\n2,1,0,0,0,0,0,0,1,7.5,0,0,0\r\n", 0, 7.5, ""},
        // A negative value is not taken, and the user is told so with the reason.
        {"negative lambda(inf) ignored", "1,1,0,0,0,0,0,0,-3,-2,0,0,0\r\n2,1,0,0,0,0,0,0,-2.5,-2,0,0,0\r\n", 0, 4.0,
         "The data file gives lambda(t = infin.) = -2; it was not taken, lambda(t = infin.) is 4."},
    };
    for (const Case& c : cases) {
        d.LambdaUnendlich = 4.0;
        d.Lambda0 = 99;
        const std::string file = WriteRaw("l.KV3", "c\r\ns\r\nhdr\r\n2\r\n" + c.points);
        std::string error;
        Told told;
        ASSERT_TRUE(LoadDataFile(d, file, false, error, told)) << c.name << ": " << error;
        EXPECT_EQ(d.Lambda0, c.lambda0) << c.name;
        EXPECT_EQ(d.LambdaUnendlich, c.lambdaInf) << c.name;
        if (*c.told == 0) {
            EXPECT_TRUE(told.texts.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(told.texts.size(), 1u) << c.name;
        EXPECT_EQ(told.titles[0], "message from LoadDataFile");
        EXPECT_EQ(told.texts[0].rfind(c.told, 0), 0u) << told.texts[0];
        EXPECT_NE(told.texts[0].find(kLambdaUnendlichRule), std::string::npos);
        EXPECT_NE(told.texts[0].find("File: " + file), std::string::npos) << told.texts[0];
    }

    // The load dialog's path tells it too; a refused file tells nothing.
    Told told;
    std::string error;
    WriteRaw("neg.KV3", "c\r\ns\r\nhdr\r\n1\r\n1,1,0,0,0,0,0,0,1,-0.5,0,0,0\r\n");
    WriteRaw("negbad.KV3", "c\r\ns\r\nhdr\r\n2\r\n1,1,0,0,0,0,0,0,1,-0.5,0,0,0\r\n");
    EXPECT_FALSE(LoadChosenDataFile(d, dir.string(), "negbad.KV3", false, error, told));
    EXPECT_TRUE(told.texts.empty());
    ASSERT_TRUE(LoadChosenDataFile(d, dir.string(), "neg.KV3", true, error, told)) << error;
    ASSERT_EQ(told.texts.size(), 1u);
    EXPECT_NE(told.texts[0].find("= -0.5;"), std::string::npos) << told.texts[0];

    // The editor's field: a negative value is refused with the same reason.
    std::string why;
    EXPECT_TRUE(LambdaUnendlichAccepted(0, why));
    EXPECT_TRUE(LambdaUnendlichAccepted(12.5, why));
    EXPECT_FALSE(LambdaUnendlichAccepted(-0.25, why));
    EXPECT_EQ(why, std::string("lambda(t = infin.) = -0.25 is not taken.\r\n") + kLambdaUnendlichRule);
}

TEST_F(DataFileTest, CrLfAndLfAndWindows1252ReadAlike)
{
    const std::string body = "s\nhdr\n2\n1,.5,0,0,0,0,0,0,0,0,0,0,0\n 2 , 1.5E-01 ,0,0,0,0,0,0,0,0,0,0,-1\n";
    std::string crlf;
    for (char c : "Messung 25\xB0" "C\n" + body) {
        if (c == '\0') break;
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    for (const std::string& bytes : {"Messung 25\xB0" "C\n" + body, crlf}) {
        Declare r;
        SetStartupValues(r, dir.string(), ".");
        std::string error;
        ASSERT_TRUE(LoadDataFile(r, WriteRaw("w.KV3", bytes), false, error, quiet)) << error;
        EXPECT_EQ(r.Kommentar, "Messung 25\xC2\xB0" "C");
        ASSERT_EQ(r.AnzahlPunkte, 2);
        EXPECT_EQ(r.ExpPunkte[1].c[1], 0.5);
        EXPECT_EQ(r.ExpPunkte[2].t, 2.0);
        EXPECT_EQ(r.ExpPunkte[2].c[1], 0.15);
        EXPECT_EQ(r.ExpPunkte[2].exclude, -1);
    }
}

// The parts of the state a failed load must not touch.
struct Snapshot {
    explicit Snapshot(const Declare& d)
        : punkte(d.ExpPunkte), anzahl(d.AnzahlPunkte), datei(d.DateiName), kommentar(d.Kommentar),
          einheit(d.Zeiteinheit), index(d.ZeiteinheitIndex), lambda0(d.Lambda0), lambdaInf(d.LambdaUnendlich),
          geaendert(d.DatenGeaendert)
    {
    }
    bool operator==(const Snapshot&) const = default;
    std::vector<ExpPunkt> punkte;
    int anzahl;
    std::string datei, kommentar, einheit;
    std::int16_t index;
    double lambda0, lambdaInf;
    bool geaendert;
};

TEST_F(DataFileTest, FileCutAnywhereChangesNothing)
{
    const std::string full = "cut test\r\nh\r\n" + kHeaderLine + "\r\n3\r\n"
                             "0,1,0,0,0,0,0,0,2,5,0,0,0\r\n"
                             "1.5,0.75,0,0,0,0,0,0,3,5,0,0,-1\r\n"
                             "3,0.5,0.25,0,0,0,0.125,300,4,5,1,2,-1\r\n";
    FillThreePoints();
    d.DateiName = "/old/run7.KV3";
    d.DatenGeaendert = true;
    // Every cut before the last field is complete.
    const std::size_t lastComplete = full.size() - 2;
    for (std::size_t cut = 0; cut < lastComplete; ++cut) {
        const std::string file = WriteRaw("cut.KV3", full.substr(0, cut));
        for (bool append : {false, true}) {
            const Snapshot before(d);
            std::string error;
            EXPECT_FALSE(LoadDataFile(d, file, append, error, quiet)) << "cut at " << cut;
            EXPECT_TRUE(Snapshot(d) == before) << "cut at " << cut << (append ? " (append)" : "");
            EXPECT_NE(error.find(file), std::string::npos) << error;
        }
    }
    std::string error;
    ASSERT_TRUE(LoadDataFile(d, WriteRaw("whole.KV3", full.substr(0, lastComplete)), false, error, quiet)) << error;
    EXPECT_EQ(d.AnzahlPunkte, 3);
}

TEST_F(DataFileTest, BadFieldsAreRefusedWithFileAndLine)
{
    struct Case {
        std::string count, line5, line6;
        int badLine;
    };
    const std::string ok = "1,1,0,0,0,0,0,0,0,0,0,0,0";
    const Case cases[] = {
        {"2", "abc,1,0,0,0,0,0,0,0,0,0,0,0", ok, 5},
        {"2", ok, "1.2.3,1,0,0,0,0,0,0,0,0,0,0,0", 6},
        {"2", ok, "1e,1,0,0,0,0,0,0,0,0,0,0,0", 6},
        {"2", ok, "1,1e400,0,0,0,0,0,0,0,0,0,0,0", 6},     // beyond double
        {"2", ok, "1,1,0,0,0,0,0,0,1e39,0,0,0,0", 6},      // lambda beyond single
        {"2", ok, "7E38,1,0,0,0,0,0,0,0,0,0,0,0", 6},       // t is written in single precision
        {"2", "-3.5e38,1,0,0,0,0,0,0,0,0,0,0,0", ok, 5},
        {"2", ok, "1,1,0,0,0,0,0,0,0,0,0,0,0.5", 6},       // exclude not whole
        {"2", ok, "1,1,0,0,0,0,0,0,0,0,0,0,40000", 6},     // exclude beyond Integer
        {"2", ok, "nan,1,0,0,0,0,0,0,0,0,0,0,0", 6},
        {"2", ok, "inf,1,0,0,0,0,0,0,0,0,0,0,0", 6},
        {"2", ok, "0x10,1,0,0,0,0,0,0,0,0,0,0,0", 6},
        {"2", ok, "1,1,0,0,0,0,0,0,0,0,0,0", 6},            // 12 fields
        {"2", ok, "1,1,0,0,0,0,0,0,0,0,0,0,0,0", 6},        // 14 fields
        {"2", ok, "1,1,,0,0,0,0,0,0,0,0,0,0", 6},           // empty field
        {"2", ok, "", 6},
        {"-1", ok, ok, 4},
        {"32768", ok, ok, 4},
        {"2.5", ok, ok, 4},
        {"two", ok, ok, 4},
        {"", ok, ok, 4},
        {"3", ok, ok, 7},                                   // announces more lines than follow
    };
    FillThreePoints();
    for (const Case& c : cases) {
        const std::string file =
            WriteRaw("bad.KV3", "c\r\ns\r\nhdr\r\n" + c.count + "\r\n" + c.line5 + "\r\n" + c.line6 + "\r\n");
        const Snapshot before(d);
        std::string error;
        EXPECT_FALSE(LoadDataFile(d, file, false, error, quiet)) << c.count << " | " << c.line6;
        EXPECT_TRUE(Snapshot(d) == before) << c.line6;
        EXPECT_NE(error.find(file), std::string::npos) << error;
        EXPECT_NE(error.find("line " + std::to_string(c.badLine)), std::string::npos) << error;
    }
}

TEST_F(DataFileTest, MissingFileAndTooManyPointsChangeNothing)
{
    FillThreePoints();
    const Snapshot before(d);
    std::string error;
    EXPECT_FALSE(LoadDataFile(d, (dir / "nope.KV3").string(), false, error, quiet));
    EXPECT_TRUE(Snapshot(d) == before);
    EXPECT_NE(error.find("nope.KV3"), std::string::npos);

    // A table that is full takes no further point.
    d.AnzahlPunkte = kMaxExpPunkte;
    d.ExpPunkte.assign(kMaxExpPunkte + 1, ExpPunkt{});
    const Snapshot full(d);
    const std::string file = WriteRaw("one.KV3", "c\r\ns\r\nhdr\r\n1\r\n1,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_FALSE(LoadDataFile(d, file, true, error, quiet));
    EXPECT_TRUE(Snapshot(d) == full);
    EXPECT_TRUE(LoadDataFile(d, file, false, error, quiet)) << "replacing is fine";
    EXPECT_EQ(d.AnzahlPunkte, 1);
}

TEST_F(DataFileTest, ChosenFileReplacesOrAppendsAndFailureKeepsEverything)
{
    FillThreePoints();
    d.DateiName = "/old/run7.KV3";
    d.DatenGeaendert = true;
    WriteRaw("new.KV3", "new comment\r\nmin\r\nhdr\r\n1\r\n4,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
    WriteRaw("broken.KV3", "x\r\nmin\r\nhdr\r\n1\r\n4,1,0\r\n");
    std::string error;

    const Snapshot before(d);
    EXPECT_FALSE(LoadChosenDataFile(d, dir.string(), "broken.KV3", false, error, quiet));
    EXPECT_TRUE(Snapshot(d) == before);
    EXPECT_NE(error.find("line 5"), std::string::npos) << error;

    ASSERT_TRUE(LoadChosenDataFile(d, dir.string(), "new.KV3", true, error, quiet)) << error;
    EXPECT_EQ(d.AnzahlPunkte, 4);
    EXPECT_TRUE(d.DatenGeaendert) << "merged data match no file";
    EXPECT_EQ(d.Kommentar, "run 7");

    ASSERT_TRUE(LoadChosenDataFile(d, dir.string() + "/", "new.KV3", false, error, quiet)) << error;
    EXPECT_EQ(d.AnzahlPunkte, 1);
    EXPECT_FALSE(d.DatenGeaendert);
    EXPECT_EQ(d.DateiName, (dir / "new.KV3").string());
    EXPECT_EQ(d.ExpDatenPfad, dir.string() + "/");
    EXPECT_EQ(d.Kommentar, "new comment");
}

TEST_F(DataFileTest, FailedWriteKeepsTheOldFile)
{
    FillThreePoints();
    std::string error;
    EXPECT_FALSE(WriteDataFile(d, (dir / "no-such-folder" / "x.KV3").string(), error));
    EXPECT_NE(error.find("x.KV3"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));

    const std::string file = WriteRaw("old.KV3", "old content\r\n");
    d.ExpPunkte[2].lambda = std::numeric_limits<float>::infinity(); // would not read back
    EXPECT_FALSE(WriteDataFile(d, file, error));
    EXPECT_EQ(ReadRaw(file), "old content\r\n");
    d.ExpPunkte[2].lambda = 1;
    d.ExpPunkte[3].t = 1e39; // beyond single precision
    EXPECT_FALSE(WriteDataFile(d, file, error));
    EXPECT_EQ(ReadRaw(file), "old content\r\n");
}

TEST_F(DataFileTest, CommentWithLineBreaksStaysOneLine)
{
    FillThreePoints();
    d.Kommentar = "first\r\nsecond";
    const std::string file = (dir / "c.KV3").string();
    std::string error;
    ASSERT_TRUE(WriteDataFile(d, file, error)) << error;
    Declare r;
    SetStartupValues(r, dir.string(), ".");
    ASSERT_TRUE(LoadDataFile(r, file, false, error, quiet)) << error;
    EXPECT_EQ(r.Kommentar, "first  second");
    EXPECT_EQ(r.AnzahlPunkte, 3);
}

// Times of an appended file converted into the unit in memory must still be
// writable: a time in years that is beyond single precision in seconds is
// refused (file and line named) and nothing infinite is ever stored.
TEST_F(DataFileTest, AppendedTimesBeyondSinglePrecisionAfterConversionAreRefused)
{
    struct Case {
        std::string fileT;
        bool loads;
    };
    const Case cases[] = {{"1E+301", false}, {"1e32", false}, {"-1e32", false}, {"1e30", true}, {"3.4e38", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileT);
        FillThreePoints();
        d.Zeiteinheit = "s";
        d.ZeiteinheitIndex = 0;
        const std::string file = WriteRaw("years.KV3", "in years\r\na\r\nhdr\r\n2\r\n0,1,0,0,0,0,0,0,0,0,0,0,0\r\n" +
                                                           c.fileT + ",1,0,0,0,0,0,0,0,0,0,0,0\r\n");
        const Snapshot before(d);
        std::string error;
        ASSERT_EQ(LoadDataFile(d, file, true, error, quiet), c.loads) << error;
        if (!c.loads) {
            EXPECT_TRUE(Snapshot(d) == before);
            EXPECT_NE(error.find(file + ", line 6"), std::string::npos) << error;
            EXPECT_NE(error.find("Overflow"), std::string::npos) << error;
            continue;
        }
        EXPECT_DOUBLE_EQ(d.ExpPunkte[5].t, 1e30 * 31536000);
        // and what loaded saves
        EXPECT_TRUE(WriteDataFile(d, (dir / "saved.KV3").string(), error)) << error;
    }
}

// The largest doubles, which a plain 15-digit text rounds beyond the range,
// are written so that the file reads back.
TEST_F(DataFileTest, LargestDoublesSaveAndReadBack)
{
    FillThreePoints();
    const double max = std::numeric_limits<double>::max();
    d.ExpPunkte[1].c[1] = max;
    d.ExpPunkte[2].c[5] = -1.7976931348623151e308;
    d.ExpPunkte[3].k = std::nextafter(max, 0.0);
    d.ExpPunkte[3].T = max;
    d.LambdaUnendlich = max;
    const Declare r = SaveAndReadBack("max.KV3");
    ASSERT_EQ(r.AnzahlPunkte, 3);
    EXPECT_EQ(r.ExpPunkte[1].c[1], 1.79769313486231e308);
    EXPECT_EQ(r.ExpPunkte[2].c[5], -1.79769313486231e308);
    EXPECT_EQ(r.ExpPunkte[3].k, 1.79769313486231e308);
    EXPECT_EQ(r.LambdaUnendlich, 1.79769313486231e308);
}

// The time-unit line is read as a text field and written so that it reads
// back as the same text, whatever it holds.
TEST_F(DataFileTest, TimeUnitLineRoundTrips)
{
    const std::string units[] = {"min", "\",", "a,b", " s ", "\"h\"", "x\"y", "", "\"", "d\t"};
    for (const std::string& unit : units) {
        SCOPED_TRACE(unit);
        FillThreePoints();
        d.Zeiteinheit = unit;
        const Declare r = SaveAndReadBack("unit.KV3");
        EXPECT_EQ(r.Zeiteinheit, unit);
        EXPECT_EQ(DataFileText(r), DataFileText(d));
    }
}

} // namespace
} // namespace kinhom
