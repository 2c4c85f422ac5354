#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "core/shell/filefolders.h"
#include "core/shell/startup.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder()
    {
        path = fs::temp_directory_path() /
               ("kinhom-folders-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
};

void Touch(const fs::path& p) { std::ofstream(p) << "x"; }

} // namespace

TEST(FileFolders, ProgramFolderThatCanBeWrittenServesEverything)
{
    const FileFolders f = ChooseFileFolders("/opt/kinhom", true, "/home/u", "/home/u/.local/share/KINHOM-3");
    EXPECT_EQ(f.program, "/opt/kinhom");
    EXPECT_EQ(f.userFiles, "/opt/kinhom");
    EXPECT_EQ(f.ownFiles, "/opt/kinhom");
}

TEST(FileFolders, ReadOnlyProgramFolderSendsFilesToTheUser)
{
    const FileFolders f = ChooseFileFolders("/opt/kinhom", false, "/home/u", "/home/u/.local/share/KINHOM-3");
    EXPECT_EQ(f.program, "/opt/kinhom") << "tips and help are still read there";
    EXPECT_EQ(f.userFiles, "/home/u");
    EXPECT_EQ(f.ownFiles, "/home/u/.local/share/KINHOM-3");
    // a system that names no per-user data folder: the home folder
    EXPECT_EQ(ChooseFileFolders("/opt/kinhom", false, "/home/u", "").ownFiles, "/home/u");
}

TEST(FileFolders, StartValuesTakeTheFolders)
{
    Declare d;
    SetStartupValues(d, FileFolders{"/opt/kinhom", "/home/u", "/home/u/data"}, ".");
    for (const auto* p : {&d.ProjektPfad, &d.TabellePfad, &d.ExpDatenPfad, &d.OC2Pfad, &d.XYPfad})
        EXPECT_EQ(*p, "/home/u");
    EXPECT_EQ(d.ProgrammPfad, "/opt/kinhom");
    EXPECT_EQ(d.LastSessionDatei, "/home/u/data/KinLastSession.KC3");
}

// The check creates a file, so it tells what the permission bits do not: the
// administrator writes into a folder without write permission, and nobody
// writes into /proc. The folder is left as it was.
TEST(FileFolders, WritabilityIsFoundByCreatingAFile)
{
    TempFolder t;
    EXPECT_TRUE(FolderWritable(t.path));
    EXPECT_TRUE(fs::is_empty(t.path)) << "the test file is removed again";

    EXPECT_FALSE(FolderWritable("/proc")) << "not even the administrator creates files there";
    EXPECT_FALSE(FolderWritable(t.path / "missing"));
    EXPECT_FALSE(FolderWritable(""));
    Touch(t.path / "file");
    EXPECT_FALSE(FolderWritable(t.path / "file")) << "a file is no folder";

    fs::remove(t.path / "file");
    fs::permissions(t.path, fs::perms::owner_read | fs::perms::owner_exec);
    // Without write permission only the administrator can create the file; the
    // check agrees with what really happens either way.
    const bool administrator = ::geteuid() == 0;
    EXPECT_EQ(FolderWritable(t.path), administrator);
    EXPECT_TRUE(fs::is_empty(t.path));
}

TEST(FileFolders, LastSessionIsReadWhereItWasWrittenElseFromTheProgramFolder)
{
    TempFolder t;
    const fs::path program = t.path / "program";
    const fs::path user = t.path / "user";
    fs::create_directories(program);
    fs::create_directories(user);
    const std::string own = LastSessionFileIn(user.string());
    EXPECT_EQ(own, (user / "KinLastSession.KC3").string());

    // none anywhere: the file that would be written (its absence is reported)
    EXPECT_EQ(LastSessionFileToRead(own, program.string()), own);
    // one left in the program folder by an earlier run
    Touch(program / "KinLastSession.KC3");
    EXPECT_EQ(LastSessionFileToRead(own, program.string()), (program / "KinLastSession.KC3").string());
    // once a session was written per user, that one
    Touch(user / "KinLastSession.KC3");
    EXPECT_EQ(LastSessionFileToRead(own, program.string()), own);
}
