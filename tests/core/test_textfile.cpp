#include "core/shell/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace kinhom;
namespace fs = std::filesystem;

// Every fsync of this test program is recorded with the path its descriptor
// refers to at that moment (before a rename that is the temporary file's).
static std::vector<std::string> g_synced;

extern "C" int fsync(int fd)
{
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    g_synced.emplace_back(n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string("?"));
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kinhom_textfile_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    void WriteBytes(const fs::path& p, const std::string& bytes)
    {
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }
    std::string ReadBytes(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        return names;
    }
    fs::path dir_;
};

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST_F(TextFileTest, LineEndsAndEncodings)
{
    const LinesCase cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf, last line without end", "a\nb", {"a", "b"}},
        {"empty file", "", {}},
        {"one empty line", "\r\n", {""}},
        {"empty line inside", "a\r\n\r\nb", {"a", "", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"mixed", "1\n2\r\n3", {"1", "2", "3"}},
        {"utf-8 bom dropped", "\xEF\xBB\xBFx,y\r\n", {"x,y"}},
        {"utf-8 kept", "c\xC2\xB5mol \xE2\x82\xAC\n", {"c\xC2\xB5mol \xE2\x82\xAC"}},
        // Not valid UTF-8: read as Windows-1252 (degree sign, euro, curly quote).
        {"windows-1252", "T/\xB0" "C \x80 \x93x\x94\r\n", {"T/\xC2\xB0" "C \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"}},
        {"blanks kept", "  a  \r\n", {"  a  "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = dir_ / "in.txt";
        WriteBytes(p, c.bytes);
        std::vector<std::string> lines{"stale"};
        std::string error = "stale";
        ASSERT_TRUE(ReadTextLines(p, lines, error));
        EXPECT_EQ(lines, c.lines);
        EXPECT_TRUE(error.empty());
    }
}

TEST_F(TextFileTest, ReadFailuresSayWhy)
{
    std::vector<std::string> lines{"stale"};
    std::string error;
    EXPECT_FALSE(ReadTextLines(dir_ / "missing.KV3", lines, error));
    EXPECT_TRUE(lines.empty());
    EXPECT_NE(error.find("missing.KV3"), std::string::npos) << error;
    EXPECT_NE(error.find("not found"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(ReadTextLines(dir_, lines, error));
    EXPECT_FALSE(error.empty());
}

TEST(TextEncoding, Utf8Validation)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("a\x80z"));           // lone continuation byte
    EXPECT_FALSE(IsValidUtf8("\xE4rger"));         // Windows-1252 umlaut
}

TEST(TextEncoding, Windows1252Conversion)
{
    EXPECT_EQ(Windows1252ToUtf8("abc"), "abc");
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");      // undefined: C1 control
    EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");      // Y diaeresis
    EXPECT_EQ(Windows1252ToUtf8("\xE4\xFF"), "\xC3\xA4\xC3\xBF");
}

TEST_F(TextFileTest, AtomicWriteCreatesAndReplaces)
{
    const fs::path p = dir_ / "data.KV3";
    std::string error;
    ASSERT_TRUE(WriteTextFileAtomic(p, "first\r\n", error)) << error;
    EXPECT_EQ(ReadBytes(p), "first\r\n");
    ASSERT_TRUE(WriteTextFileAtomic(p, "second line\r\nand more\r\n", error)) << error;
    EXPECT_EQ(ReadBytes(p), "second line\r\nand more\r\n");
    ASSERT_TRUE(WriteTextFileAtomic(p, "", error)) << error;
    EXPECT_EQ(ReadBytes(p), "");
    // Only the target remains: no temporary file is left behind.
    EXPECT_EQ(Entries(), std::vector<std::string>{"data.KV3"});

    // What is written reads back.
    ASSERT_TRUE(WriteTextFileAtomic(p, "x\r\ny \xC2\xB0", error));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(p, lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"x", "y \xC2\xB0"}));
}

TEST_F(TextFileTest, AtomicWriteKeepsPermissions)
{
    const fs::path p = dir_ / "keep.txt";
    WriteBytes(p, "old");
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::string error;
    ASSERT_TRUE(WriteTextFileAtomic(p, "new", error)) << error;
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TextFileTest, AtomicWriteFailuresLeaveTheOldFile)
{
    std::string error;
    // Folder missing: nothing is created.
    EXPECT_FALSE(WriteTextFileAtomic(dir_ / "nofolder" / "x.KV3", "data", error));
    EXPECT_NE(error.find("nofolder"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir_ / "nofolder"));

    // The target is a folder: it stays a folder and keeps its content.
    fs::create_directory(dir_ / "sub");
    WriteBytes(dir_ / "sub" / "inner", "inner");
    error.clear();
    EXPECT_FALSE(WriteTextFileAtomic(dir_ / "sub", "data", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
    EXPECT_EQ(ReadBytes(dir_ / "sub" / "inner"), "inner");
}

TEST_F(TextFileTest, AtomicWriteIntoReadOnlyFolderLeavesTheOldFileIntact)
{
    const fs::path ro = dir_ / "ro";
    fs::create_directory(ro);
    const fs::path p = ro / "data.KV3";
    WriteBytes(p, "old content\r\n");
    fs::permissions(ro, fs::perms::owner_read | fs::perms::owner_exec);
    {
        // A user who may write anyway (root) cannot observe the failure.
        std::ofstream probe(ro / "probe");
        if (probe) GTEST_SKIP() << "the folder stays writable for this user";
    }
    std::string error;
    EXPECT_FALSE(WriteTextFileAtomic(p, "new content\r\n", error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    fs::permissions(ro, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(p), "old content\r\n");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(ro)) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"data.KV3"});
}

// A write that fails half-way (here: the process may not write files beyond
// 4 KiB, so the write stops with "file too large") leaves the old file and no
// temporary file.
TEST_F(TextFileTest, AtomicWriteFailingHalfWayLeavesTheOldFileIntact)
{
    const fs::path p = dir_ / "data.KV3";
    WriteBytes(p, "old content\r\n");
    const std::string big(200000, 'x');

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = WriteTextFileAtomic(p, big, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("data.KV3"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(p), "old content\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"data.KV3"});
}

TEST_F(TextFileTest, AtomicWriteThroughALinkReplacesTheLinkedFile)
{
    const fs::path real = dir_ / "real.txt";
    const fs::path link = dir_ / "link.txt";
    WriteBytes(real, "old");
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(WriteTextFileAtomic(link, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "new");
}

// A BOM written twice by some tool is no content either.
TEST_F(TextFileTest, RepeatedByteOrderMarksAreDropped)
{
    WriteBytes(dir_ / "bom.txt", "\xEF\xBB\xBF\xEF\xBB\xBF" "first\r\nsecond");
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(ReadTextLines(dir_ / "bom.txt", lines, error)) << error;
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second"}));
}

// Names up to the file system's limit of 255 bytes save, although the
// temporary name beside them would be longer; a name cut for the temporary
// file is cut between characters, never inside one.
TEST_F(TextFileTest, AtomicWriteSavesNamesUpToTheLimit)
{
    const std::string umlaut = "\xC3\xA4"; // two bytes
    std::vector<std::string> names = {std::string(246, 'a') + ".KV3", std::string(251, 'b') + ".oc2",
                                      std::string(255, 'c')};
    std::string mixed = "x";
    while (mixed.size() + umlaut.size() <= 251) mixed += umlaut;
    names.push_back(mixed + ".KC3");
    for (const std::string& name : names) {
        SCOPED_TRACE(name.size());
        ASSERT_LE(name.size(), 255u);
        const fs::path p = dir_ / name;
        std::string error;
        ASSERT_TRUE(WriteTextFileAtomic(p, "content " + std::to_string(name.size()), error)) << error;
        EXPECT_EQ(ReadBytes(p), "content " + std::to_string(name.size()));
        ASSERT_TRUE(WriteTextFileAtomic(p, "again", error)) << error;
        EXPECT_EQ(ReadBytes(p), "again");
        EXPECT_EQ(Entries(), std::vector<std::string>{name});
        fs::remove(p);
    }
}

// The new content reaches the disk before the rename, and the folder entry
// after it: the temporary file and then the folder are synced.
TEST_F(TextFileTest, AtomicWriteSyncsTheFileAndThenItsFolder)
{
    const fs::path p = dir_ / "durable.KV3";
    WriteBytes(p, "old");
    g_synced.clear();
    std::string error;
    ASSERT_TRUE(WriteTextFileAtomic(p, "new", error)) << error;
    ASSERT_EQ(g_synced.size(), 2u);
    EXPECT_EQ(fs::path(g_synced[0]).parent_path(), fs::canonical(dir_));
    EXPECT_EQ(fs::path(g_synced[0]).filename().string().rfind("durable.KV3.tmp", 0), 0u) << g_synced[0];
    EXPECT_EQ(fs::path(g_synced[1]), fs::canonical(dir_));
    EXPECT_EQ(ReadBytes(p), "new");
}

// A read-only file is not replaced (for the administrator neither), and the
// message says so and names the file.
TEST_F(TextFileTest, AtomicWriteRefusesAReadOnlyFile)
{
    const fs::path p = dir_ / "locked.KV3";
    WriteBytes(p, "old content");
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string error;
    EXPECT_FALSE(WriteTextFileAtomic(p, "new content", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_NE(error.find(p.string()), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(p), "old content");
    EXPECT_EQ(Entries(), std::vector<std::string>{"locked.KV3"});
    // once writable again it is replaced
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(WriteTextFileAtomic(p, "new content", error)) << error;
    EXPECT_EQ(ReadBytes(p), "new content");
}

// Every write error names the file, not only its folder.
TEST_F(TextFileTest, AtomicWriteErrorsNameTheFile)
{
    const fs::path cases[] = {
        dir_ / "nofolder" / "missing-folder.KV3",            // folder missing
        fs::path("/proc") / "kinhom-cannot-create.KV3",      // no file can be created there
    };
    for (const fs::path& p : cases) {
        std::string error;
        EXPECT_FALSE(WriteTextFileAtomic(p, "data", error)) << p;
        EXPECT_NE(error.find(p.string()), std::string::npos) << error;
    }
}

} // namespace
