#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QToolBar>
#include <QTextBrowser>
#include <QToolButton>

#include "shell_fixture.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/shell/frmphantom.h"
#include "ui/shell/frmtip.h"
#include "ui/shell/helpwindow.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using kinhom::test::ShellFixture;
using kinhom::test::StartUp;

namespace {

// One row of the menu tree: level, control name, caption, designed state
// ('-' separator, 'D' disabled, 'H' hidden and disabled, 'h' hidden,
// ' ' as designed otherwise), help id.
struct MenuRow {
    int level;
    const char* name;
    const char* caption;
    char state;
    int help;
};

const MenuRow kMenuTree[] = {
    {1, "mnuDaten", "&Data", ' ', 10070},
    {2, "mnuLoadLastSession", "Load last session", ' ', 0},
    {2, "mnuLoadProject", "Load existing project", ' ', 0},
    {2, "mnuSaveProject", "Save actual project as ...", ' ', 0},
    {2, "sep6", "-", '-', 0},
    {2, "mnuNeudat", "New  exper. data", ' ', 10130},
    {2, "mnuEdit", "View/Edit exper. data", 'D', 10100},
    {2, "sep4", "-", '-', 0},
    {2, "mnuEditXY", "XY Data View / Edit", ' ', 0},
    {2, "sep7", "-", '-', 0},
    {2, "mnuExit", "Exit", ' ', 10110},
    {1, "mnuModel", "&Model", ' ', 10240},
    {1, "mnuAuswertung", "Evaluation of experiments", ' ', 0},
    {2, "mnuExpctAuswertung", "Evaluating c-t(-T) data ", ' ', 0},
    {3, "mnuSubCtGrafisch", "Graph-assisted evaluation via straight line function", ' ', 0},
    {4, "mnuctAusw_1", "... for 1st order  A => P", ' ', 10030},
    {4, "mnuctAusw_2", "... for 2nd order  2 A => P", ' ', 10040},
    {4, "mnuctAusw_3", "... for 2nd order  A + B => P ", ' ', 10050},
    {4, "mnuctAusw_4", "WILKINSON", 'H', 0},
    {3, "sep2", "-", '-', 0},
    {3, "mnuCtFitting", "Fitting isothermal,  k, according to select. model", ' ', 0},
    {3, "mnuROFitting", "Fitting isothermal,  k and order of reaction, A => P", ' ', 0},
    {2, "mnuExpctT", "Evaluating c-t-T data (non-isothermal) ", ' ', 0},
    {3, "mnuNonIsothermFitting_1", "Fitting non-isothermal, 1st-order A => P, using t-c(A)-T data", ' ', 0},
    {3, "mnuNonIsothermFitting_2", "Fitting non-isothermal, 2nd-order 2A => P using t-c(A)-T data", ' ', 0},
    {2, "mnuSubLambdatGrafisch", "Graph-assisted evaluation of lambda(t) data (isothermal)", ' ', 0},
    {3, "mnuLambdaAusw_1", "... for 1st order  A => P", ' ', 0},
    {3, "mnuLambdaAusw_2", "... for 2nd order  2 A => P", ' ', 0},
    {3, "mnuLambdaAusw_3", "... for 2nd order  A + B => P ", ' ', 0},
    {2, "mnuExpkTAuswertung", "Evaluating k-T data", ' ', 10290},
    {3, "mnukT_1", "ARRHENIUS equation", ' ', 10300},
    {3, "mnukT_2", "EYRING equation", ' ', 10310},
    {2, "mnuCalcTangente", "Rate of reaction from exper. c(i)-t points", ' ', 0},
    {3, "mnuSubTangente_1", "from points c(A) - t", ' ', 0},
    {3, "mnuSubTangente_2", "from points c(B) - t", ' ', 0},
    {3, "mnuSubTangente_3", "from points c(C) - t", ' ', 0},
    {3, "mnuSubTangente_4", "from points c(P) - t", ' ', 0},
    {3, "mnuSubTangente_5", "from points c(Q) - t", ' ', 0},
    {1, "mnuGraph", "Model &Simulation", ' ', 0},
    {2, "mnuctGraph", "Diagram/Table \"Concentration vs. Time\"", ' ', 0},
    {2, "sep3", "-", '-', 0},
    {2, "mnuvtGraph", "Diagram/Table \"Reaction Rate vs. Time\"", ' ', 0},
    {1, "mnuMonteCarlo", "Monte-&Carlo", ' ', 0},
    {2, "mnuSubMonteCarlo_0", "1st-order reaction A => P ", ' ', 0},
    {2, "mnuSubMonteCarlo_1", "Dynamic Reaction Equilibrium A <=> P", ' ', 0},
    {1, "mnuReaktor", "&Reactors", ' ', 0},
    {2, "mnuBatchR", "Batch Reactor", ' ', 0},
    {2, "mnuRohrR", "Tubular Flow Reactor (TFR)", ' ', 0},
    {2, "mnuKontRK", "Continuous Stirred Tank (CSTR) ", ' ', 0},
    {2, "mnuKaskade", "Cascade", 'D', 0},
    {1, "mnuOptionenTools", "&Options", ' ', 0},
    {2, "mnuOption", "Options", ' ', 0},
    {2, "mnuToolArrhenius", "ARRHENIUS Calculator", ' ', 0},
    {2, "mnuToolEyring", "EYRING Calculator", ' ', 0},
    {1, "mnuFenster", "&Windows", ' ', 0},
    {1, "mnuHelp", "&Help", ' ', 10250},
    {2, "mnuAboutKin", "About this program", ' ', 10260},
    {2, "mnuIndex", "Help", ' ', 10270},
    {2, "mnuTip", "Show Tips", ' ', 0},
    {2, "strich", "-", '-', 0},
    {2, "mnuInfo", "Copyright, Contact", ' ', 10280},
    {1, "mnuEdit1", "Popup-menue exp-daten-grid", 'h', 0},
    {2, "mnuCopy1", "Copy", ' ', 0},
    {2, "mnuPaste1", "Paste", ' ', 0},
    {2, "mnuErase1", "Delete", ' ', 0},
    {3, "mnuSubDelNull1", "marked cell(s) => 0", ' ', 0},
    {3, "mnuSubDelLine1", "remove marked line(s)", ' ', 0},
    {1, "mnuEdit2", "PopUpMenue XY-editor", 'h', 0},
    {2, "mnuCopy2", "Copy", ' ', 0},
    {2, "mnuPaste2", "Paste", ' ', 0},
    {2, "mnuErase2", "Delete", ' ', 0},
    {3, "mnuSubDelNull2", "marked cell(s) => 0", ' ', 0},
    {3, "mnuSubDelLine2", "remove marked line(s)", ' ', 0},
};

void Walk(QAction* a, int level, QList<QPair<int, QAction*>>& out)
{
    out.append({level, a});
    if (QMenu* m = a->menu())
        for (QAction* child : m->actions())
            Walk(child, level + 1, out);
}

QString TodaysProtName(int counter)
{
    return QDate::currentDate().toString("yyMMdd") + QString("%1").arg(counter, 2, 10, QChar('0')) + ".CSV";
}

QToolButton* ToolButton(MDIKIN& m, int index)
{
    return qobject_cast<QToolButton*>(m.Toolbar1->widgetForAction(m.Toolbar1Buttons[std::size_t(index)]));
}

// Counts the times a window of a given name was shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QString name) : name_(std::move(name)) { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int shows = 0;
    // Every event the window receives; none when it was never built.
    int events = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o->objectName() != name_)
            return false;
        ++events;
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }

private:
    QString name_;
};

const QByteArray kThreeTips = "tip one\r\ntip two\r\ntip three\r\n";

} // namespace

class TestMdikin : public QObject {
    Q_OBJECT
private slots:
    void captionOfMainWindow()
    {
        kinhom::MDIKIN w;
        w.show();
        QCOMPARE(w.windowTitle(), QString("KINHOM-3     Kinetics of Homogeneous Chemical Reactions"));
        QVERIFY(w.mdiArea() != nullptr);
    }

    // The main window starts maximised; restored, it lies within the
    // available screen, frame included.
    void startUpMaximisesTheMainWindow()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QVERIFY(m.isMaximized());
        const QRect available = m.screen()->availableGeometry();
        m.showNormal();
        QCoreApplication::processEvents();
        QVERIFY2(available.contains(m.frameGeometry()),
                 qPrintable(QString("frame %1,%2 %3x%4")
                                .arg(m.frameGeometry().x())
                                .arg(m.frameGeometry().y())
                                .arg(m.frameGeometry().width())
                                .arg(m.frameGeometry().height())));
    }

    // The model window opens at the right edge of the working area and stays
    // inside it when the main window's size changes, until the user moves it.
    void modelWindowKeepsInsideTheWorkingArea()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QWidget* model = f.app->get<frmKinModel>().frame();
        QVERIFY(model);
        QWidget* viewport = f.app->mdiArea()->viewport();
        const auto inside = [&] { return model->geometry().right() < viewport->width() && model->x() >= 0; };
        for (const QSize size : {QSize(900, 800), QSize(1300, 900), QSize(700, 600)}) {
            m.showNormal();
            m.resize(size);
            QCoreApplication::processEvents();
            QVERIFY2(inside(), qPrintable(QString("window %1 wide: model at %2..%3, area %4 wide")
                                              .arg(size.width())
                                              .arg(model->x())
                                              .arg(model->geometry().right())
                                              .arg(viewport->width())));
        }
        // Moved by the user, it stays where it was put.
        model->move(10, 20);
        m.resize(1000, 800);
        QCoreApplication::processEvents();
        QCOMPARE(model->pos(), QPoint(10, 20));
    }

    // The start-up windows open only after the main window has painted itself:
    // the invisible "Main Window" child, the model window, then the tips. A main
    // window that is never painted gets them after a second; they open once, so
    // a model window closed at once stays closed.
    void startWindowsFollowTheMainWindowsFirstPaint()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        App& a = *f.app;
        // What happened first: the main window's paint or a start window.
        struct Recorder : QObject {
            App* app = nullptr;
            QStringList seen;
            bool eventFilter(QObject* watched, QEvent* event) override
            {
                if (event->type() == QEvent::Paint && watched == &app->mainWindow() && !seen.contains("paint"))
                    seen << "paint";
                if (event->type() == QEvent::Show && !seen.contains(watched->objectName())) {
                    const QString name = watched->objectName();
                    if (name == "frmKinModel" || name == "frmTip")
                        seen << (app->isLoaded<frmPhantom>() ? name : name + " before the Main Window child");
                }
                return false;
            }
        } recorder;
        recorder.app = &a;
        qApp->installEventFilter(&recorder);
        a.startUp();
        QVERIFY(!a.isLoaded<frmPhantom>() && !a.isLoaded<frmKinModel>() && !a.isLoaded<frmTip>());
        QVERIFY(QTest::qWaitForWindowExposed(&a.mainWindow()));
        QCoreApplication::sendPostedEvents();
        QVERIFY(a.isLoaded<frmKinModel>());
        QCoreApplication::processEvents();
        QCOMPARE(recorder.seen, QStringList({"paint", "frmKinModel", "frmTip"}));

        QVERIFY(a.unload<frmKinModel>());
        a.mainWindow().repaint();
        QTest::qWait(1200); // past the second of the unpainted window's start
        QVERIFY(!a.isLoaded<frmKinModel>());
        qApp->removeEventFilter(&recorder);

        // Loaded but never shown: the start windows come all the same.
        ShellFixture hidden;
        hidden.app->mainWindow().MDIForm_Load();
        QVERIFY(!hidden.app->isLoaded<frmKinModel>());
        QTRY_VERIFY_WITH_TIMEOUT(hidden.app->isLoaded<frmKinModel>(), 5000);
        QVERIFY(!hidden.app->mainWindow().isVisible());
    }

    void startUpOpensTheStartWindowsAndNamesTheProtocol()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        f.writeFile(TodaysProtName(1), "x");
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        Declare& d = f.app->declare();

        // The shared state's start values are in place.
        QCOMPARE(d.ModellNr, std::int16_t(2));
        QCOMPARE(d.Trennzeichen, std::string(";"));
        QCOMPARE(QString::fromStdString(d.LastSessionDatei), f.filePath("KinLastSession.KC3"));

        // Toolbar button 7 on, View/Edit off, first-steps panel hidden.
        QVERIFY(m.Toolbar1Buttons[7]->isEnabled());
        QVERIFY(!m.mnuEdit->isEnabled());
        QVERIFY(m.Picture1->isHidden());

        // The invisible "Main Window" child takes no room.
        QVERIFY(f.app->isLoaded<frmPhantom>());
        frmPhantom* phantom = f.app->find<frmPhantom>();
        QCOMPARE(phantom->windowTitle(), QString("Main Window"));
        QCOMPARE(phantom->subWindow()->size(), QSize(0, 0));
        QCOMPARE(phantom->subWindow()->mdiArea(), m.mdiArea());

        // The protocol name skips today's file 01; the start-up made the
        // program folder the current directory.
        QCOMPARE(QString::fromStdString(d.ProtDateiName), TodaysProtName(2));
        QCOMPARE(std::filesystem::current_path(), std::filesystem::canonical(f.folder()));

        // The tips window shows one of the tips and stores the setting "1".
        QVERIFY(f.app->isLoaded<frmTip>());
        frmTip* tip = f.app->find<frmTip>();
        QVERIFY(tip->subWindow()->isVisible());
        QVERIFY(QStringList({"tip one", "tip two", "tip three"}).contains(tip->lblTipText->text()));
        QVERIFY(tip->chkLoadTipsAtStartup->isChecked());
        QCOMPARE(f.tipsSetting().toString(), QString("1"));
        QVERIFY(!d.KeineTipsBeimStart);
        QVERIFY(f.rec->messages.empty());
    }

    void tipsSwitchedOffStayClosedAtStartUp()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        f.setTipsSetting("0");
        ShowCounter shown("frmTip");
        StartUp(*f.app);
        QVERIFY(!f.app->isLoaded<frmTip>());
        QVERIFY(f.app->declare().KeineTipsBeimStart);
        QCOMPARE(shown.shows, 0);
        QCOMPARE(shown.events, 0); // not even built and thrown away
        QCOMPARE(f.tipsSetting().toString(), QString("0")); // not rewritten

        // "Show Tips" opens them anyway and switches them on again.
        f.app->mainWindow().mnuTip->trigger();
        QVERIFY(f.app->isLoaded<frmTip>());
        QVERIFY(f.app->find<frmTip>()->isVisible());
        QCOMPARE(f.tipsSetting().toString(), QString("1"));
    }

    void tipsSettingThatIsNotANumberCountsAsOne()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        f.setTipsSetting("yes please");
        StartUp(*f.app);
        QVERIFY(f.app->isLoaded<frmTip>());
        QCOMPARE(f.tipsSetting().toString(), QString("1"));
    }

    void tipsFromAThreeLineFileCycle()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        StartUp(*f.app);
        frmTip* tip = f.app->find<frmTip>();
        QVERIFY(tip->lblTipdesTages->isVisible());
        const QStringList tips{"tip one", "tip two", "tip three"};
        int at = tips.indexOf(tip->lblTipText->text());
        QVERIFY(at >= 0);
        for (int i = 1; i <= 4; ++i) {
            tip->cmdNextTip->click();
            QCOMPARE(tip->lblTipText->text(), tips[(at + i) % 3]);
        }
        QVERIFY(!tip->lblTipdesTages->isVisible());
        QVERIFY(!tip->cmdTipsZeigen->isVisible());
    }

    void tipsFromAOneLineFileRepeat()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", "the only tip");
        StartUp(*f.app);
        frmTip* tip = f.app->find<frmTip>();
        QCOMPARE(tip->lblTipText->text(), QString("the only tip"));
        tip->cmdNextTip->click();
        QCOMPARE(tip->lblTipText->text(), QString("the only tip"));
    }

    void emptyTipsFileLeavesTheDesignedText()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", "");
        StartUp(*f.app);
        frmTip* tip = f.app->find<frmTip>();
        QCOMPARE(tip->lblTipText->text(), QString(frmTip::kDesignedTipText));
        tip->cmdNextTip->click();
        QCOMPARE(tip->lblTipText->text(), QString(frmTip::kDesignedTipText));
    }

    void missingTipsFileIsReportedInTheWindow()
    {
        ShellFixture f;
        StartUp(*f.app);
        frmTip* tip = f.app->find<frmTip>();
        const QString expected = "The file KINTIPS_E.TXT was not found \r\n\r\n";
        QCOMPARE(tip->lblTipText->text(), expected);
        tip->cmdNextTip->click();
        QCOMPARE(tip->lblTipText->text(), expected);
        QVERIFY(f.rec->messages.empty());
    }

    void showTipsWhileOpenKeepsTheWindowAndItsList()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        StartUp(*f.app);
        frmTip* tip = f.app->find<frmTip>();
        f.writeFile("KINTIPS_E.TXT", "changed\r\n");
        f.app->mainWindow().mnuTip->trigger();
        QCOMPARE(f.app->find<frmTip>(), tip);
        QCOMPARE(tip->tips().TipList.size(), std::size_t(3));
        QCOMPARE(f.app->mdiArea()->activeSubWindow(), tip->subWindow());

        // Unticking the box stores "0"; "Close <Esc>" unloads the window.
        tip->chkLoadTipsAtStartup->setChecked(false);
        QCOMPARE(f.tipsSetting().toString(), QString("0"));
        QTest::keyClick(tip, Qt::Key_Escape);
        QVERIFY(!f.app->isLoaded<frmTip>());
    }

    void menuTreeMatchesTheTable()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QList<QPair<int, QAction*>> found;
        for (QAction* a : m.menuBar()->actions())
            Walk(a, 1, found);
        Walk(m.mnuEdit1->menuAction(), 1, found);
        Walk(m.mnuEdit2->menuAction(), 1, found);

        const int n = int(sizeof kMenuTree / sizeof kMenuTree[0]);
        QCOMPARE(found.size(), n);
        for (int i = 0; i < n; ++i) {
            const MenuRow& row = kMenuTree[i];
            QAction* a = found[i].second;
            const QString where = QString("row %1 (%2)").arg(i).arg(row.name);
            QVERIFY2(found[i].first == row.level, qPrintable(where));
            QVERIFY2(a->objectName() == row.name, qPrintable(where + " got " + a->objectName()));
            if (row.state == '-') {
                QVERIFY2(a->isSeparator(), qPrintable(where));
                continue;
            }
            QVERIFY2(!a->isSeparator(), qPrintable(where));
            QVERIFY2(a->text() == row.caption, qPrintable(where + " got " + a->text()));
            QVERIFY2(MDIKIN::HelpContextID(a) == row.help, qPrintable(where));
            if (row.state == 'D' || row.state == 'H')
                QVERIFY2(!a->isEnabled(), qPrintable(where));
            QVERIFY2(a->isVisible() == (row.state != 'H' && row.state != 'h'), qPrintable(where));
        }
        // The items whose handlers are built here are live.
        for (QAction* a : {m.mnuOption, m.mnuAboutKin, m.mnuIndex, m.mnuTip, m.mnuInfo, m.mnuExit,
                           m.mnuSaveProject, m.mnuLoadProject, m.mnuLoadLastSession, m.mnuNeudat, m.mnuctAusw[1],
                           m.mnuctAusw[2], m.mnuctAusw[3], m.mnuLambdaAusw[1], m.mnuLambdaAusw[2],
                           m.mnuLambdaAusw[3], m.mnukT[1], m.mnukT[2], m.Toolbar1Buttons[2]})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        // No keyboard shortcuts besides the access keys.
        for (const auto& [level, a] : found)
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
    }

    void toolbarHasSixteenButtons()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QCOMPARE(m.Toolbar1->actions().size(), 16);
        const QMap<int, QString> tooltips{{2, "New project "},
                                          {4, "Load last session"},
                                          {6, "Load an existing project "},
                                          {7, "Save actual session as ..."},
                                          {14, " ARRHENIUS calculator "},
                                          {16, " EYRING calculator "}};
        for (int i = 1; i <= 16; ++i) {
            QAction* a = m.Toolbar1Buttons[std::size_t(i)];
            QCOMPARE(m.Toolbar1->actions()[i - 1], a);
            QCOMPARE(a->objectName(), QString("Toolbar1_%1").arg(i));
            QCOMPARE(a->isSeparator(), !tooltips.contains(i));
            if (tooltips.contains(i)) {
                QCOMPARE(a->toolTip(), tooltips[i]);
                QVERIFY(!a->icon().isNull());
            }
        }
        // Every command button is on show, a disabled one greyed (its disabled
        // image exists) rather than hidden.
        for (int i : tooltips.keys()) {
            QToolButton* b = ToolButton(m, i);
            QVERIFY(b && b->isVisible());
            QVERIFY(!b->icon().pixmap(QSize(24, 24), QIcon::Disabled).isNull());
        }
        m.mnuToolArrhenius->setEnabled(false);
        QVERIFY(!m.Toolbar1Buttons[14]->isEnabled());
        QVERIFY(ToolButton(m, 14)->isVisible());
        // The program's own images (copied beside the program) are drawable.
        const QDir icons(QDir(QCoreApplication::applicationDirPath()).filePath("icons"));
        for (const char* file : {"newproject.svg", "lastsession.svg", "openproject.svg", "saveproject.svg",
                                 "arrhenius.svg", "eyring.svg", "tip.svg"})
            QVERIFY2(QSvgRenderer(icons.filePath(file)).isValid(), file);

        // Button 7 does what "Save actual project as ..." does, after closing the tips.
        QSignalSpy save(m.mnuSaveProject, &QAction::triggered);
        QSignalSpy load(m.mnuLoadProject, &QAction::triggered);
        QVERIFY(f.app->isLoaded<frmTip>());
        ToolButton(m, 7)->click();
        QCOMPARE(save.count(), 1);
        QCOMPARE(load.count(), 0);
        QVERIFY(!f.app->isLoaded<frmTip>());
        ToolButton(m, 6)->click();
        QCOMPARE(load.count(), 1);
        // The calculator buttons follow their menu items.
        QCOMPARE(m.Toolbar1Buttons[14]->isEnabled(), m.mnuToolArrhenius->isEnabled());
        m.mnuToolArrhenius->setEnabled(true);
        QVERIFY(m.Toolbar1Buttons[14]->isEnabled());
    }

    void firstStepsPanel()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QCOMPARE(m.cmdErstnutzer->text(), QString("First Steps     (on / off)"));
        QCOMPARE(m.Label1->text(), QString("    If you are not yet familiar with KINHOM:"));
        QVERIFY(m.Label1->font().bold());
        QVERIFY(m.Label2[2]->text().startsWith(" (3)  Do select \"Evaluating c-t(T) Data\" if  you  want (a)"));
        QCOMPARE(m.Label2[5]->text(),
                 QString(" - For the \"Model Simulation\" and the \"Monte-Carlo Simulation\" no experimental data are needed."));

        QVERIFY(m.Picture1->isHidden());
        m.cmdErstnutzer->click();
        QVERIFY(m.Picture1->isVisible());
        m.cmdErstnutzer->click();
        QVERIFY(m.Picture1->isHidden());

        // A click on one of the instructions or on the panel hides it.
        m.cmdErstnutzer->click();
        QTest::mouseClick(m.Label2[3], Qt::LeftButton);
        QVERIFY(m.Picture1->isHidden());
        m.cmdErstnutzer->click();
        QTest::mouseClick(m.Picture1, Qt::LeftButton, {}, QPoint(2, m.Picture1->height() - 3));
        QVERIFY(m.Picture1->isHidden());
    }

    void resizeKeepsTheFirstStepsButtonAtTheRightEdge()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        for (int width : {700, 1000, 1300}) {
            m.resize(width, 600);
            QCoreApplication::processEvents();
            const int right = m.cmdErstnutzer->mapTo(&m, QPoint(m.cmdErstnutzer->width(), 0)).x();
            // 200 twips are 13 pixels at 15 twips per pixel.
            QCOMPARE(m.width() - right, 13);
            QVERIFY(m.Label2[0]->width() >= m.Label2[0]->sizeHint().width());
        }
    }

    void popupMenusFollowClipboardAndData()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        Declare& d = f.app->declare();
        QClipboard* clip = QGuiApplication::clipboard();

        clip->clear();
        d.AnzahlPunkte = 0;
        d.AnzahlXYPunkte = 0;
        m.mnuEdit1_Click();
        m.mnuEdit2_Click();
        for (QAction* a : {m.mnuPaste1, m.mnuCopy1, m.mnuErase1->menuAction(), m.mnuPaste2, m.mnuCopy2,
                           m.mnuErase2->menuAction()})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));

        clip->setText("0.5\t1.25");
        d.AnzahlPunkte = 1;
        m.mnuEdit1_Click();
        QVERIFY(m.mnuPaste1->isEnabled());
        QVERIFY(m.mnuCopy1->isEnabled());
        QVERIFY(m.mnuErase1->menuAction()->isEnabled());
        // The XY editor's menu counts its own points.
        m.mnuEdit2_Click();
        QVERIFY(m.mnuPaste2->isEnabled());
        QVERIFY(!m.mnuCopy2->isEnabled());
        d.AnzahlXYPunkte = 4;
        clip->clear();
        // Opening the menu runs the rule.
        emit m.mnuEdit2->aboutToShow();
        QVERIFY(!m.mnuPaste2->isEnabled());
        QVERIFY(m.mnuCopy2->isEnabled());
        QVERIFY(m.mnuErase2->menuAction()->isEnabled());
    }

    void helpItemsAndF1OpenTheirTopics()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        m.mnuAboutKin->trigger();
        m.mnuIndex->trigger();
        QCOMPARE(f.rec->helpTopics, (std::vector<int>{10260, 10270}));

        m.mnukT[2]->setEnabled(true); // as the data editor does for k-T data
        struct Case {
            QMenu* menu;
            QAction* item;
            int topic; // 0: no help
        } cases[] = {
            {m.mnuDaten, m.mnuExit, 10110},
            {m.mnuDaten, m.mnuLoadLastSession, 10070}, // no id of its own: its menu's
            {m.mnuExpkTAuswertung, m.mnukT[2], 10310},
            {m.mnuHelp, m.mnuInfo, 10280},
            {m.mnuReaktor, m.mnuBatchR, 0},
        };
        for (const Case& c : cases) {
            f.rec->helpTopics.clear();
            c.menu->popup(QPoint(10, 10));
            c.menu->setActiveAction(c.item);
            QTest::keyClick(c.menu, Qt::Key_F1);
            c.menu->hide();
            if (c.topic)
                QCOMPARE(f.rec->helpTopics, std::vector<int>{c.topic});
            else
                QVERIFY(f.rec->helpTopics.empty());
        }
    }

    void everyHelpIdHasAPage()
    {
        // The build copies the help pages beside the program and the tests.
        const QString helpFolder = QDir(QCoreApplication::applicationDirPath()).filePath("help");
        ShellFixture f;
        MDIKIN& m = f.app->mainWindow();
        QList<QPair<int, QAction*>> found;
        for (QAction* a : m.menuBar()->actions())
            Walk(a, 1, found);
        QSet<int> ids;
        for (const auto& [level, a] : found)
            if (int id = MDIKIN::HelpContextID(a))
                ids.insert(id);
        QCOMPARE(ids.size(), 15);
        HelpWindow help(helpFolder);
        for (int id : ids) {
            QVERIFY2(help.showTopic(id), qPrintable(QString::number(id)));
            QCOMPARE(help.currentTopic(), id);
            QVERIFY(help.browser()->toPlainText().size() > 100);
            QVERIFY(help.browser()->documentTitle().size() > 3);
        }
        QVERIFY(!help.showTopic(99999));
        QVERIFY(help.browser()->toPlainText().contains("99999"));
    }

    void f1InAWindowOpensItsPage()
    {
        const QString helpFolder = QDir(QCoreApplication::applicationDirPath()).filePath("help");
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        m.activateWindow();
        QApplication::setActiveWindow(&m);
        HelpWindow help(helpFolder);
        // Every window's page exists and tells something.
        for (int id : {10240, 10500, 10510, 10400, 10600, 10610, 10620, 10630, 10700}) {
            QVERIFY2(help.showTopic(id), qPrintable(QString::number(id)));
            QVERIFY(help.browser()->toPlainText().size() > 300);
        }
        // The model window is open after the start-up: F1 there opens its page.
        KinForm* model = f.app->findForm("frmKinModel");
        QVERIFY(model);
        m.mdiArea()->setActiveSubWindow(model->subWindow());
        f.rec->helpTopics.clear();
        QTest::keyClick(m.mdiArea(), Qt::Key_F1);
        QCOMPARE(f.rec->helpTopics, std::vector<int>{10240});
        // Without an active child window F1 opens the contents.
        f.rec->helpTopics.clear();
        m.mdiArea()->setActiveSubWindow(nullptr);
        m.ShowWindowHelp();
        QCOMPARE(f.rec->helpTopics, std::vector<int>{10270});
    }

    void infoBoxWindowsMenuAndOptions()
    {
        ShellFixture f;
        f.writeFile("KINTIPS_E.TXT", kThreeTips);
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();

        m.mnuInfo->trigger();
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.rec->messages[0].buttons, MsgButtons::OK);
        QVERIFY(f.rec->messages[0].text.contains("KINHOM-3"));

        // Opening the Windows menu closes the tips and lists the open children.
        QVERIFY(f.app->isLoaded<frmTip>());
        emit m.mnuFenster->aboutToShow();
        QVERIFY(!f.app->isLoaded<frmTip>());
        QStringList listed;
        for (QAction* a : m.mnuFenster->actions())
            listed << a->text();
        QVERIFY(!listed.isEmpty());
        QCOMPARE(listed.first(), QString("&1 Main Window"));
        for (int i = 0; i < listed.size(); ++i)
            QVERIFY(listed[i].startsWith(QString("&%1 ").arg(i + 1)));
        QVERIFY(!listed.join(",").contains("Tips how to handle KINHOM"));
    }
};

QTEST_MAIN(TestMdikin)
#include "test_mdikin.moc"
