#include "ui/shell/fileactions.h"
#include "ui/shell/qtext.h"

#include <QAction>
#include <QDate>
#include <QLocale>

#include "core/kinetics/simulation.h"
#include "core/shell/datafile.h"
#include "core/shell/expdata.h"
#include "core/shell/filenames.h"
#include "core/shell/projectfile.h"
#include "ui/reactors/frmprotokoll.h"
#include "ui/shell/application.h"
#include "ui/shell/frmcmndlg.h"
#include "ui/shell/frmcommentinput.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

void Critical(const std::string& text, const QString& title)
{
    app().services().msgBox(Q(text), MsgButtons::OK, MsgIcon::Critical, title);
}

MDIKIN* MainWindow() { return app().hasMainWindow() ? &app().mainWindow() : nullptr; }

void EnableItem(QAction* MDIKIN::*item, bool enabled)
{
    if (MDIKIN* m = MainWindow())
        if (QAction* a = m->*item) a->setEnabled(enabled);
}

// "New  exper. data" and "View/Edit exper. data" open the data editor: they
// are enabled only when the editor can be opened, so no item is live that
// does nothing.
void EnableDataEditorItem(QAction* MDIKIN::*item, bool enabled)
{
    MDIKIN* m = MainWindow();
    EnableItem(item, enabled && m && m->OpenDataEditor);
}

// The folder of a file, without a trailing separator.
std::string FolderOf(const std::string& fileName)
{
    std::string folder = FolderPart(fileName);
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

// The date line of a project file: the user's short date.
std::string DateText() { return S(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)); }

// Loads the data file named in a project (bare name) from the project's folder
// or the program folder, replacing the data. Returns the line of the
// "Loaded..." box.
std::string LoadProjectData(const std::string& dataFileName, const std::string& projectFolder)
{
    Declare& d = app().declare();
    const std::string bare = FileNameOnly(dataFileName);
    const std::string found = FindProjectDataFile(dataFileName, projectFolder, d.ProgrammPfad);
    std::string error;
    bool loaded = false;
    if (found.empty()) {
        error = "File not found: " + bare + d.CRLF + "looked for as:";
        for (const std::string& place : ProjectDataFilePlaces(dataFileName, projectFolder, d.ProgrammPfad))
            error += d.CRLF + place;
    } else {
        d.AppendExpData = false;
        loaded = LoadDataFile(d, found, d.AppendExpData, error);
    }
    if (!loaded) {
        Critical(error, "message from LoadDataFile");
        EnableDataEditorItem(&MDIKIN::mnuEdit, d.AnzahlPunkte > 0);
        return "... the data file could not be loaded: " + bare;
    }
    d.DateiName = found;
    d.DatenGeaendert = false; // the table is the file's
    EnableDataEditorItem(&MDIKIN::mnuEdit, true);
    AnalyzeExpData(d);
    GetStartConcFromData(d);
    return "... data file: " + bare + d.CRLF + d.CRLF + "(Look at \"Data / View/Edit exper. data\")";
}

// Reopens the model window, which resets k to the model's defaults, and puts
// the project's rate constants back.
void ReopenModelWindowKeepingK()
{
    Declare& d = app().declare();
    const double k1 = d.k[1], k2 = d.k[2], k3 = d.k[3];
    if (fileActionHooks().reopenModelWindow) fileActionHooks().reopenModelWindow();
    d.k[1] = k1;
    d.k[2] = k2;
    d.k[3] = k3;
    if (fileActionHooks().showRateConstants) fileActionHooks().showRateConstants();
}

} // namespace

FileActionHooks& fileActionHooks()
{
    static FileActionHooks hooks;
    return hooks;
}

// ---- measured data ------------------------------------------------------------------

void LoadExpDataDlg(bool append, bool& loaded, bool& cancelled)
{
    Declare& d = app().declare();
    loaded = false;
    std::string name = d.DateiName;
    std::string folder = d.ExpDatenPfad;
    ShowOpenDialog(name, folder, "*.KV3", append ? "Append data from selected file" : "Loading experimental data",
                   cancelled);
    if (cancelled) return;
    std::string error;
    if (!LoadChosenDataFile(d, folder, name, append, error)) {
        Critical(error, "message from LoadDataFile");
        return;
    }
    loaded = true;
}

void SaveExpDataAs(bool& notSaved)
{
    Declare& d = app().declare();
    notSaved = false;
    FileDialogRequest request;
    request.title = "Exp. data file save as ...";
    request.folder = Q(d.ExpDatenPfad);
    request.fileName = Q(d.DateiName);
    request.filter = "Exp. data file (*.KV3)|*.KV3";
    request.defaultExtension = ".KV3";
    request.overwritePrompt = true;
    request.fileMustExist = false;
    const std::optional<QString> chosen = app().services().saveFileName(request);
    if (!chosen || chosen->isEmpty()) {
        notSaved = true;
        return;
    }
    const std::string fileName = S(WithDefaultExtension(*chosen, request.defaultExtension));
    std::string error;
    if (!WriteDataFile(d, fileName, error)) {
        Critical(error, "message from WriteDataFile");
        notSaved = true;
        return; // the data stay bound to the file that holds them
    }
    d.DateiName = fileName;
    d.ExpDatenPfad = FolderPart(fileName);
}

void AskSaveExpData(bool& cancelled)
{
    Declare& d = app().declare();
    cancelled = false;
    const MsgAnswer answer = app().services().msgBox(
        Q("The experimental data were changed." + d.CRLF + "Save now?"), MsgButtons::YesNoCancel,
        MsgIcon::Exclamation, "WARNING");
    if (answer == MsgAnswer::Yes) {
        bool notSaved = false;
        SaveExpDataAs(notSaved);
        cancelled = notSaved;
        if (!notSaved) d.DatenGeaendert = false;
    } else if (answer == MsgAnswer::Cancel) {
        cancelled = true;
    }
}

// ---- projects --------------------------------------------------------------------------

bool ReadProjectFileDlg(const std::string& fileName, std::string& dataFileName)
{
    std::string error;
    Declare& d = app().declare();
    if (!ReadProjectFile(d, fileName, dataFileName, error)) {
        Critical(error, "Execution not possible");
        return false;
    }
    // The model window's reopenings keep these rate constants.
    d.FileRateConstantsModel = d.ModellNr;
    d.FileRateConstants = d.k;
    return true;
}

bool WriteProjectFileDlg(const std::string& fileName)
{
    Declare& d = app().declare();
    if (!IsLastSessionFile(fileName)) app().get<frmCommentInput>().ShowModal();
    std::string error;
    if (!WriteProjectFile(d, fileName, DateText(), error)) {
        Critical(error, "Error while saving a session record");
        return false;
    }
    return true;
}

void SaveProjectAs()
{
    Declare& d = app().declare();
    FileDialogRequest request;
    request.title = "Save actual session as ...";
    request.folder = Q(d.ProjektPfad);
    request.fileName = Q(ProposedProjectName(d.ProjektDatei));
    request.filter = "KINHOM projekt file (*.KC3)|*.KC3";
    request.defaultExtension = ".KC3";
    request.overwritePrompt = true;
    request.fileMustExist = false;
    const std::optional<QString> chosen = app().services().saveFileName(request);
    if (!chosen || chosen->isEmpty()) return;
    const std::string fileName = WithProjectExtension(S(*chosen));
    WriteProjectFileDlg(fileName);
    d.ProjektPfad = FolderPart(fileName);
}

void LoadProjectDlg(std::string& fullName, std::string& dataFileName, bool& ok, bool& cancelled)
{
    Declare& d = app().declare();
    ok = false;
    std::string name = d.ProjektDatei;
    std::string folder = d.ProjektPfad;
    ShowOpenDialog(name, folder, "*.KC3", "Load a project (*.KC3)", cancelled);
    if (cancelled) return;
    fullName = JoinFolderName(folder, name);
    d.ProjektDatei = fullName;
    d.ProjektPfad = folder;
    ok = ReadProjectFileDlg(fullName, dataFileName);
}

// Loading a project or the last session replaces the measured data with the
// project's data file: changed data are offered for saving first. False when
// the user cancelled (nothing is loaded then).
bool ChangedDataSavedOrDropped()
{
    const Declare& d = app().declare();
    if (!d.DatenGeaendert || d.AnzahlPunkte < 1) return true;
    bool cancelled = false;
    AskSaveExpData(cancelled);
    return !cancelled;
}

void mnuLoadLastSession_Click()
{
    Declare& d = app().declare();
    if (!ChangedDataSavedOrDropped()) return;
    std::string dataFileName;
    if (!ReadProjectFileDlg(d.LastSessionDatei, dataFileName)) return;
    const std::string message = dataFileName.empty()
                                    ? std::string("... no data file")
                                    : LoadProjectData(dataFileName, FolderOf(d.LastSessionDatei));
    EnableDataEditorItem(&MDIKIN::mnuNeudat, true);
    EnableItem(&MDIKIN::mnuSaveProject, true);
    ReopenModelWindowKeepingK();
    app().services().msgBox(Q(message), MsgButtons::OK, MsgIcon::Information, "Loaded...");
}

void mnuLoadProject_Click()
{
    if (!ChangedDataSavedOrDropped()) return;
    std::string fullName, dataFileName;
    bool ok = false, cancelled = false;
    LoadProjectDlg(fullName, dataFileName, ok, cancelled);
    if (!ok || cancelled) return;
    EnableDataEditorItem(&MDIKIN::mnuNeudat, true);
    EnableItem(&MDIKIN::mnuSaveProject, true);
    const std::string message =
        dataFileName.empty() ? std::string("... no data file") : LoadProjectData(dataFileName, FolderOf(fullName));
    app().services().msgBox(Q(message), MsgButtons::OK, MsgIcon::Information, "Loaded...");
    ReopenModelWindowKeepingK();
}

// ---- ending ----------------------------------------------------------------------------------

bool QueryExit()
{
    Declare& d = app().declare();
    if (d.DatenGeaendert && d.AnzahlPunkte >= 1) {
        bool cancelled = false;
        AskSaveExpData(cancelled);
        if (cancelled) return false;
    }
    // Recorded reactor results that are not yet in the protocol file are
    // written now; only the user's choice can drop them.
    if (!frmProtokoll::SaveProtocolBeforeExit()) return false;
    WriteProjectFileDlg(d.LastSessionDatei);
    app().services().closeHelp();
    // The child windows close through their own handlers, so that windows
    // holding unsaved work can save it (or keep the program running).
    return app().unloadAll(UnloadMode::MdiParent);
}

void mnuExit_Click()
{
    if (MDIKIN* m = MainWindow()) m->close();
}

void ConnectFileActions(MDIKIN& main)
{
    QObject::connect(main.mnuLoadLastSession, &QAction::triggered, &main, Guarded([] { mnuLoadLastSession_Click(); }));
    QObject::connect(main.mnuLoadProject, &QAction::triggered, &main, Guarded([] { mnuLoadProject_Click(); }));
    QObject::connect(main.mnuSaveProject, &QAction::triggered, &main, Guarded([] { SaveProjectAs(); }));
    QObject::connect(main.mnuExit, &QAction::triggered, &main, Guarded([] { mnuExit_Click(); }));
    main.QueryClose = [] { return QueryExit(); };
}

} // namespace kinhom
