// Project and last-session files: what is written, what reads back, and files
// that cannot be read (which leave comment, model and rate constants as they were).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/shell/projectfile.h"
#include "core/shell/startup.h"

namespace kinhom {
namespace {

namespace fs = std::filesystem;

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("kinhom-project-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        SetStartupValues(d, dir.string(), ".");
        d.ModellNr = 13;
        d.k[1] = 0.25;
        d.k[2] = 1.5e-7;
        d.k[3] = 12;
        d.ProjektKommentar = "series B";
        d.DateiName = (dir / "series.KV3").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string WriteRaw(const std::string& name, const std::string& bytes)
    {
        std::ofstream((dir / name), std::ios::binary) << bytes;
        return (dir / name).string();
    }
    static std::string ReadRaw(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A well-formed project text with the given line 3 and line 4.
    static std::string ProjectText(const std::string& line3, const std::string& line4)
    {
        return "01/02/2024\r\nmy comment\r\n" + line3 + "\r\n" + line4 +
               "\r\n0.5,0.25,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n";
    }

    fs::path dir;
    Declare d;
};

TEST_F(ProjectFileTest, WrittenTextHasFifteenLines)
{
    const std::string file = (dir / "p.KC3").string();
    std::string error;
    ASSERT_TRUE(WriteProjectFile(d, file, "2024-03-05", error)) << error;
    EXPECT_EQ(ReadRaw(file), "2024-03-05\r\nseries B\r\nseries.KV3\r\n13\r\n0.25,1.5E-07,12\r\n"
                             "0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
    EXPECT_EQ(d.DateiName, (dir / "series.KV3").string()) << "the data file keeps its folder";
}

TEST_F(ProjectFileTest, RoundTripsCommentModelConstantsAndDataName)
{
    struct Case {
        std::string dateiName;     // in memory
        std::string expectedLine3; // as written
        std::string expectedRead;  // as read back
    };
    const Case cases[] = {
        {"", "", ""},
        {"/data/run.KV3", "run.KV3", "run.KV3"},
        {"/data/lower.kv3", "lower.kv3", "lower.kv3"},
        {"/data/a,b.KV3", "\"a,b.KV3\"", "a,b.KV3"},
        {"C:\\old\\Win Name.KV3", "Win Name.KV3", "Win Name.KV3"},
    };
    for (const Case& c : cases) {
        d.DateiName = c.dateiName;
        d.ModellNr = 20;
        d.k[1] = 0.123456789012345;
        const std::string file = (dir / "r.KC3").string();
        std::string error;
        ASSERT_TRUE(WriteProjectFile(d, file, "today", error)) << error;

        Declare r;
        SetStartupValues(r, dir.string(), ".");
        std::string dataName = "stale";
        ASSERT_TRUE(ReadProjectFile(r, file, dataName, error)) << c.dateiName << ": " << error;
        EXPECT_EQ(dataName, c.expectedRead);
        EXPECT_EQ(r.ProjektKommentar, "series B");
        EXPECT_EQ(r.ModellNr, 20);
        EXPECT_EQ(r.k[1], 0.123456789012345);
        EXPECT_EQ(r.k[2], 1.5e-7);
        EXPECT_EQ(r.k[3], 12.0);
        const std::string text = ReadRaw(file);
        EXPECT_EQ(text.substr(text.find("series B\r\n") + 10, c.expectedLine3.size() + 2), c.expectedLine3 + "\r\n");
    }
}

TEST_F(ProjectFileTest, LastSessionFileAlwaysCarriesItsComment)
{
    EXPECT_TRUE(IsLastSessionFile(d.LastSessionDatei));
    EXPECT_TRUE(IsLastSessionFile("/any/where/kinlastsession.kc3"));
    EXPECT_TRUE(IsLastSessionFile("KinLastSession.KC3"));
    EXPECT_FALSE(IsLastSessionFile("/x/KinLastSession.KC3.bak"));
    EXPECT_FALSE(IsLastSessionFile("/x/LastSession.KC3"));

    const std::string file = (dir / "sub" / "kinlastsession.kc3").string();
    fs::create_directories(dir / "sub");
    std::string error;
    ASSERT_TRUE(WriteProjectFile(d, file, "d", error)) << error;
    EXPECT_EQ(d.ProjektKommentar, "KINHOM last session");
    std::string comment;
    ASSERT_TRUE(GetProjectComment(file, comment, error)) << error;
    EXPECT_EQ(comment, "KINHOM last session");
}

TEST_F(ProjectFileTest, LastSessionKeepsTheDataFileWithItsFolder)
{
    // The last-session file lies in the program folder, where a bare name
    // would not find the data file again; a project keeps the bare name.
    struct Case {
        std::string dateiName, line3;
    };
    const Case cases[] = {
        {"/home/u/data/series.KV3", "/home/u/data/series.KV3"},
        {"/home/u/a,b/run.KV3", "\"/home/u/a,b/run.KV3\""},
        {"/home/u/./data/../data/x.kv3", "/home/u/data/x.kv3"},
        {"", ""},
    };
    for (const Case& c : cases) {
        d.DateiName = c.dateiName;
        const std::string session = (dir / "KinLastSession.KC3").string();
        std::string error;
        ASSERT_TRUE(WriteProjectFile(d, session, "d", error)) << error;
        const std::string text = ReadRaw(session);
        EXPECT_EQ(text.substr(0, text.find("\r\n13\r\n")), "d\r\nKINHOM last session\r\n" + c.line3) << c.dateiName;

        Declare r;
        SetStartupValues(r, dir.string(), ".");
        std::string dataName;
        ASSERT_TRUE(ReadProjectFile(r, session, dataName, error)) << error;
        EXPECT_EQ(dataName, fs::path(c.dateiName).lexically_normal().string()) << c.dateiName;
    }
    d.DateiName = "/home/u/data/series.KV3";
    const std::string project = (dir / "p.KC3").string();
    std::string error;
    ASSERT_TRUE(WriteProjectFile(d, project, "d", error)) << error;
    EXPECT_NE(ReadRaw(project).find("\r\nseries.KV3\r\n13\r\n"), std::string::npos);
}

TEST_F(ProjectFileTest, AnyDateLineReads)
{
    std::string dataName;
    std::string error;
    const std::string file = WriteRaw("d.KC3", "not a date, \"really\r\n" + ProjectText("x.KV3", "3").substr(12));
    ASSERT_TRUE(ReadProjectFile(d, file, dataName, error)) << error;
    EXPECT_EQ(d.ModellNr, 3);
    EXPECT_EQ(d.ProjektKommentar, "my comment");
    EXPECT_EQ(dataName, "x.KV3");
}

TEST_F(ProjectFileTest, CorruptFilesChangeNothingAndNameFileAndLine)
{
    struct Case {
        std::string name, text;
        int line;
    };
    const std::string good = ProjectText("run.KV3", "4");
    std::vector<Case> cases = {
        {"data file not .KV3", ProjectText("run.txt", "4"), 3},
        {"name cut at its comma", ProjectText("a,b.KV3", "4"), 3},
        {"model 19", ProjectText("run.KV3", "19"), 4},
        {"model 21", ProjectText("run.KV3", "21"), 4},
        {"model 0", ProjectText("run.KV3", "0"), 4},
        {"model text", ProjectText("run.KV3", "two"), 4},
        {"k not a number", "d\r\nc\r\nrun.KV3\r\n4\r\n0.5,abc,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n", 5},
        {"two k only", "d\r\nc\r\nrun.KV3\r\n4\r\n0.5,1\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n", 5},
        {"reserved line 10", "d\r\nc\r\nrun.KV3\r\n4\r\n0.5,1,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n", 10},
        {"reserved single", "d\r\nc\r\nrun.KV3\r\n4\r\n0.5,1,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n1e40\r\n0\r\n0,0\r\nx\r\nx\r\n", 11},
    };
    // cut after every line
    for (int lines = 0; lines < 15; ++lines) {
        std::size_t pos = 0;
        for (int i = 0; i < lines; ++i) pos = good.find("\r\n", pos) + 2;
        cases.push_back({"cut after " + std::to_string(lines) + " lines", good.substr(0, pos), lines + 1});
    }

    for (const Case& c : cases) {
        const std::string file = WriteRaw("bad.KC3", c.text);
        std::string dataName = "before";
        std::string error;
        EXPECT_FALSE(ReadProjectFile(d, file, dataName, error)) << c.name;
        EXPECT_EQ(d.ModellNr, 13) << c.name;
        EXPECT_EQ(d.k[1], 0.25) << c.name;
        EXPECT_EQ(d.k[2], 1.5e-7) << c.name;
        EXPECT_EQ(d.ProjektKommentar, "series B") << c.name;
        EXPECT_EQ(error.rfind("the project file is corrupt\r\n", 0), 0u) << error;
        EXPECT_NE(error.find(file + ", line " + std::to_string(c.line)), std::string::npos) << c.name << ": " << error;
    }

    std::string error, dataName;
    EXPECT_FALSE(ReadProjectFile(d, (dir / "missing.KC3").string(), dataName, error));
    EXPECT_NE(error.find("missing.KC3"), std::string::npos);
    EXPECT_TRUE(ReadProjectFile(d, WriteRaw("good.KC3", good), dataName, error)) << error;
    EXPECT_EQ(d.ModellNr, 4);
}

TEST_F(ProjectFileTest, FailedWriteKeepsTheOldFile)
{
    const std::string file = WriteRaw("keep.KC3", "old\r\n");
    d.k[2] = std::numeric_limits<double>::quiet_NaN();
    std::string error;
    EXPECT_FALSE(WriteProjectFile(d, file, "d", error));
    EXPECT_EQ(ReadRaw(file), "old\r\n");
    d.k[2] = 1;
    EXPECT_FALSE(WriteProjectFile(d, (dir / "none" / "p.KC3").string(), "d", error));
    EXPECT_NE(error.find("p.KC3"), std::string::npos);
}

TEST_F(ProjectFileTest, CommentPreview)
{
    std::string comment, error;
    ASSERT_TRUE(GetProjectComment(WriteRaw("c.KC3", ProjectText("", "2")), comment, error)) << error;
    EXPECT_EQ(comment, "my comment");
    EXPECT_FALSE(GetProjectComment(WriteRaw("one.KC3", "only a date\r\n"), comment, error));
    EXPECT_FALSE(GetProjectComment((dir / "missing.KC3").string(), comment, error));
    EXPECT_EQ(comment, "my comment") << "a failed preview leaves the text";
}

} // namespace
} // namespace kinhom
