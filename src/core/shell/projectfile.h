#pragma once
// The project file (.KC3) and the last-session file "KinLastSession.KC3": fifteen
// lines with CR LF line ends.
//   1      the date of writing (never interpreted)
//   2      the project comment ProjektKommentar
//   3      the bare name of the data file ("" when none; in double quotes when
//          the name holds ","); the last-session file, which lies in the
//          program folder, keeps the data file's full name instead, so that
//          the data file is found again wherever it lies
//   4      ModellNr
//   5      k1, k2, k3
//   6..9   reserved, one integer each (0)
//   10     reserved, four integers (0,0,0,0)
//   11, 12 reserved, one single each (0)
//   13     reserved, two singles (0,0)
//   14, 15 reserved, the text "x"
// A file that cannot be read leaves ProjektKommentar, ModellNr and k unchanged.

#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// The message of a project file that cannot be read.
extern const char* const kProjectCorrupt;
// The comment every last-session file carries.
extern const char* const kLastSessionComment;

// A project file as read.
struct ProjectFileContent {
    std::string ProjektKommentar;
    std::string DatenDatei;        // bare data-file name, possibly empty
    std::int16_t ModellNr = 0;
    double k[4] = {0, 0, 0, 0};    // k1..k3 at 1..3
};

// Parses the lines; on failure error says what was wrong and errorLine is the
// 1-based line.
bool ParseProjectFile(const std::vector<std::string>& lines, ProjectFileContent& out, std::string& error,
                      int& errorLine);

// Reads and parses fileName without applying it; on failure error holds "the
// project file is corrupt" and a line naming the file and the line.
bool LoadProjectFileContent(const std::string& fileName, ProjectFileContent& out, std::string& error);

// Puts a parsed project into the shared state: ProjektKommentar, ModellNr and
// k(1..3). The data file is the caller's to load.
void ApplyProjectFile(Declare& d, const ProjectFileContent& p);

// Reads fileName; on success sets ProjektKommentar, ModellNr and k(1..3) and
// returns the data file's bare name in dataFileName. On failure nothing
// changes and error holds "the project file is corrupt" and a line naming the
// file and the line.
bool ReadProjectFile(Declare& d, const std::string& fileName, std::string& dataFileName, std::string& error);

// True when the name ends with "KINLASTSESSION.KC3" (any case, any folder).
bool IsLastSessionFile(const std::string& fileName);

// The text of the project file of the shared state; dateText is the date line.
// Line 3 holds the data file's bare name, or its full name when fullDataName
// is set (the last-session file).
std::string ProjectFileText(const Declare& d, const std::string& dateText, bool fullDataName = false);

// Writes a project or last-session file through a temporary file beside it.
// For a last-session file ProjektKommentar becomes "KINHOM last session" first
// and line 3 keeps the data file's full name; for a project the caller has
// asked for the comment. DateiName is not changed.
// On failure the old file is intact and error holds the system's text.
bool WriteProjectFile(Declare& d, const std::string& fileName, const std::string& dateText,
                      std::string& error);

// The comment (line 2) of a project file, for the open dialog's preview.
bool GetProjectComment(const std::string& fileName, std::string& comment, std::string& error);

} // namespace kinhom
