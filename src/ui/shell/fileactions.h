#pragma once
// The file commands of the main window and the data editor: loading, appending
// and saving measured data (.KV3), saving and loading projects (.KC3) and the
// last session, and ending the program (Exit and the close box).
//
// Every routine works on app().declare() and shows its boxes through
// app().services(). A file that cannot be read changes nothing in memory.

#include <functional>
#include <string>

namespace kinhom {

class MDIKIN;

// ---- measured data ------------------------------------------------------------------

// Asks for a data file with the open dialog and reads it, replacing the data
// (append false) or adding to them (append true). A file that cannot be read
// leaves the data as they were and shows "message from LoadDataFile".
void LoadExpDataDlg(bool append, bool& loaded, bool& cancelled);

// Asks for a file name with the save dialog and writes the data; notSaved is
// true when the dialog was cancelled or the file could not be written.
void SaveExpDataAs(bool& notSaved);

// "The experimental data were changed. Save now?" with Yes, No and Cancel.
// cancelled is true for Cancel, and for Yes when the data were not saved.
void AskSaveExpData(bool& cancelled);

// ---- projects and the last session ------------------------------------------------------

// Writes a project or last-session file; a project first asks for its comment.
// A failure shows the system's text under "Error while saving a session record".
bool WriteProjectFileDlg(const std::string& fileName);

// Asks for a name with the save dialog and writes the project.
void SaveProjectAs();

// Asks for a project with the open dialog and reads it. When the project
// names a data file and the data in memory were changed, it asks first
// whether to save them; Cancel there reports cancelled and applies nothing.
void LoadProjectDlg(std::string& fullName, std::string& dataFileName, bool& ok, bool& cancelled);

// The handlers of "Load last session" and "Load existing project".
void mnuLoadLastSession_Click();
void mnuLoadProject_Click();

// ---- ending the program --------------------------------------------------------------------

// What Exit and the close box do before the program ends: ask about changed
// data (Cancel keeps the program running), write the last-session file, close
// the help windows and the child windows through their own close handlers.
// True when the program may end.
bool QueryExit();

// "Exit": closes the main window, which runs QueryExit through its close box.
void mnuExit_Click();

// Connects the Data menu's file items, Exit and the main window's close box.
void ConnectFileActions(MDIKIN& main);

// ---- windows of other parts ------------------------------------------------------------------

struct FileActionHooks {
    // Closes and reopens the model window, which applies ModellNr afresh (and
    // resets k to the model's defaults). Unset: nothing happens.
    std::function<void()> reopenModelWindow;
    // Writes k(1..3) into the rate-constant boxes of the input window that
    // the model window relabelled. Unset: nothing happens.
    std::function<void()> showRateConstants;
};
FileActionHooks& fileActionHooks();

} // namespace kinhom
