#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/shell/protname.h"

namespace fs = std::filesystem;
using namespace kinhom;

namespace {

class ProtNameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kinhom_protname_" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void touch(const std::string& name) { std::ofstream(dir / name) << "x"; }
    std::size_t fileCount() const
    {
        return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

} // namespace

TEST(ProtFileName, DatePartsAreTwoDigitsEach)
{
    struct Case {
        int y, m, d, n;
        const char* name;
    } cases[] = {
        {2024, 3, 5, 1, "24030501.CSV"},
        {2000, 12, 31, 9, "00123109.CSV"},
        {1999, 1, 1, 42, "99010142.CSV"},
        {2031, 10, 9, 99, "31100999.CSV"},
        {2024, 3, 5, 100, "240305100.CSV"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProtFileName(c.y, c.m, c.d, c.n), c.name) << c.name;
}

TEST_F(ProtNameTest, FirstFreeCounterIsFoundAndNothingIsCreated)
{
    EXPECT_EQ(NextProtFileName(dir, 2024, 3, 5), "24030501.CSV");
    touch("24030501.CSV");
    touch("24030502.CSV");
    // Another day's files and a gap further on do not matter.
    touch("24030601.CSV");
    touch("24030504.CSV");
    EXPECT_EQ(NextProtFileName(dir, 2024, 3, 5), "24030503.CSV");
    EXPECT_EQ(NextProtFileName(dir, 2024, 3, 5), "24030503.CSV");
    EXPECT_EQ(fileCount(), 4u);
}

TEST_F(ProtNameTest, AfterNinetyNineTheCounterGoesOnWithThreeDigits)
{
    for (int n = 1; n <= 99; ++n)
        touch(ProtFileName(2024, 3, 5, n));
    EXPECT_EQ(NextProtFileName(dir, 2024, 3, 5), "240305100.CSV");
    touch("240305100.CSV");
    EXPECT_EQ(NextProtFileName(dir, 2024, 3, 5), "240305101.CSV");
}

TEST_F(ProtNameTest, MissingFolderGivesTheFirstName)
{
    EXPECT_EQ(NextProtFileName(dir / "does-not-exist", 2024, 3, 5), "24030501.CSV");
}

TEST_F(ProtNameTest, TodaysNameHasEightDigitsAndTheExtension)
{
    const std::string name = NextProtFileNameToday(dir);
    ASSERT_EQ(name.size(), 12u);
    EXPECT_EQ(name.substr(6), "01.CSV");
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(name[std::size_t(i)] >= '0' && name[std::size_t(i)] <= '9') << name;
}
