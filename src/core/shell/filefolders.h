#pragma once
// Where files go. The user's files are chosen in dialogs that start in one
// folder; the program's own files (the protocol, the last session) are written
// to another. Both are the program's folder while it can be written; an
// installed program's folder usually cannot, and then the dialogs start in the
// user's home folder and the program's own files go to the per-user data
// folder. The ui looks the folders up and calls ChooseFileFolders once.

#include <filesystem>
#include <string>

namespace kinhom {

struct FileFolders {
    std::string program;    // the program's folder: tips, help pages, icons
    std::string userFiles;  // where the save and open dialogs start
    std::string ownFiles;   // the protocol files and the last session
};

// Every folder the program's folder.
FileFolders ProgramFileFolders(const std::string& programFolder);

// The folders for a program folder that can or cannot be written. home is the
// user's home folder, perUserData the per-user data folder of the program
// (empty when the system names none: the home folder takes its place).
FileFolders ChooseFileFolders(const std::string& programFolder, bool programFolderWritable, const std::string& home,
                              const std::string& perUserData);

// Whether a file can be created in folder: a file of a name of its own is
// created and removed again. The permission bits alone do not tell (they do
// not stop the administrator, and a read-only file system ignores them).
bool FolderWritable(const std::filesystem::path& folder);

// The name of the last-session file in a folder.
std::string LastSessionFileIn(const std::string& folder);

// The last-session file to read: the one the program writes (lastSessionFile)
// when it exists, else one left in the program's folder by a run that could
// write there; when neither exists, lastSessionFile (whose absence the reader
// reports).
std::string LastSessionFileToRead(const std::string& lastSessionFile, const std::string& programFolder);

} // namespace kinhom
