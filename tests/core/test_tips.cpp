#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/shell/tips.h"

namespace fs = std::filesystem;
using namespace kinhom;

TEST(Tips, SettingRule)
{
    struct Case {
        bool present;
        const char* stored;
        bool show;
    } cases[] = {
        {false, "", true},     // missing key counts as "1"
        {true, "1", true},
        {true, "0", false},
        {true, " 0 ", false},  // blanks around a number
        {true, "0.0", false},
        {true, "-0", false},
        {true, "2", true},     // any other number shows tips
        {true, "-1", true},
        {true, "abc", true},   // not a number: counts as "1"
        {true, "0abc", true},
        {true, "", true},
        {true, "false", true},
        {true, "0x0", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TipsShowAtStartup(c.present, c.stored), c.show) << '"' << c.stored << '"';
}

TEST(Tips, RandomTipStaysWithinTheList)
{
    struct Case {
        double r;
        int count;
        int tip;
    } cases[] = {
        {0.0, 3, 1}, {0.3333, 3, 1}, {0.34, 3, 2}, {0.6667, 3, 3}, {0.999999, 3, 3},
        {0.5, 1, 1}, {0.7, 0, 1},   // empty list: Int(r * 0 + 1) = 1
        {1.0, 3, 3},                // never beyond the last tip
    };
    for (const Case& c : cases)
        EXPECT_EQ(RandomTipNumber(c.r, c.count), c.tip) << c.r << " " << c.count;
}

TEST(Tips, FileNameFollowsTheLanguage)
{
    EXPECT_EQ(TipFileName(true), "KINTIPS_E.TXT");
    EXPECT_EQ(TipFileName(false), "KINTIPS.TXT");
    EXPECT_EQ(TipsFileNotFoundText("KINTIPS_E.TXT", "\r\n"), "The file KINTIPS_E.TXT was not found \r\n\r\n");
}

class TipsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kinhom_tips_" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path write(const std::string& content)
    {
        const fs::path p = dir / "KINTIPS_E.TXT";
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }
    fs::path dir;
};

TEST_F(TipsFile, LinesBecomeTipsAndNextWraps)
{
    TipState s;
    ASSERT_TRUE(LoadTips(s, write("first\r\nsecond\r\n\r\nfourth")));
    ASSERT_EQ(s.TipList.size(), 4u);
    EXPECT_EQ(s.TipList[2], "");          // an empty line is an empty tip
    EXPECT_EQ(s.CurrentTip, 1);           // loading advances to the first tip
    EXPECT_EQ(*CurrentTipText(s), "first");
    s.CurrentTip = 4;
    DoNextTip(s);
    EXPECT_EQ(s.CurrentTip, 1);
    EXPECT_EQ(*CurrentTipText(s), "first");
}

TEST_F(TipsFile, OneLineRepeats)
{
    TipState s;
    ASSERT_TRUE(LoadTips(s, write("only one\n")));
    DoNextTip(s);
    DoNextTip(s);
    EXPECT_EQ(*CurrentTipText(s), "only one");
}

TEST_F(TipsFile, EmptyFileIsReadButGivesNoTip)
{
    TipState s;
    EXPECT_TRUE(LoadTips(s, write("")));
    EXPECT_TRUE(s.TipList.empty());
    EXPECT_EQ(CurrentTipText(s), nullptr);
    DoNextTip(s);
    EXPECT_EQ(CurrentTipText(s), nullptr);
}

TEST_F(TipsFile, MissingFileOrEmptyPathChangesNothing)
{
    TipState s;
    s.TipList = {"kept"};
    s.CurrentTip = 1;
    EXPECT_FALSE(LoadTips(s, dir / "KINTIPS_E.TXT"));
    EXPECT_FALSE(LoadTips(s, fs::path()));
    EXPECT_FALSE(LoadTips(s, dir));       // a folder is not a tips file
    EXPECT_EQ(s.TipList.size(), 1u);
    EXPECT_EQ(s.CurrentTip, 1);
}

TEST_F(TipsFile, SecondLoadAppends)
{
    TipState s;
    const fs::path p = write("a\nb\n");
    ASSERT_TRUE(LoadTips(s, p));
    ASSERT_TRUE(LoadTips(s, p));
    EXPECT_EQ(s.TipList.size(), 4u);
    EXPECT_EQ(s.CurrentTip, 2);
}
