// File names, patterns and the places a project's data file is looked for.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/shell/filenames.h"

namespace kinhom {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, FileNameOnlyAndFolderPart)
{
    struct Case {
        std::string path, name, folder;
    };
    const Case cases[] = {
        {"/home/u/data/run.KV3", "run.KV3", "/home/u/data/"},
        {"C:\\KIN\\Run.kv3", "Run.kv3", "C:\\KIN\\"},
        {"run.KV3", "run.KV3", ""},
        {"/home/u/", "", "/home/u/"},
        {"", "", ""},
        {"mixed\\dir/File", "File", "mixed\\dir/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNameOnly(c.path), c.name) << c.path;
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    }
    EXPECT_EQ(JoinFolderName("/a/b", "x.KV3"), "/a/b/x.KV3");
    EXPECT_EQ(JoinFolderName("/a/b/", "x.KV3"), "/a/b/x.KV3");
    EXPECT_EQ(JoinFolderName("", "x.KV3"), "x.KV3");
}

TEST(FileNames, PatternsMatchWithoutRegardToCase)
{
    struct Case {
        std::string name, pattern;
        bool match;
    };
    const Case cases[] = {
        {"run.KV3", "*.KV3", true},      {"run.kv3", "*.KV3", true},     {"RUN.Kv3", "*.kv3", true},
        {"run.KV3.bak", "*.KV3", false}, {"run.KC3", "*.KV3", false},    {"a.txt", "*.*", true},
        {"README", "*.*", false},        {"README", "*", true},          {"r1.KV3", "r?.KV3", true},
        {"r12.KV3", "r?.KV3", false},    {"x.KC3", "*.KV3;*.KC3", true}, {"x.TXT", "*.KV3; *.txt", true},
        {"anything", "", true},          {"Mäßig.kv3", "M?ßig.*", true}, {"aXbXc", "*X*X*", true},
        {"aXb", "*X*X*", false},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match) << c.name << " / " << c.pattern;
    EXPECT_TRUE(HasWildcards("*.TXT"));
    EXPECT_TRUE(HasWildcards("r?.KV3"));
    EXPECT_FALSE(HasWildcards("run.KV3"));
    EXPECT_TRUE(EndsWithNoCase("a.kv3", "KV3"));
    EXPECT_FALSE(EndsWithNoCase("V3", "KV3"));
}

class FileNamesOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kinhom-filenames-" +
                                           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir / "proj");
        fs::create_directories(dir / "prog");
        fs::create_directories(dir / "Sub");
        fs::create_directories(dir / ".hidden");
    }
    void TearDown() override { fs::remove_all(dir); }
    void Touch(const fs::path& p, const std::string& text = "x\r\n") { std::ofstream(p, std::ios::binary) << text; }
    fs::path dir;
};

TEST_F(FileNamesOnDisk, ListsAndFirstLine)
{
    Touch(dir / "b.KV3");
    Touch(dir / "A.kv3");
    Touch(dir / "c.KC3");
    std::string error;
    EXPECT_EQ(ListMatchingFiles(dir.string(), "*.KV3", error), (std::vector<std::string>{"A.kv3", "b.KV3"}));
    EXPECT_EQ(ListSubFolders(dir.string(), error), (std::vector<std::string>{"prog", "proj", "Sub"}));
    EXPECT_TRUE(ListMatchingFiles((dir / "gone").string(), "*", error).empty());
    EXPECT_FALSE(error.empty());

    std::string line = "unchanged";
    Touch(dir / "first.KV3", "Kommentar \xE4 1\r\nmin\r\n");
    ASSERT_TRUE(ReadFirstLine((dir / "first.KV3").string(), line));
    EXPECT_EQ(line, "Kommentar \xC3\xA4 1");
    Touch(dir / "empty.KV3", "");
    EXPECT_FALSE(ReadFirstLine((dir / "empty.KV3").string(), line));
    EXPECT_FALSE(ReadFirstLine((dir / "missing.KV3").string(), line));
}

TEST_F(FileNamesOnDisk, ProjectDataFileIsLookedForBesideTheProjectFirst)
{
    const std::string proj = (dir / "proj").string(), prog = (dir / "prog").string();
    EXPECT_EQ(FindProjectDataFile("d.KV3", proj, prog), "");
    Touch(dir / "prog" / "d.KV3");
    EXPECT_EQ(FindProjectDataFile("d.KV3", proj, prog), (dir / "prog" / "d.KV3").string());
    Touch(dir / "proj" / "d.KV3");
    EXPECT_EQ(FindProjectDataFile("d.KV3", proj, prog), (dir / "proj" / "d.KV3").string());
    EXPECT_EQ(FindProjectDataFile("D.KV3", proj, prog), "") << "names keep their case";
    EXPECT_EQ(FindProjectDataFile("", proj, prog), "");
    EXPECT_EQ(FindProjectDataFile("C:\\old\\d.KV3", proj, prog), (dir / "proj" / "d.KV3").string());
    // a name with its folder (the last session's) is taken where it lies
    Touch(dir / "Sub" / "d.KV3");
    const std::string elsewhere = (dir / "Sub" / "d.KV3").string();
    EXPECT_EQ(FindProjectDataFile(elsewhere, proj, prog), elsewhere);
    fs::remove(dir / "Sub" / "d.KV3");
    EXPECT_EQ(FindProjectDataFile(elsewhere, proj, prog), (dir / "proj" / "d.KV3").string())
        << "gone from there: looked for by its bare name";
}

// The message for a missing data file names these places, in this order.
TEST(FileNames, PlacesOfAProjectsDataFile)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(ProjectDataFilePlaces("d.KV3", "/p", "/prog"), (V{"/p/d.KV3", "/prog/d.KV3"}));
    EXPECT_EQ(ProjectDataFilePlaces("/old/d.KV3", "/p", "/prog"), (V{"/old/d.KV3", "/p/d.KV3", "/prog/d.KV3"}));
    // the last session lies in the program folder: that place once
    EXPECT_EQ(ProjectDataFilePlaces("/prog/d.KV3", "/prog", "/prog"), (V{"/prog/d.KV3"}));
    EXPECT_EQ(ProjectDataFilePlaces("d.KV3", "", "/prog"), (V{"/prog/d.KV3"}));
    EXPECT_EQ(ProjectDataFilePlaces("", "/p", "/prog"), V{});
}

TEST(FileNames, ProjectNamesEndInKC3)
{
    struct Case {
        const char* chosen;
        const char* saved;
        const char* proposed;
    };
    const Case cases[] = {
        {"/u/proj", "/u/proj.KC3", ""},
        {"/u/proj.KC3", "/u/proj.KC3", "/u/proj.KC3"},
        {"/u/proj.kc3", "/u/proj.kc3", "/u/proj.kc3"},
        {"/u/series.KV3", "/u/series.KV3.KC3", ""},
        {"/u/proj.KC3.txt", "/u/proj.KC3.txt.KC3", ""},
        {"/u/KC3", "/u/KC3.KC3", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithProjectExtension(c.chosen), c.saved) << c.chosen;
        EXPECT_EQ(ProposedProjectName(c.chosen), c.proposed) << c.chosen;
    }
}

// An image's name ends with the extension of the type chosen, whatever else was typed.
TEST(FileNames, ImageTypeDecidesTheExtension)
{
    EXPECT_EQ(WithExtension("/u/diagram", ".pdf"), "/u/diagram.pdf");
    EXPECT_EQ(WithExtension("/u/diagram.PDF", ".pdf"), "/u/diagram.PDF");
    EXPECT_EQ(WithExtension("/u/diagram.png", ".pdf"), "/u/diagram.png.pdf");
    EXPECT_EQ(WithExtension("/u/pdf", ".pdf"), "/u/pdf.pdf");
    EXPECT_EQ(WithExtension("", ".pdf"), "");
}

} // namespace
} // namespace kinhom
