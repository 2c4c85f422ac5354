#pragma once
// File names and folders as the open dialog and the file routines use them.
// Names keep the case the user typed or chose (the file system is
// case-sensitive); patterns and extensions compare without regard to case.
// Both "/" and "\" count as folder separators in names that are read.

#include <string>
#include <vector>

namespace kinhom {

// The part of path after its last separator (the whole text when it has none;
// the empty text when path ends with a separator).
std::string FileNameOnly(const std::string& path);

// path with everything after its last separator removed; the result ends with
// the separator ("" when path has none).
std::string FolderPart(const std::string& path);

// folder, a separator unless folder is empty or already ends with one, and name.
std::string JoinFolderName(const std::string& folder, const std::string& name);

// True when text holds "?" or "*".
bool HasWildcards(const std::string& text);

// Matches a file name against a pattern without regard to case: "*" any run
// of characters, "?" any one character; several patterns separated by ";"
// ("*.KV3;*.KC3") match when one does. An empty pattern matches everything.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// True when the name ends with ext compared without regard to case ("KV3").
bool EndsWithNoCase(const std::string& name, const std::string& ext);

// The regular files of folder whose names match pattern, sorted without
// regard to case; an unreadable folder gives an empty list and error.
std::vector<std::string> ListMatchingFiles(const std::string& folder, const std::string& pattern,
                                           std::string& error);

// The sub-folders of folder, sorted without regard to case (hidden ones, whose
// name starts with ".", left out).
std::vector<std::string> ListSubFolders(const std::string& folder, std::string& error);

// Reads the first line of a file (the comment of a data file). False when the
// file cannot be opened or is empty.
bool ReadFirstLine(const std::string& fileName, std::string& line);

// Where the data file named in a project is found: a name with a folder (as
// the last-session file keeps it) where it says, when that file exists; else
// the bare name in the project file's folder first, then in the program
// folder. The full name of the first existing file, or "" when there is none.
std::string FindProjectDataFile(const std::string& dataFileName, const std::string& projectFolder,
                                const std::string& programFolder);

// The places FindProjectDataFile looks at, in its order (duplicates left out).
std::vector<std::string> ProjectDataFilePlaces(const std::string& dataFileName, const std::string& projectFolder,
                                               const std::string& programFolder);

// The name as given when it ends with ext (".png", in any case), else the name
// with ext appended ("" stays "").
std::string WithExtension(const std::string& fileName, const std::string& ext);

// A project's file name: the name as given when it ends with ".KC3" (in any
// case), else the name with ".KC3" appended ("" stays "").
std::string WithProjectExtension(const std::string& fileName);

// The name the project save dialog proposes: the given name when it is a
// project (".KC3"), else "" (a data file's name is never proposed).
std::string ProposedProjectName(const std::string& fileName);

} // namespace kinhom
