#include "ui/shell/fileactions.h"
#include "ui/shell/qtext.h"

#include <QAction>
#include <QDate>
#include <QLocale>

#include "core/kinetics/simulation.h"
#include "core/shell/datafile.h"
#include "core/shell/expdata.h"
#include "core/shell/filefolders.h"
#include "core/shell/filenames.h"
#include "core/shell/projectfile.h"
#include "ui/dataedit/frmdatedit.h"
#include "ui/kinetics/kinnotifyui.h"
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
        KinNotifyUi notify;
        loaded = LoadDataFile(d, found, d.AppendExpData, error, notify);
    }
    if (!loaded) {
        Critical(error, "message from LoadDataFile");
        EnableItem(&MDIKIN::mnuEdit, d.AnzahlPunkte > 0);
        return "... the data file could not be loaded: " + bare;
    }
    d.DateiName = found;
    d.DatenGeaendert = false; // the table is the file's
    // An open data editor shows the new table, so that its next edit does
    // not write the old rows back.
    if (frmDatedit* editor = app().find<frmDatedit>()) editor->ShowData();
    EnableItem(&MDIKIN::mnuEdit, true);
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
    KinNotifyUi notify;
    if (!LoadChosenDataFile(d, folder, name, append, error, notify)) {
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
    // A data file's name becomes NAME.KV3.KC3: the question to replace is asked
    // about that file, not about the data file.
    const std::optional<FileChoice> chosen = AskFileToWrite(
        app().services(), request, [](const FileChoice& c) { return Q(WithProjectExtension(S(c.path))); });
    if (!chosen) return;
    const std::string fileName = S(chosen->path);
    WriteProjectFileDlg(fileName);
    d.ProjektPfad = FolderPart(fileName);
}

namespace {

// Reads a project or last-session file without applying it; a file that
// cannot be read is reported.
bool ParseProjectDlg(const std::string& fileName, ProjectFileContent& p)
{
    std::string error;
    if (!LoadProjectFileContent(fileName, p, error)) {
        Critical(error, "Execution not possible");
        return false;
    }
    return true;
}

// A project that names a data file replaces the measured data: changed data
// are offered for saving first. False when the user cancelled (nothing of the
// project is applied then).
bool ChangedDataSavedOrDropped(const ProjectFileContent& p)
{
    const Declare& d = app().declare();
    if (p.DatenDatei.empty() || !d.DatenGeaendert || d.AnzahlPunkte < 1) return true;
    bool cancelled = false;
    AskSaveExpData(cancelled);
    return !cancelled;
}

// Applies a project or last-session file that was read; the model window's
// reopenings keep its rate constants.
void ApplyProjectDlg(const ProjectFileContent& p)
{
    Declare& d = app().declare();
    ApplyProjectFile(d, p);
    d.FileRateConstantsModel = d.ModellNr;
    d.FileRateConstants = d.k;
}

} // namespace

void LoadProjectDlg(std::string& fullName, std::string& dataFileName, bool& ok, bool& cancelled)
{
    Declare& d = app().declare();
    ok = false;
    std::string name = d.ProjektDatei;
    std::string folder = d.ProjektPfad;
    ShowOpenDialog(name, folder, "*.KC3", "Load a project (*.KC3)", cancelled);
    if (cancelled) return;
    const std::string chosen = JoinFolderName(folder, name);
    ProjectFileContent p;
    if (!ParseProjectDlg(chosen, p)) return;
    if (!ChangedDataSavedOrDropped(p)) {
        cancelled = true;
        return;
    }
    fullName = chosen;
    d.ProjektDatei = chosen;
    d.ProjektPfad = folder;
    ApplyProjectDlg(p);
    dataFileName = p.DatenDatei;
    ok = true;
}

void mnuLoadLastSession_Click()
{
    Declare& d = app().declare();
    // Written among the program's own files; one that a run which could write
    // the program folder left there is read as long as there is no other.
    const std::string session = LastSessionFileToRead(d.LastSessionDatei, d.ProgrammPfad);
    ProjectFileContent p;
    if (!ParseProjectDlg(session, p)) return;
    if (!ChangedDataSavedOrDropped(p)) return;
    ApplyProjectDlg(p);
    const std::string dataFileName = p.DatenDatei;
    const std::string message = dataFileName.empty() ? std::string("... no data file")
                                                     : LoadProjectData(dataFileName, FolderOf(session));
    EnableItem(&MDIKIN::mnuNeudat, true);
    EnableItem(&MDIKIN::mnuSaveProject, true);
    ReopenModelWindowKeepingK();
    app().services().msgBox(Q(message), MsgButtons::OK, MsgIcon::Information, "Loaded...");
}

void mnuLoadProject_Click()
{
    std::string fullName, dataFileName;
    bool ok = false, cancelled = false;
    LoadProjectDlg(fullName, dataFileName, ok, cancelled);
    if (!ok || cancelled) return;
    EnableItem(&MDIKIN::mnuNeudat, true);
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
