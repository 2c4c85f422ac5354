// The open dialog, the data and project file commands, loading a project or
// the last session, and ending the program (Exit and the close box), offscreen
// with recording services.

#include <QtTest>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "builders.h"
#include "shell_fixture.h"
#include "core/kinetics/models.h"
#include "core/shell/datafile.h"
#include "core/shell/projectfile.h"
#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/kinetics/frmpreparetimediagram.h"
#include "ui/shell/frmcmndlg.h"
#include "ui/shell/frmcommentinput.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using namespace kinhom::test;
namespace fs = std::filesystem;

namespace {

// A child window that records its close handler (and may refuse to close).
class TestChild : public KinWidget {
public:
    TestChild() { setObjectName("TestChild"); }
    void Form_Unload(int& Cancel) override
    {
        ++unloads;
        Cancel = refuse ? 1 : 0;
    }
    static inline int unloads = 0;
    static inline bool refuse = false;
};

const char* const kGoodData = "measured at 25\xC2\xB0" "C\r\nmin\r\nhdr\r\n2\r\n0,1,0,0,0,0,0,0,0,0,0,0,0\r\n"
                              "5,0.5,0,0,0,0,0,0,0,0,0,0,0\r\n";

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    std::unique_ptr<App> application;
    fs::path dir;      // a user folder with data and project files
    fs::path program;  // the program folder

    RecordingServices& rec() { return static_cast<RecordingServices&>(app().services()); }
    Declare& d() { return app().declare(); }

    void writeFile(const fs::path& p, const std::string& text)
    {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    static std::string readFile(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // programWritable false: the program folder counts as one that cannot be
    // written (the check is injected, so the test means the same run as root).
    void makeApp(bool programWritable = true)
    {
        application.reset();
        App::Setup setup{program, std::make_unique<RecordingServices>(),
                         QString::fromStdString((dir / "settings.ini").string())};
        if (!programWritable) setup.folderWritable = [](const fs::path&) { return false; };
        application = std::make_unique<App>(std::move(setup));
        StartUp(*application);
        ConnectFileActions(app().mainWindow());
        rec().messages.clear();
    }

    // Acts on the open dialog as soon as it runs modally; a dialog left open by
    // the action is cancelled afterwards, so a test never hangs.
    void onOpenDialog(std::function<void(frmCmnDlg&)> action)
    {
        QTimer::singleShot(0, qApp, [action] {
            frmCmnDlg* dlg = app().find<frmCmnDlg>();
            if (!dlg) {
                qWarning("open dialog not loaded");
                return;
            }
            action(*dlg);
            if (app().find<frmCmnDlg>() && dlg->isVisible()) dlg->cmdOpenCancel->click();
        });
    }
    // Types a name into the dialog and presses OK.
    void chooseInOpenDialog(const QString& text)
    {
        onOpenDialog([text](frmCmnDlg& dlg) {
            dlg.txtOpenFile->setText(text);
            dlg.cmdOpenOK->click();
        });
    }
    // Answers the project comment dialog (text, or Cancel when text is null).
    void onCommentDialog(const QString& text, bool cancel = false)
    {
        QTimer::singleShot(0, qApp, [text, cancel] {
            frmCommentInput* c = app().find<frmCommentInput>();
            if (!c) return;
            if (cancel) {
                c->cmdAbort->click();
            } else {
                c->txtDatComm->setText(text);
                c->cmdOK->click();
            }
        });
    }

    // Data in memory: three points, changed since they were saved.
    void fillData(bool changed)
    {
        d().Kommentar = "in memory";
        d().Zeiteinheit = "s";
        SetMeasuredPoints(d(), {CtPoint({.t = 1, .A = 1.0}), CtPoint({.t = 2, .A = 1.0 / 2}),
                                CtPoint({.t = 3, .A = 1.0 / 3})});
        d().DateiName = (dir / "memory.KV3").string();
        d().DatenGeaendert = changed;
    }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
        dir = fs::path(tmp->path().toStdString()) / "user";
        program = fs::path(tmp->path().toStdString()) / "program";
        fs::create_directories(dir / "sub");
        fs::create_directories(program);
        TestChild::unloads = 0;
        TestChild::refuse = false;
        fileActionHooks() = {};
        makeApp();
    }
    void cleanup()
    {
        application.reset();
        tmp.reset();
        fileActionHooks() = {};
    }

    // ---- the open dialog --------------------------------------------------------------

    void openDialogCancelLeavesNameAndFolder()
    {
        writeFile(dir / "a.KV3", kGoodData);
        for (bool byEscape : {false, true}) {
            onOpenDialog([byEscape](frmCmnDlg& dlg) {
                QCOMPARE(dlg.windowTitle(), QString("Loading experimental data"));
                QCOMPARE(dlg.filOpenList->count(), 1);
                if (byEscape)
                    QTest::keyClick(&dlg, Qt::Key_Escape);
                else
                    dlg.cmdOpenCancel->click();
            });
            std::string name = "Proposed.KV3", folder = dir.string();
            bool cancelled = false;
            ShowOpenDialog(name, folder, "*.KV3", "Loading experimental data", cancelled);
            QVERIFY(cancelled);
            QCOMPARE(name, std::string("Proposed.KV3"));
            QCOMPARE(folder, dir.string());
            QVERIFY(!app().isLoaded<frmCmnDlg>());
        }
    }

    void openDialogAcceptsKeepingCase()
    {
        writeFile(dir / "Run.kv3", kGoodData);
        writeFile(dir / "sub" / "Deep.KV3", kGoodData);
        struct Case {
            QString typed;
            std::string name, folder;
        };
        const Case cases[] = {
            {"Run.kv3", "Run.kv3", dir.string()},
            {QString::fromStdString((dir / "sub" / "Deep.KV3").string()), "Deep.KV3", (dir / "sub").string()},
            {"sub/Deep.KV3", "Deep.KV3", (dir / "sub").string()},
        };
        for (const Case& c : cases) {
            chooseInOpenDialog(c.typed);
            std::string name, folder = dir.string();
            bool cancelled = true;
            ShowOpenDialog(name, folder, "*.KV3", "t", cancelled);
            QVERIFY2(!cancelled, qPrintable(c.typed));
            QCOMPARE(name, c.name);
            QCOMPARE(folder, c.folder);
        }
        // a double click on a listed file accepts it
        onOpenDialog([](frmCmnDlg& dlg) {
            QVERIFY(dlg.filOpenList->selectFile("Run.kv3"));
            dlg.filOpenList_DblClick();
        });
        std::string name, folder = dir.string();
        bool cancelled = true;
        ShowOpenDialog(name, folder, "*.KV3", "t", cancelled);
        QVERIFY(!cancelled);
        QCOMPARE(name, std::string("Run.kv3"));
    }

    void openDialogWildcardAndFileNotFound()
    {
        writeFile(dir / "a.KV3", kGoodData);
        writeFile(dir / "b.TXT", "x");
        writeFile(dir / "c.txt", "x");
        onOpenDialog([this](frmCmnDlg& dlg) {
            dlg.txtOpenFile->setText("*.TXT");
            dlg.cmdOpenOK->click();
            QVERIFY(dlg.isVisible());
            QCOMPARE(dlg.txtOpenFile->text(), QString("*.TXT"));
            QCOMPARE(dlg.filOpenList->count(), 2);
            QCOMPARE(dlg.filOpenList->item(0)->text(), QString("b.TXT"));
            QCOMPARE(dlg.filOpenList->item(1)->text(), QString("c.txt"));

            // a name that does not exist: "File not found", the pattern comes back
            dlg.txtOpenFile->setText("missing.KV3");
            dlg.cmdOpenOK->click();
            QVERIFY(dlg.isVisible());
            QCOMPARE(rec().lastMessage(), QString("File not found"));
            QCOMPARE(rec().messages.back().title, QString("Open a file"));
            QVERIFY(rec().messages.back().icon == MsgIcon::Critical);
            QCOMPARE(dlg.filOpenList->Pattern(), QString("*.TXT"));
            dlg.cmdOpenCancel->click();
        });
        std::string name, folder = dir.string();
        bool cancelled = false;
        ShowOpenDialog(name, folder, "*.KV3", "Open a file", cancelled);
        QVERIFY(cancelled);

        // in a SAVE mode the same name is accepted
        rec().messages.clear();
        chooseInOpenDialog("missing.KV3");
        ShowOpenDialog(name, folder, "*.KV3", "Save", cancelled, "SAVE");
        QVERIFY(!cancelled);
        QCOMPARE(name, std::string("missing.KV3"));
        QVERIFY(rec().messages.empty());
    }

    void openDialogPreviewLeavesCommentsAlone()
    {
        writeFile(dir / "a.KV3", kGoodData);
        writeFile(dir / "p.KC3", "d\r\nproject note\r\n\r\n2\r\n0.15,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        d().Kommentar = "data comment";
        d().ProjektKommentar = "project comment";
        onOpenDialog([](frmCmnDlg& dlg) {
            dlg.filOpenList->setPattern("*.*");
            QVERIFY(dlg.lblFileComment->isHidden());
            QVERIFY(dlg.filOpenList->selectFile("a.KV3"));
            QCOMPARE(dlg.lblFileComment->text(), QString("File-comment:"));
            QVERIFY(!dlg.lblFileComment->isHidden());
            QCOMPARE(dlg.Text1->text(), QString::fromUtf8("measured at 25\xC2\xB0" "C"));
            QCOMPARE(dlg.txtOpenFile->text(), QString("a.KV3"));
            QVERIFY(dlg.filOpenList->selectFile("p.KC3"));
            QCOMPARE(dlg.lblFileComment->text(), QString("Project comment"));
            QCOMPARE(dlg.Text1->text(), QString("project note"));
            QVERIFY(dlg.filOpenList->selectFile("a.KV3"));
            QCOMPARE(dlg.lblFileComment->text(), QString("File-comment:"));
            QVERIFY(dlg.Text1->isReadOnly());
            dlg.cmdOpenCancel->click();
        });
        std::string name, folder = dir.string();
        bool cancelled = false;
        ShowOpenDialog(name, folder, "", "t", cancelled);
        QVERIFY(cancelled);
        QCOMPARE(d().Kommentar, std::string("data comment"));
        QCOMPARE(d().ProjektKommentar, std::string("project comment"));
    }

    void openDialogDeleteAsksFirst()
    {
        writeFile(dir / "old.KV3", kGoodData);
        rec().msgAnswers = {MsgAnswer::No, MsgAnswer::Yes};
        onOpenDialog([this](frmCmnDlg& dlg) {
            QVERIFY(dlg.filOpenList->selectFile("old.KV3"));
            QTest::keyClick(dlg.filOpenList, Qt::Key_Delete);
            QCOMPARE(rec().lastMessage(), QString("File old.KV3really delete?"));
            QCOMPARE(rec().messages.back().title, QString("Confirm deleting"));
            QVERIFY(rec().messages.back().buttons == MsgButtons::YesNo);
            QVERIFY(fs::exists(dir / "old.KV3"));
            QCOMPARE(dlg.filOpenList->count(), 1);
            QVERIFY(dlg.filOpenList->selectFile("old.KV3"));
            QTest::keyClick(dlg.filOpenList, Qt::Key_Delete);
            QVERIFY(!fs::exists(dir / "old.KV3"));
            QCOMPARE(dlg.filOpenList->count(), 0);
            dlg.cmdOpenCancel->click();
        });
        std::string name, folder = dir.string();
        bool cancelled = false;
        ShowOpenDialog(name, folder, "*.KV3", "t", cancelled);
        QCOMPARE(rec().messages.size(), std::size_t(2));
    }

    void openDialogNavigates()
    {
        writeFile(dir / "sub" / "x.KV3", kGoodData);
        onOpenDialog([this](frmCmnDlg& dlg) {
            QCOMPARE(dlg.filOpenList->Path(), QString::fromStdString((dir / "sub").string()));
            QCOMPARE(dlg.txtOpenFile->text(), QString("proposed.KV3"));
            dlg.cmdReturn->click();
            QCOMPARE(dlg.filOpenList->Path(), QString::fromStdString(dir.string()));
            QCOMPARE(dlg.dirOpenList->Path(), dlg.filOpenList->Path());
            QCOMPARE(dlg.txtOpenFile->text(), QString("*.KV3"));
            // highlighting a folder and pressing OK moves into it
            const auto items = dlg.dirOpenList->findItems("sub", Qt::MatchExactly);
            QCOMPARE(items.size(), 1);
            items.front()->setSelected(true);
            dlg.cmdOpenOK->click();
            QCOMPARE(dlg.filOpenList->Path(), QString::fromStdString((dir / "sub").string()));
            QCOMPARE(dlg.filOpenList->count(), 1);
            QVERIFY(rec().messages.empty());
            // a folder that does not exist is reported and the lists stay
            dlg.txtOpenFile->setText(QString::fromStdString((dir / "nowhere").string()) + "/x.KV3");
            dlg.cmdOpenOK->click();
            QCOMPARE(rec().messages.size(), std::size_t(1));
            QCOMPARE(dlg.filOpenList->Path(), QString::fromStdString((dir / "sub").string()));
            // the places list: file-system root, home, program folder
            QCOMPARE(dlg.drvOpenList->count(), 3);
            QCOMPARE(dlg.drvOpenList->itemData(0).toString(), QDir::rootPath());
            QCOMPARE(dlg.drvOpenList->itemData(2).toString(), QString::fromStdString(program.string()));
            dlg.drvOpenList->setCurrentIndex(2);
            dlg.drvOpenList_Change();
            QCOMPARE(dlg.filOpenList->Path(), QString::fromStdString(program.string()));
        });
        std::string name = "proposed.KV3", folder = (dir / "sub").string();
        bool cancelled = false;
        ShowOpenDialog(name, folder, "*.KV3", "t", cancelled);
        QVERIFY(cancelled);
    }

    // ---- measured data ------------------------------------------------------------------

    void loadExpDataFailureKeepsEverything()
    {
        fillData(true);
        writeFile(dir / "broken.KV3", "c\r\nh\r\nhdr\r\n3\r\n0,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
        d().ExpDatenPfad = dir.string();
        const auto before = d().ExpPunkte;
        chooseInOpenDialog("broken.KV3");
        bool loaded = true, cancelled = true;
        LoadExpDataDlg(false, loaded, cancelled);
        QVERIFY(!cancelled);
        QVERIFY(!loaded);
        QCOMPARE(d().AnzahlPunkte, 3);
        QVERIFY(d().ExpPunkte == before);
        QCOMPARE(d().Kommentar, std::string("in memory"));
        QCOMPARE(d().Zeiteinheit, std::string("s"));
        QCOMPARE(d().DateiName, (dir / "memory.KV3").string());
        QVERIFY(d().DatenGeaendert);
        QCOMPARE(rec().messages.back().title, QString("message from LoadDataFile"));
        QVERIFY(rec().lastMessage().contains("broken.KV3"));
        QVERIFY(rec().lastMessage().contains("line 6"));

        writeFile(dir / "good.KV3", kGoodData);
        chooseInOpenDialog("good.KV3");
        LoadExpDataDlg(true, loaded, cancelled);
        QVERIFY(loaded);
        QCOMPARE(d().AnzahlPunkte, 5);
        QCOMPARE(d().ExpPunkte[5].t, 300.0); // 5 min appended to data in seconds
        QCOMPARE(d().Zeiteinheit, std::string("s"));
    }

    void saveExpDataAs()
    {
        fillData(true);
        const std::string oldName = d().DateiName;
        bool notSaved = false;
        rec().saveAnswers = {std::nullopt};
        SaveExpDataAs(notSaved);
        QVERIFY(notSaved);
        QCOMPARE(d().DateiName, oldName);
        QCOMPARE(rec().saveRequests.back().title, QString("Exp. data file save as ..."));
        QCOMPARE(rec().saveRequests.back().filter, QString("Exp. data file (*.KV3)|*.KV3"));

        rec().saveAnswers = {QString::fromStdString((dir / "nofolder" / "x.KV3").string())};
        SaveExpDataAs(notSaved);
        QVERIFY(notSaved);
        QCOMPARE(rec().messages.back().title, QString("message from WriteDataFile"));
        QCOMPARE(d().DateiName, oldName);

        rec().saveAnswers = {QString::fromStdString((dir / "sub" / "saved").string())};
        SaveExpDataAs(notSaved);
        QVERIFY(!notSaved);
        QCOMPARE(d().DateiName, (dir / "sub" / "saved.KV3").string());
        QCOMPARE(d().ExpDatenPfad, (dir / "sub").string() + "/");
        QVERIFY(readFile(dir / "sub" / "saved.KV3").rfind("in memory\r\ns\r\n", 0) == 0);
    }

    // A read-only file is not replaced: the box says so and names the file.
    void saveExpDataOverAReadOnlyFileIsRefused()
    {
        fillData(true);
        const fs::path locked = dir / "locked.KV3";
        writeFile(locked, "kept\r\n");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const std::string oldName = d().DateiName;
        bool notSaved = false;
        rec().saveAnswers = {QString::fromStdString(locked.string())};
        SaveExpDataAs(notSaved);
        QVERIFY(notSaved);
        QCOMPARE(rec().messages.back().title, QString("message from WriteDataFile"));
        QVERIFY(rec().messages.back().text.contains("read-only"));
        QVERIFY(rec().messages.back().text.contains(QString::fromStdString(locked.string())));
        QCOMPARE(d().DateiName, oldName);
        QCOMPARE(readFile(locked), std::string("kept\r\n"));
        fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    }

    void askSaveExpData()
    {
        fillData(true);
        struct Case {
            MsgAnswer answer;
            std::optional<QString> saveAs;
            bool cancelled;
        };
        const Case cases[] = {
            {MsgAnswer::Yes, std::nullopt, true},
            {MsgAnswer::No, std::nullopt, false},
            {MsgAnswer::Cancel, std::nullopt, true},
            {MsgAnswer::Yes, QString::fromStdString((dir / "yes.KV3").string()), false},
        };
        for (const Case& c : cases) {
            rec().msgAnswers = {c.answer};
            rec().saveAnswers = {c.saveAs};
            bool cancelled = !c.cancelled;
            AskSaveExpData(cancelled);
            QCOMPARE(cancelled, c.cancelled);
            QCOMPARE(rec().messages.front().text, QString("The experimental data were changed.\r\nSave now?"));
            QCOMPARE(rec().messages.front().title, QString("WARNING"));
            QVERIFY(rec().messages.front().buttons == MsgButtons::YesNoCancel);
            rec().messages.clear();
        }
        QVERIFY(fs::exists(dir / "yes.KV3"));
    }

    // ---- ending the program ------------------------------------------------------------------

    void exitWithUnchangedDataWritesSessionWithoutQuestion()
    {
        fillData(false);
        app().get<TestChild>();
        app().mainWindow().mnuExit->trigger();
        QVERIFY(rec().messages.empty());
        QVERIFY(fs::exists(program / "KinLastSession.KC3"));
        QCOMPARE(TestChild::unloads, 1);
        QVERIFY(!app().isLoaded<TestChild>());
        QVERIFY(!app().mainWindow().isVisible());
    }

    void exitWithChangedDataAndCancelKeepsRunning()
    {
        fillData(true);
        for (bool closeBox : {false, true}) {
            rec().msgAnswers = {MsgAnswer::Cancel};
            if (closeBox)
                app().mainWindow().close();
            else
                mnuExit_Click();
            QCOMPARE(rec().messages.size(), std::size_t(1));
            QCOMPARE(rec().lastMessage(), QString("The experimental data were changed.\r\nSave now?"));
            QVERIFY(!fs::exists(program / "KinLastSession.KC3"));
            QVERIFY(app().mainWindow().isVisible());
            rec().messages.clear();
        }
    }

    void loadingOverChangedDataAsksFirst()
    {
        writeFile(dir / "new.KV3", kGoodData);
        writeFile(program / "KinLastSession.KC3",
                  "d\r\nsession\r\n" + (dir / "new.KV3").string() +
                      "\r\n6\r\n0.5,0.1,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        fillData(true);
        d().ModellNr = 2;

        // Cancel: nothing is loaded, the changed data stay
        rec().msgAnswers = {MsgAnswer::Cancel};
        mnuLoadLastSession_Click();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().lastMessage(), QString("The experimental data were changed.\r\nSave now?"));
        QCOMPARE(d().ModellNr, std::int16_t(2));
        QCOMPARE(d().AnzahlPunkte, 3);
        QCOMPARE(d().Kommentar, std::string("in memory"));
        rec().messages.clear();

        // A project: the question comes once the chosen file was read, and
        // Cancel applies nothing of it
        writeFile(dir / "with.KC3", "d\r\nproject\r\nnew.KV3\r\n6\r\n0.5,0.1,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        writeFile(dir / "without.KC3", "d\r\nno data\r\n\r\n3\r\n0.5,0.1,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        d().ProjektPfad = dir.string();
        d().ProjektDatei.clear();
        rec().msgAnswers = {MsgAnswer::Cancel};
        chooseInOpenDialog("with.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].title, QString("WARNING"));
        QCOMPARE(d().AnzahlPunkte, 3);
        QCOMPARE(d().ModellNr, std::int16_t(2));
        QCOMPARE(d().ProjektDatei, std::string());
        QVERIFY(d().ProjektKommentar != "project");
        rec().messages.clear();

        // A project without a data file leaves the data alone: no question
        chooseInOpenDialog("without.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().lastMessage(), QString("... no data file"));
        QCOMPARE(d().ModellNr, std::int16_t(3));
        QCOMPARE(d().AnzahlPunkte, 3);
        QVERIFY(d().DatenGeaendert);
        d().ModellNr = 2;
        rec().messages.clear();

        // No: the session is loaded over the data
        rec().msgAnswers = {MsgAnswer::No};
        mnuLoadLastSession_Click();
        QCOMPARE(d().ModellNr, std::int16_t(6));
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(rec().messages.back().title, QString("Loaded..."));
    }

    void exitWithChangedDataAndYesSavesThenEnds()
    {
        fillData(true);
        app().get<TestChild>();
        rec().msgAnswers = {MsgAnswer::Yes};
        rec().saveAnswers = {QString::fromStdString((dir / "atexit.KV3").string())};
        app().mainWindow().close(); // the close box asks like Exit
        QVERIFY(fs::exists(dir / "atexit.KV3"));
        QVERIFY(fs::exists(program / "KinLastSession.KC3"));
        QVERIFY(!app().mainWindow().isVisible());
        QCOMPARE(TestChild::unloads, 1);
        QCOMPARE(rec().helpClosed, 1);
    }

    void exitStopsWhenAChildWindowRefuses()
    {
        fillData(false);
        app().get<TestChild>();
        TestChild::refuse = true;
        mnuExit_Click();
        QVERIFY(app().mainWindow().isVisible());
        QVERIFY(app().isLoaded<TestChild>());
        TestChild::refuse = false;
    }

    // ---- projects and the last session ------------------------------------------------------

    void saveProjectAsAsksForTheComment()
    {
        fillData(false);
        d().ModellNr = 8;
        d().ProjektPfad = dir.string();
        const fs::path file = dir / "proj.KC3";
        rec().saveAnswers = {QString::fromStdString((dir / "proj").string())};
        onCommentDialog("first project");
        app().mainWindow().mnuSaveProject->trigger();
        QCOMPARE(rec().saveRequests.back().title, QString("Save actual session as ..."));
        QCOMPARE(rec().saveRequests.back().filter, QString("KINHOM projekt file (*.KC3)|*.KC3"));
        QCOMPARE(d().ProjektKommentar, std::string("first project"));
        QCOMPARE(d().DateiName, (dir / "memory.KV3").string());
        QCOMPARE(d().ProjektPfad, dir.string() + "/");
        const std::string text = readFile(file);
        QVERIFY(text.find("\r\nfirst project\r\nmemory.KV3\r\n8\r\n") != std::string::npos);

        rec().saveAnswers = {QString::fromStdString(file.string())};
        rec().msgAnswers = {MsgAnswer::Yes}; // replace proj.KC3
        onCommentDialog({}, true);
        SaveProjectAs();
        QCOMPARE(rec().lastMessage(), QString("proj.KC3 already exists.\r\nDo you want to replace it?"));
        QCOMPARE(d().ProjektKommentar, std::string());
        QVERIFY(readFile(file).find("\r\n\r\nmemory.KV3\r\n") != std::string::npos);

        // Return in the comment box presses OK
        rec().saveAnswers = {QString::fromStdString(file.string())};
        rec().msgAnswers = {MsgAnswer::Yes};
        QTimer::singleShot(0, qApp, [] {
            frmCommentInput* c = app().find<frmCommentInput>();
            if (!c) return;
            c->txtDatComm->setText("typed, then Return");
            QTest::keyClick(c->txtDatComm, Qt::Key_Return);
            if (app().find<frmCommentInput>()) c->cmdAbort->click(); // never hang
        });
        SaveProjectAs();
        QCOMPARE(d().ProjektKommentar, std::string("typed, then Return"));
        QVERIFY(readFile(file).find("\r\ntyped, then Return\r\n") != std::string::npos);

        rec().saveAnswers = {std::nullopt};
        d().ProjektPfad = "unchanged";
        SaveProjectAs();
        QCOMPARE(d().ProjektPfad, std::string("unchanged"));
    }

    void loadProjectWithItsDataFileRestoresK()
    {
        // the data file lies beside the project
        writeFile(dir / "p" / "series.KV3", kGoodData);
        writeFile(dir / "p" / "proj.KC3", "d\r\nproject\r\nseries.KV3\r\n4\r\n0.7,0.02,0\r\n0\r\n0\r\n0\r\n0\r\n"
                                          "0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        int reopened = 0;
        fileActionHooks().reopenModelWindow = [&reopened] {
            ++reopened;
            ApplyModelDefaults(app().declare(), app().declare().ModellNr);
        };
        std::vector<double> shown;
        fileActionHooks().showRateConstants = [&shown] { shown = {app().declare().k[1], app().declare().k[2]}; };
        app().mainWindow().OpenDataEditor = [] {}; // the data editor can be opened
        d().ProjektPfad = (dir / "p").string();
        chooseInOpenDialog("proj.KC3");
        app().mainWindow().mnuLoadProject->trigger();
        QCOMPARE(reopened, 1);
        QCOMPARE(d().ModellNr, std::int16_t(4));
        QCOMPARE(d().k[1], 0.7);
        QCOMPARE(d().k[2], 0.02);
        QCOMPARE(shown, (std::vector<double>{0.7, 0.02}));
        QCOMPARE(d().ProjektKommentar, std::string("project"));
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(d().DateiName, (dir / "p" / "series.KV3").string());
        QVERIFY(d().ctDaten);
        QCOMPARE(d().c0Exp[1], 1.0f);
        QCOMPARE(rec().messages.back().title, QString("Loaded..."));
        QCOMPARE(rec().lastMessage(), QString("... data file: series.KV3\r\n\r\n(Look at \"Data / View/Edit exper. data\")"));
        QVERIFY(app().mainWindow().mnuEdit->isEnabled());
        QVERIFY(app().mainWindow().mnuNeudat->isEnabled());
    }

    void loadProjectShowsItsRateConstantsInTheSetUpWindow()
    {
        // the real hooks of the main window: the model window is reopened for the
        // project's model and the set-up window shows the project's constants
        writeFile(dir / "p" / "proj.KC3", "d\r\nproject\r\n\r\n6\r\n0.7,0.02,0\r\n0\r\n0\r\n0\r\n0\r\n"
                                          "0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        app().declare().ModellNr = 2;
        auto* setUp = &app().show<frmPrepareTimeDiagram>();
        d().ProjektPfad = (dir / "p").string();
        chooseInOpenDialog("proj.KC3");
        mnuLoadProject_Click();
        QVERIFY(app().isLoaded<frmKinModel>());
        QCOMPARE(d().ModellNr, std::int16_t(6));
        QCOMPARE(d().k[1], 0.7);
        QCOMPARE(d().k[2], 0.02);
        QCOMPARE(setUp->Inp[10]->text(), QString(" 0.7"));
        QCOMPARE(setUp->Inp[11]->text(), QString(" 0.02"));
        QVERIFY(setUp->Label7->text().contains("A => C => P"));
    }

    void loadProjectWithoutOrWithMissingDataFile()
    {
        fillData(false);
        const std::string oldName = d().DateiName;
        writeFile(dir / "none.KC3", "d\r\nc\r\n\r\n3\r\n1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        writeFile(dir / "gone.KC3", "d\r\nc\r\ngone.KV3\r\n3\r\n1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        d().ProjektPfad = dir.string();

        chooseInOpenDialog("none.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().lastMessage(), QString("... no data file"));
        QCOMPARE(d().ModellNr, std::int16_t(3));
        QCOMPARE(d().AnzahlPunkte, 3);

        rec().messages.clear();
        chooseInOpenDialog("gone.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().messages.size(), std::size_t(2));
        QCOMPARE(rec().messages[0].title, QString("message from LoadDataFile"));
        QVERIFY(rec().messages[0].text.contains("gone.KV3"));
        QCOMPARE(rec().messages[1].title, QString("Loaded..."));
        QVERIFY(rec().messages[1].text.contains("could not be loaded"));
        QVERIFY(!rec().messages[1].text.contains("... data file:"));
        QCOMPARE(d().DateiName, oldName);
        QCOMPARE(d().AnzahlPunkte, 3);

        // the program folder is the second place a data file is looked for
        writeFile(program / "gone.KV3", kGoodData);
        rec().messages.clear();
        chooseInOpenDialog("gone.KC3");
        mnuLoadProject_Click();
        QCOMPARE(d().DateiName, (program / "gone.KV3").string());
        QCOMPARE(d().AnzahlPunkte, 2);
        QVERIFY(app().mainWindow().mnuEdit->isEnabled());
        QVERIFY(app().mainWindow().mnuNeudat->isEnabled());
    }

    // The project's rate constants survive the model window's reopenings by the
    // task menus until a model is picked or a task forces another model.
    void projectRateConstantsSurviveTheReopenings()
    {
        writeFile(dir / "p" / "proj.KC3", "d\r\nproject\r\n\r\n6\r\n0.07,0.02,0\r\n0\r\n0\r\n0\r\n0\r\n"
                                          "0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        d().ProjektPfad = (dir / "p").string();
        auto load = [this] {
            chooseInOpenDialog("proj.KC3");
            mnuLoadProject_Click();
            QCOMPARE(d().k[1], 0.07);
        };
        MDIKIN& m = app().mainWindow();
        load();
        for (int i = 0; i < 2; ++i) {
            m.mnuctGraph->trigger();
            QCOMPARE(d().k[1], 0.07);
            QCOMPARE(d().k[2], 0.02);
            QCOMPARE(app().find<frmPrepareTimeDiagram>()->Inp[10]->text(), QString(" 0.07"));
        }
        m.mnuvtGraph->trigger();
        QCOMPARE(d().k[1], 0.07);
        // a change of the time unit converts them, and they stay converted
        app().find<frmKinModel>()->optZeit[1]->click();
        m.mnuctGraph->trigger();
        QCOMPARE(d().k[1], 0.07 * 60);
        QCOMPARE(app().find<frmPrepareTimeDiagram>()->Inp[10]->text(), QString(" 4.2"));

        // picking a model applies its defaults from then on
        Declare defaults;
        defaults.Ordnung = d().Ordnung;
        ApplyModelDefaults(defaults, 6);
        app().find<frmKinModel>()->optTyp[2]->click();
        app().find<frmKinModel>()->optTyp[6]->click();
        QCOMPARE(d().k[1], defaults.k[1]);
        d().k[1] = 0.5;
        m.mnuctGraph->trigger();
        QCOMPARE(d().k[1], defaults.k[1]);

        // a task that forces another model gets that model's defaults
        app().find<frmKinModel>()->optZeit[0]->click();
        load();
        d().ModellNr = 2;
        m.mnuctGraph->trigger();
        QCOMPARE(d().k[1], 0.15);
        d().ModellNr = 6;
        m.mnuctGraph->trigger();
        QCOMPARE(d().k[1], defaults.k[1]);
    }

    // A project is saved as .KC3; the dialog never proposes a data file, and
    // a data file's name typed into it gets .KC3 appended.
    void projectIsAlwaysSavedAsKC3()
    {
        writeFile(dir / "series.KV3", kGoodData);
        d().ProjektPfad = dir.string();
        // a failed project load of a data file (shown by its pattern) leaves
        // the data file's name behind
        onOpenDialog([](frmCmnDlg& dlg) {
            dlg.txtOpenFile->setText("*.KV3");
            dlg.cmdOpenOK->click();
            dlg.txtOpenFile->setText("series.KV3");
            dlg.cmdOpenOK->click();
        });
        mnuLoadProject_Click();
        QVERIFY(rec().messages.back().text.startsWith("the project file is corrupt"));
        QCOMPARE(rec().messages.back().title, QString("Execution not possible"));

        // the dialog does not ask about the data file typed; no question for
        // series.KV3.KC3 while it does not exist, one about it once it does
        rec().messages.clear();
        rec().saveAnswers = {QString::fromStdString((dir / "series.KV3").string())};
        onCommentDialog("c");
        app().mainWindow().mnuSaveProject->trigger();
        QCOMPARE(rec().saveRequests.back().fileName, QString());
        QVERIFY(!rec().saveRequests.back().overwritePrompt);
        QVERIFY(rec().messages.empty());
        QCOMPARE(readFile(dir / "series.KV3"), std::string(kGoodData));
        QVERIFY(readFile(dir / "series.KV3.KC3").find("\r\nc\r\n") != std::string::npos);
        rec().saveAnswers = {QString::fromStdString((dir / "series.KV3").string()), std::nullopt};
        rec().msgAnswers = {MsgAnswer::No};
        SaveProjectAs();
        QCOMPARE(rec().lastMessage(), QString("series.KV3.KC3 already exists.\r\nDo you want to replace it?"));
        QCOMPARE(rec().messages.back().title, QString("Save actual session as ..."));
        QCOMPARE(readFile(dir / "series.KV3"), std::string(kGoodData));

        // a project's name is proposed, in whatever case its extension is
        d().ProjektDatei = (dir / "old.kc3").string();
        rec().saveAnswers = {QString::fromStdString((dir / "new.Kc3").string())};
        onCommentDialog("d");
        SaveProjectAs();
        QCOMPARE(rec().saveRequests.back().fileName, QString::fromStdString((dir / "old.kc3").string()));
        QVERIFY(fs::exists(dir / "new.Kc3"));
        QVERIFY(!fs::exists(dir / "new.Kc3.KC3"));
    }

    // The message for a missing data file names every place searched.
    void missingDataFileMessageNamesEveryPlace()
    {
        writeFile(dir / "p" / "gone.KC3", "d\r\nc\r\ngone.KV3\r\n3\r\n1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n"
                                          "0,0\r\nx\r\nx\r\n");
        d().ProjektPfad = (dir / "p").string();
        chooseInOpenDialog("gone.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().messages[0].title, QString("message from LoadDataFile"));
        const QString text = rec().messages[0].text;
        QVERIFY2(text.contains(QString::fromStdString((dir / "p" / "gone.KV3").string())), qPrintable(text));
        QVERIFY2(text.contains(QString::fromStdString((program / "gone.KV3").string())), qPrintable(text));

        // the last session keeps the data file with its folder: that place first
        const fs::path stored = dir / "moved" / "series.KV3";
        writeFile(program / "KinLastSession.KC3", "d\r\nKINHOM last session\r\n" + stored.string() +
                                                       "\r\n3\r\n1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n"
                                                       "0,0\r\nx\r\nx\r\n");
        rec().messages.clear();
        mnuLoadLastSession_Click();
        const QString session = rec().messages[0].text;
        const int first = session.indexOf(QString::fromStdString(stored.string()));
        const int second = session.indexOf(QString::fromStdString((program / "series.KV3").string()));
        QVERIFY2(first >= 0 && second > first, qPrintable(session));
    }

    void corruptProjectChangesNothing()
    {
        d().ModellNr = 6;
        d().k[1] = 0.33;
        writeFile(dir / "bad.KC3", "d\r\nc\r\n\r\n19\r\n1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        int reopened = 0;
        fileActionHooks().reopenModelWindow = [&reopened] { ++reopened; };
        d().ProjektPfad = dir.string();
        chooseInOpenDialog("bad.KC3");
        mnuLoadProject_Click();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
        QVERIFY(rec().messages[0].text.startsWith("the project file is corrupt\r\n"));
        QVERIFY(rec().messages[0].text.contains("bad.KC3, line 4"));
        QCOMPARE(d().ModellNr, std::int16_t(6));
        QCOMPARE(d().k[1], 0.33);
        QCOMPARE(reopened, 0);
    }

    // An installed program's folder cannot be written: the dialogs start in
    // the home folder, the protocol and the last session go to the per-user
    // data folder, and nothing is written into the program folder. A last
    // session left in the program folder is read until one is written per user.
    void readOnlyProgramFolderSendsFilesToTheUser()
    {
        QStandardPaths::setTestModeEnabled(true);
        const fs::path perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
        const fs::path home = QDir::homePath().toStdString();
        fs::remove_all(perUser);
        writeFile(program / "KinLastSession.KC3", "d\r\nKINHOM last session\r\n\r\n6\r\n0.5,0.25,0\r\n0\r\n0\r\n0\r\n"
                                                  "0\r\n0,0,0,0\r\n0\r\n0\r\n0,0\r\nx\r\nx\r\n");
        const auto programFiles = [this] {
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(program)) files.push_back(e.path());
            std::sort(files.begin(), files.end());
            return files;
        };
        const std::vector<fs::path> before = programFiles();
        makeApp(false);
        QVERIFY(fs::is_directory(perUser));
        QCOMPARE(app().userFilesFolder(), home);
        QCOMPARE(app().ownFilesFolder(), perUser);
        for (const std::string* folder : {&d().ProjektPfad, &d().ExpDatenPfad, &d().XYPfad, &d().OC2Pfad, &d().TabellePfad})
            QCOMPARE(fs::path(*folder), home);
        QCOMPARE(fs::path(d().LastSessionDatei), perUser / "KinLastSession.KC3");
        // the protocol file is named after the files in the per-user folder
        std::string first;
        app().mainWindow().SetAutoProtName(first);
        writeFile(perUser / first, "x");
        std::string next;
        app().mainWindow().SetAutoProtName(next);
        QCOMPARE(next.substr(6, 2), std::string("02"));

        // every save dialog starts in the home folder
        fillData(false);
        rec().saveAnswers = {std::nullopt, std::nullopt};
        SaveProjectAs();
        bool notSaved = false;
        SaveExpDataAs(notSaved);
        QCOMPARE(rec().saveRequests.size(), std::size_t(2));
        for (const FileDialogRequest& r : rec().saveRequests) QCOMPARE(fs::path(r.folder.toStdString()), home);

        // the old session in the program folder is read while none is per user
        fileActionHooks().reopenModelWindow = [] {};
        mnuLoadLastSession_Click();
        QCOMPARE(d().ModellNr, std::int16_t(6));
        QCOMPARE(d().k[2], 0.25);

        // Exit writes the session per user; the next run reads that one
        d().ModellNr = 17;
        d().k[1] = 2.5;
        mnuExit_Click();
        QVERIFY(fs::exists(perUser / "KinLastSession.KC3"));
        QCOMPARE(programFiles(), before);
        makeApp(false);
        fileActionHooks().reopenModelWindow = [] {};
        mnuLoadLastSession_Click();
        QCOMPARE(d().ModellNr, std::int16_t(17));
        QCOMPARE(d().k[1], 2.5);
        QCOMPARE(programFiles(), before);

        // a program folder that can be written keeps everything there
        makeApp(true);
        QCOMPARE(app().userFilesFolder(), program);
        QCOMPARE(app().ownFilesFolder(), program);
        QCOMPARE(fs::path(d().LastSessionDatei), program / "KinLastSession.KC3");
        fs::remove_all(perUser);
        QStandardPaths::setTestModeEnabled(false);
    }

    void lastSessionComesBackAfterExit()
    {
        // data kept in a folder of the user's, neither the program folder nor
        // the folder the data dialogs start in
        writeFile(dir / "sub" / "series.KV3", kGoodData);
        d().ExpDatenPfad = dir.string();
        chooseInOpenDialog("sub/series.KV3");
        bool loaded = false, cancelled = false;
        LoadExpDataDlg(false, loaded, cancelled);
        QVERIFY(loaded);
        d().ModellNr = 17;
        d().k[1] = 2.5;
        d().k[2] = 0.125;
        mnuExit_Click();
        QVERIFY(fs::exists(program / "KinLastSession.KC3"));

        makeApp();
        QCOMPARE(d().ModellNr, std::int16_t(2));
        fileActionHooks().reopenModelWindow = [] { ApplyModelDefaults(app().declare(), app().declare().ModellNr); };
        app().mainWindow().mnuLoadLastSession->trigger();
        QCOMPARE(d().ModellNr, std::int16_t(17));
        QCOMPARE(d().k[1], 2.5);
        QCOMPARE(d().k[2], 0.125);
        QCOMPARE(d().ProjektKommentar, std::string("KINHOM last session"));
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(d().Kommentar, std::string("measured at 25\xC2\xB0" "C"));
        QCOMPARE(d().DateiName, (dir / "sub" / "series.KV3").string());
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages.back().title, QString("Loaded..."));
        QCOMPARE(rec().lastMessage(), QString("... data file: series.KV3\r\n\r\n(Look at \"Data / View/Edit exper. data\")"));
    }
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
