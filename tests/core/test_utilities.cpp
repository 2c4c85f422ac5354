#include "core/shell/unitlabels.h"
#include "core/shell/utilities.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

// ---- NumKeyFilter -------------------------------------------------------------------

TEST(Utilities, NumKeyFilter)
{
    struct Case {
        int key;
        bool passes;
        int after;
    };
    const Case cases[] = {
        {',', true, '.'}, // the comma becomes the decimal point
        {'.', true, '.'},  {'0', true, '0'}, {'9', true, '9'}, {'E', true, 'E'}, {'e', true, 'e'},
        {'-', true, '-'},  {13, true, 13},   {8, true, 8},     {127, true, 127},
        {'x', false, 'x'}, {'+', false, '+'}, {' ', false, ' '}, {'D', false, 'D'}, {'/', false, '/'},
        {':', false, ':'}, {0, false, 0},    {2, false, 2},  {31, false, 31},
        // focus, Esc and the editing shortcuts always pass
        {9, true, 9},      {27, true, 27},   {1, true, 1},   {3, true, 3},     {22, true, 22},
        {24, true, 24},    {26, true, 26},
    };
    for (const auto& c : cases) {
        int key = c.key;
        EXPECT_EQ(NumKeyFilter(key), c.passes) << c.key;
        EXPECT_EQ(key, c.after) << c.key;
    }
}

// ---- busy cursor ---------------------------------------------------------------------

class RecordingCursor : public CursorControl {
public:
    int current() const override { return pointer; }
    void set(int p) override
    {
        pointer = p;
        sets.push_back(p);
    }
    int pointer = 3;
    std::vector<int> sets;
};

TEST(Utilities, NestedHourglassRestoresAtTheOutermostOff)
{
    Declare d;
    RecordingCursor cursor;
    HourglassOn(d, cursor);
    EXPECT_EQ(d.SavedMousePointer, 3);
    EXPECT_EQ(cursor.pointer, CursorControl::kHourglass);
    HourglassOn(d, cursor); // already the hourglass: not set again, not saved again
    EXPECT_EQ(d.HourglassCount, 2);
    EXPECT_EQ(d.SavedMousePointer, 3);
    EXPECT_EQ(cursor.sets, std::vector<int>{CursorControl::kHourglass});
    HourglassOff(d, cursor);
    EXPECT_EQ(cursor.pointer, CursorControl::kHourglass);
    HourglassOff(d, cursor);
    EXPECT_EQ(d.HourglassCount, 0);
    EXPECT_EQ(cursor.pointer, 3);
    EXPECT_EQ(cursor.sets, (std::vector<int>{CursorControl::kHourglass, 3}));
}

TEST(Utilities, UnmatchedHourglassOffGoesBelowZero)
{
    Declare d;
    d.SavedMousePointer = 5;
    RecordingCursor cursor;
    HourglassOff(d, cursor);
    EXPECT_EQ(d.HourglassCount, -1);
    EXPECT_EQ(cursor.pointer, 5); // restores what was saved before
    cursor.pointer = 2;
    HourglassOn(d, cursor); // count 0: the pointer 2 is not saved
    EXPECT_EQ(d.HourglassCount, 0);
    EXPECT_EQ(d.SavedMousePointer, 5);
    EXPECT_EQ(cursor.pointer, CursorControl::kHourglass);
    HourglassOff(d, cursor);
    EXPECT_EQ(cursor.pointer, 5);
}

// ---- ShortPathDisplay -----------------------------------------------------------------

TEST(Utilities, ShortPathDisplay)
{
    struct Case {
        std::string path;
        int maxLen;
        std::string shown;
    };
    const std::string forty = "C:\\Programme\\KINHOM\\Daten\\Versuch001.KV3"; // 40 characters
    ASSERT_EQ(forty.size(), 40u);
    const Case cases[] = {
        {forty, 60, forty},
        {forty, 40, forty},
        // n = 40, maxLen 30: the first "\" from position 16 is the one before "Daten".
        {forty, 30, "C:\\...\\Daten\\Versuch001.KV3"},
        // maxLen 20: search from position 26, the "\" before "Versuch001.KV3".
        {forty, 20, "C:\\...\\Versuch001.KV3"},
        // "/" is a separator as well.
        // n = 39, maxLen 30: from position 15 the first "/" is the one before "messungen".
        {"/home/anna/kinetik/messungen/serie1.KV3", 30, "/ho.../messungen/serie1.KV3"},
        // No separator in the searched part.
        {"C:\\Daten\\eine_sehr_lange_datei.KV3", 20, "C:\\..."},
        // Characters, not bytes: each "ä" is one character.
        {"/ää/ääääää/äääää/x.txt", 12, "/ää.../x.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortPathDisplay(c.path, c.maxLen), c.shown) << c.path << " " << c.maxLen;
}

// ---- FileExists -------------------------------------------------------------------------

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kinhom_util_" + std::to_string(rd()));
        fs::create_directories(dir_ / "sub");
        std::ofstream(dir_ / "KINTIPS_E.TXT") << "tip";
        std::ofstream(dir_ / "sub" / "data.KV3") << "x";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

TEST_F(FileExistsTest, NamesAndFolders)
{
    const std::string prog = dir_.string();
    EXPECT_FALSE(FileExists("", prog));
    EXPECT_TRUE(FileExists("KINTIPS_E.TXT", prog));           // bare name: program folder
    EXPECT_FALSE(FileExists("kintips_e.txt", prog));          // names keep their case
    EXPECT_FALSE(FileExists("data.KV3", prog));               // not in the program folder
    EXPECT_TRUE(FileExists((dir_ / "sub" / "data.KV3").string(), prog));
    EXPECT_TRUE(FileExists((dir_ / "sub" / "data.KV3").string(), ""));
    EXPECT_FALSE(FileExists((dir_ / "sub" / "missing.KV3").string(), prog));
    EXPECT_FALSE(FileExists((dir_ / "sub").string(), prog));  // a folder is no file
    EXPECT_FALSE(FileExists("sub", prog));
    EXPECT_FALSE(FileExists(std::string("KINTIPS_E.TXT\0x", 15), prog)); // invalid name
    EXPECT_FALSE(FileExists((dir_ / "KINTIPS_E.TXT" / "x").string(), prog)); // a file as folder
}

// ---- unit captions ----------------------------------------------------------------------

TEST(UnitLabels, TextsOfTheTimeUnit)
{
    const UnitTexts t = MakeUnitTexts("min  ");
    EXPECT_EQ(t.u, "min");
    EXPECT_EQ(t.K0, "/(mol/(min*l))");
    EXPECT_EQ(t.K1, "/(1/min)");
    EXPECT_EQ(t.K2, "/(l/(min*mol))");
}

TEST(UnitLabels, CaptionsPerModel)
{
    const std::string K0 = "/(mol/(h*l))", K1 = "/(1/h)", K2 = "/(l/(h*mol))";
    struct Case {
        int model;
        std::string unit1, unit2;
    };
    const Case cases[] = {
        {1, K0, K1},  {2, K1, K1},  {3, K2, K1},  {4, K2, K1},  {5, K1, K1},  {6, K1, K1},  {7, K2, K2},
        {8, K1, K1},  {9, K2, K1},  {10, K2, K1}, {11, K1, K1}, {12, K2, K2}, {13, K2, K1}, {14, K1, K1},
        {15, K1, K1}, {16, K1, K1}, {17, K2, K1}, {18, K2, K1}, {20, "", K1}, {0, K1, K1},  {19, K1, K1},
    };
    for (const auto& c : cases) {
        const UnitCaptions u = UnitCaptionsFor(c.model, "h");
        EXPECT_EQ(u.unit1, c.unit1) << c.model;
        EXPECT_EQ(u.unit2, c.unit2) << c.model;
        EXPECT_EQ(u.unit3, K1) << c.model;
    }
}

TEST(UnitLabels, Model17WithMinutesAndTheFixedCaptions)
{
    const UnitCaptions u = UnitCaptionsFor(17, "min");
    EXPECT_EQ(u.unit1, "/(l/(min*mol))");
    EXPECT_EQ(u.unit2, "/(1/min)");
    EXPECT_EQ(u.unit3, "/(1/min)");
    EXPECT_EQ(u.lblZeitEinheit, "min");
    EXPECT_EQ(u.lblVPunktInput, "V* /m^3/min");
    EXPECT_EQ(u.unit4, "min");
    EXPECT_EQ(u.Bz1_2, "Time t/min");
    EXPECT_EQ(u.lblKopf_5, "  time t/min");
}

} // namespace
