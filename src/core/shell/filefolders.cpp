#include "core/shell/filefolders.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace kinhom {

namespace fs = std::filesystem;

FileFolders ProgramFileFolders(const std::string& programFolder)
{
    return FileFolders{programFolder, programFolder, programFolder};
}

FileFolders ChooseFileFolders(const std::string& programFolder, bool programFolderWritable, const std::string& home,
                              const std::string& perUserData)
{
    if (programFolderWritable)
        return ProgramFileFolders(programFolder);
    return FileFolders{programFolder, home, perUserData.empty() ? home : perUserData};
}

bool FolderWritable(const fs::path& folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return false;
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path probe = folder / (".kinhom-write-test-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(serial++) + "-" + std::to_string(stamp));
    bool created = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        created = out.is_open() && static_cast<bool>(out << 'x') && static_cast<bool>(out.flush());
    }
    fs::remove(probe, ec);
    return created;
}

std::string LastSessionFileIn(const std::string& folder)
{
    return (fs::path(folder) / "KinLastSession.KC3").string();
}

std::string LastSessionFileToRead(const std::string& lastSessionFile, const std::string& programFolder)
{
    std::error_code ec;
    if (fs::exists(lastSessionFile, ec))
        return lastSessionFile;
    const std::string left = LastSessionFileIn(programFolder);
    if (!programFolder.empty() && fs::exists(left, ec))
        return left;
    return lastSessionFile;
}

} // namespace kinhom
