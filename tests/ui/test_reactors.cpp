#include <QtTest>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QProgressBar>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "core/reactors/protocol.h"
#include "sim_fixture.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/reactors/frmbatch.h"
#include "ui/reactors/frmprotokoll.h"
#include "ui/reactors/frmrkconti.h"
#include "ui/reactors/frmrohrreaktor.h"
#include "ui/reactors/reaktorbild.h"
#include "ui/shell/fileactions.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/formnames.h"
#include "ui/shell/frmtip.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

const QString kTitle = "Execution not possible";

// A started application with the main window shown.
struct ReactorFixture : SimFixture {
    ReactorFixture() { StartUp(*app); }
    MDIKIN& main() { return app->mainWindow(); }
    std::filesystem::path protocolFile() { return folder() / d().ProtDateiName; }
};

void Set(QWidget* w, const QString& name, const QString& text)
{
    auto* e = Ctl<QLineEdit>(w, name);
    QVERIFY2(e, qPrintable(name));
    e->setText(text);
}

double Value(QWidget* w, const QString& name) { return ReadNumber(Text(w, name)); }

QString ReadAll(const std::filesystem::path& p)
{
    QFile f(QString::fromStdString(p.string()));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Presses Calculate and waits until the calculation has ended.
bool Calculate(ReaktorFenster* w)
{
    w->cmdCalc->click();
    return QTest::qWaitFor([w] { return !w->isCalculating(); }, 60000);
}

// The enzyme tank whose volume for U = 0.99999 takes seconds to find.
frmRKconti& SlowEnzymeTank(ReactorFixture& f)
{
    f.d().ModellNr = 10;
    f.main().mnuKontRK->trigger();
    frmRKconti& t = *f.app->find<frmRKconti>();
    t.optInput[1]->click();
    const char* values[][2] = {{"Inp_0", "0.69"}, {"Inp_1", "1.85"}, {"Inp_2", "1.15"}, {"Inp_3", "1.42"},
                               {"Inp_10", "1.24"}, {"Inp_11", "5.31"}, {"Inp_12", "8.0"},
                               {"txtVPunkt", "7.43"}, {"txtUmsatz", "0.99999"}};
    for (const auto& v : values) Set(&t, v[0], v[1]);
    return t;
}

// The texts of every box of a window, by name.
QMap<QString, QString> Boxes(QWidget* w)
{
    QMap<QString, QString> texts;
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) texts[e->objectName()] = e->text();
    return texts;
}

} // namespace

class TestReactors : public QObject {
    Q_OBJECT
private slots:
    // Each reactor item closes the tips, the set-up window and the two other
    // reactor windows in the order of its table, opens its own window and
    // reopens the model window, which relabels it.
    void reactorMenusCloseTheirCompetitorsInOrder()
    {
        struct Case {
            const char* item;
            const char* opens;
            QStringList closedInOrder;
        };
        const Case cases[] = {
            {"mnuBatchR", names::frmBatch, {names::frmPrepareTimeDiagram, names::frmRKconti, names::frmRohrreaktor}},
            {"mnuRohrR", names::frmRohrreaktor, {names::frmPrepareTimeDiagram, names::frmRKconti, names::frmBatch}},
            {"mnuKontRK", names::frmRKconti, {names::frmPrepareTimeDiagram, names::frmBatch, names::frmRohrreaktor}},
        };
        for (const Case& c : cases) {
            ReactorFixture f;
            f.app->show<frmTip>();
            f.app->show<frmProtokoll>();
            f.setup();
            // The window the item opens is not loaded; the two others are.
            for (const char* n : {names::frmBatch, names::frmRohrreaktor, names::frmRKconti}) {
                if (QString(n) == c.opens) continue;
                if (QString(n) == names::frmBatch) f.app->show<frmBatch>();
                if (QString(n) == names::frmRohrreaktor) f.app->show<frmRohrreaktor>();
                if (QString(n) == names::frmRKconti) f.app->show<frmRKconti>();
            }
            QStringList destroyed;
            for (KinForm* w : f.app->loadedForms()) {
                const QString name = w->widget()->objectName();
                if (c.closedInOrder.contains(name))
                    connect(w->widget(), &QObject::destroyed, [&destroyed, name] { destroyed << name; });
            }
            f.main().findChild<QAction*>(c.item)->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

            QCOMPARE(destroyed, c.closedInOrder);
            QVERIFY(!f.app->isLoaded<frmTip>());
            QVERIFY(f.app->isLoaded<frmProtokoll>()); // the protocol stays
            KinForm* opened = f.app->findForm(c.opens);
            QVERIFY(opened && opened->widget()->isVisible());
            QVERIFY(f.app->isLoaded<frmKinModel>());
            // Relabelled for the current model (2, A => P).
            QCOMPARE(Text(opened->widget(), "Label7"), QString("kinet. model:  A => P   (n = 1)"));
            QVERIFY(Shown(opened->widget(), "Inp_5") && Shown(opened->widget(), "Inp_8"));
            QVERIFY(!Shown(opened->widget(), "Inp_6"));
            QVERIFY(Ctl<QLineEdit>(opened->widget(), "Inp_5")->isReadOnly());
        }
    }

    // The model window and the unit captions address these controls by name.
    void everyReactorWindowHasTheSharedControls()
    {
        ReactorFixture f;
        QStringList shared = {"unit1", "unit2", "unit3", "Label7", "cmdShowKsi", "fraKsi", "lblTextKsi_1",
                              "lblTextKsi_2", names::lblZeitEinheit, names::lblVPunktInput};
        for (int i = 0; i <= 14; ++i) shared << QString("Inp_%1").arg(i);
        for (int i = 0; i <= 9; ++i) shared << QString("lblStoff_%1").arg(i);
        for (int i = 5; i <= 7; ++i) shared << QString("Bz_%1").arg(i);
        for (QWidget* w : {static_cast<QWidget*>(&f.app->show<frmBatch>()),
                           static_cast<QWidget*>(&f.app->show<frmRohrreaktor>()),
                           static_cast<QWidget*>(&f.app->show<frmRKconti>())})
            for (const QString& name : shared)
                QVERIFY2(w->findChildren<QWidget*>(name).size() == 1, qPrintable(w->objectName() + ": " + name));
    }

    // The model simulation closes the tips, the reactor and the fitting
    // windows, and a fit the tips, the set-up and the reactor windows, each in
    // the order of its task.
    void simulationAndFitCloseTheirCompetitorsInOrder()
    {
        const auto closedBy = [](const std::function<void(ReactorFixture&)>& task) {
            ReactorFixture f;
            f.setup();
            f.app->show<frmBatch>();
            f.app->show<frmRohrreaktor>();
            f.app->show<frmRKconti>();
            f.app->show<frmFitting>();
            QStringList destroyed;
            QObject listening; // ends before the fixture closes the rest
            for (KinForm* w : f.app->loadedForms()) {
                const QString name = w->widget()->objectName();
                connect(w->widget(), &QObject::destroyed, &listening, [&destroyed, name] { destroyed << name; });
            }
            task(f);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            destroyed.removeAll(names::frmKinModel); // reopened by the task
            return destroyed;
        };
        QCOMPARE(closedBy([](ReactorFixture& f) { f.main().mnuctGraph->trigger(); }),
                 QStringList({"frmTip", names::frmBatch, names::frmRKconti, names::frmRohrreaktor, names::frmFitting}));
        QCOMPARE(closedBy([](ReactorFixture& f) {
                     f.d().ctTDaten = true;
                     f.main().mnuNonIsothermFitting_Click(1);
                 }),
                 QStringList({"frmTip", names::frmPrepareTimeDiagram, names::frmBatch, names::frmRohrreaktor,
                              names::frmRKconti}));
    }

    void reactorsMenuAsksForAModelFirst()
    {
        ReactorFixture f;
        f.d().ModellNr = 0;
        emit f.main().mnuReaktor->aboutToShow();
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QCOMPARE(f.rec->lastMessage(), QString("First select a kinetic model!"));
        QVERIFY(f.main().mnuBatchR->isEnabled());
    }

    // The model window relabels the first loaded reactor window (stirred tank
    // before batch); the unit captions follow the model and the time unit.
    void modelChoiceRelabelsTheFirstReactorWindow()
    {
        ReactorFixture f;
        frmBatch& batch = f.app->show<frmBatch>();
        frmRKconti& tank = f.app->show<frmRKconti>();
        f.model().optZeit[1]->click(); // min
        f.choose(17);
        QCOMPARE(Text(&tank, "Label7"), QString("kinet. model:  A + B <=> P"));
        QCOMPARE(Text(&tank, "unit1"), QString("/(l/(min*mol))"));
        QCOMPARE(Text(&tank, "unit2"), QString("/(1/min)"));
        QCOMPARE(Text(&tank, "lblZeitEinheit"), QString("min"));
        QCOMPARE(Text(&tank, "lblVPunktInput"), QString("V* /m^3/min"));
        QVERIFY(Shown(&tank, "Inp_6") && Shown(&tank, "Inp_11"));
        QVERIFY(!Shown(&tank, "Inp_12"));
        // The batch window is not the first: it keeps its labels.
        QVERIFY(Text(&batch, "Label7") != Text(&tank, "Label7"));

        f.choose(8);
        QCOMPARE(Text(&tank, "Bz_5"), QString("k>"));
        QCOMPARE(Text(&tank, "Bz_6"), QString("k<"));
        QVERIFY(!Shown(&tank, "Inp_6"));
    }

    // The acceptance numbers, worked through the windows' boxes.
    void designEquationsThroughTheWindows()
    {
        struct Case {
            const char* what;
            int model;
            const char* item;
            int mode;
            double k2;
            const char* field; // the result box
            double expected;
        };
        const Case cases[] = {
            {"batch 1st order", 2, "mnuBatchR", 0, 0, "txtUmsatz", 1 - std::exp(-1.0)},
            {"tube 1st order", 2, "mnuRohrR", 0, 0, "txtUmsatz", 1 - std::exp(-1.0)},
            {"tank 1st order", 2, "mnuKontRK", 0, 0, "txtUmsatz", 0.5},
            {"tank volume for U", 2, "mnuKontRK", 1, 0, "txtV", 10},
            {"tank flow for U", 2, "mnuKontRK", 2, 0, "txtVPunkt", 1},
            {"batch 2A", 3, "mnuBatchR", 0, 0, "txtUmsatz", 2.0 / 3.0},
            {"tank 2A", 3, "mnuKontRK", 0, 0, "txtUmsatz", 0.5},
            {"batch A<=>P", 8, "mnuBatchR", 0, 0.05, "txtUmsatz", 0.1 / 0.15 * (1 - std::exp(-1.5))},
            {"tank A<=>P", 8, "mnuKontRK", 0, 0.05, "txtUmsatz", 0.4},
        };
        for (const Case& c : cases) {
            ReactorFixture f;
            f.d().ModellNr = std::int16_t(c.model);
            f.main().findChild<QAction*>(c.item)->trigger();
            auto* w = qobject_cast<ReaktorFenster*>(frmKinModel::FirstInputWindow());
            QVERIFY2(w, c.what);
            w->optInput[std::size_t(c.mode)]->click();
            Set(w, "Inp_0", " 1");
            Set(w, "Inp_10", " 0.1");
            if (c.k2 > 0) Set(w, "Inp_11", QString::number(c.k2));
            if (c.item == QString("mnuBatchR")) Set(w, "Inp_14", " 10");
            if (w->txtV) {
                Set(w, "txtV", " 10");
                Set(w, "txtVPunkt", " 1");
            }
            Set(w, "txtUmsatz", " 0.5");
            QVERIFY(Calculate(w));
            QVERIFY2(f.rec->messages.empty(), qPrintable(QString(c.what) + ": " + f.rec->lastMessage()));
            QVERIFY2(std::fabs(Value(w, c.field) - c.expected) < 2e-6 * std::max(1.0, c.expected),
                     qPrintable(QString(c.what) + " gave " + Text(w, c.field)));
            QCOMPARE(f.d().k[1], 0.1); // the window's constant is the shared one now
            QVERIFY(w->cmdShowKsi->isEnabled() && w->cmdProtokoll->isEnabled());
        }
    }

    void targetBeyondTheLimitIsRefusedWithTheLimit()
    {
        ReactorFixture f;
        f.d().ModellNr = 8;
        f.main().mnuBatchR->trigger();
        frmBatch& b = *f.app->find<frmBatch>();
        b.optInput[1]->click();
        Set(&b, "Inp_10", " 0.1");
        Set(&b, "Inp_11", " 0.05");
        Set(&b, "txtUmsatz", " 0.7");
        QVERIFY(Calculate(&b));
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QCOMPARE(f.rec->messages.back().title, kTitle);
        QVERIFY2(f.rec->lastMessage().contains("0.6666667") && f.rec->lastMessage().contains("equilibrium"),
                 qPrintable(f.rec->lastMessage()));
        QVERIFY(!b.cmdProtokoll->isEnabled());
    }

    void inputFaultsComeInOneBoxLineByLine()
    {
        ReactorFixture f;
        f.main().mnuRohrR->trigger();
        frmRohrreaktor& r = *f.app->find<frmRohrreaktor>();
        Set(&r, "Inp_0", "");
        Set(&r, "Inp_10", "0");
        Set(&r, "txtV", "-1");
        Set(&r, "txtQuerschnitt", "-2");
        QVERIFY(Calculate(&r));
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QCOMPARE(f.rec->lastMessage(), QString("- not yet given an initial concentration c(A)(0)\r\n"
                                               "- the rate constant has to be k1 > 0\r\n"
                                               "- the volume V has to be > 0\r\n"
                                               "- the cross-section has to be > 0 (0: no length)\r\n"));
        QCOMPARE(f.rec->messages.back().title, kTitle);

        // Inputs that are fine but give a volume beyond what the boxes and the
        // protocol can hold are refused, not shown as "Inf".
        f.rec->messages.clear();
        Set(&r, "Inp_0", " 1");
        Set(&r, "Inp_10", " 0.1");
        Set(&r, "txtQuerschnitt", " 0");
        r.optInput[1]->click();
        Set(&r, "txtUmsatz", " 0.5");
        Set(&r, "txtVPunkt", "1E+38");
        QVERIFY(Calculate(&r));
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QVERIFY2(f.rec->lastMessage().startsWith("A result lies beyond the range"), qPrintable(f.rec->lastMessage()));
        QVERIFY(!r.cmdProtokoll->isEnabled());
    }

    // Extents appear after a calculation; a new model choice withdraws the
    // result, so it can no longer be recorded.
    void extentsAndTheRecordButtonFollowTheResult()
    {
        ReactorFixture f;
        f.d().ModellNr = 6;
        f.main().mnuKontRK->trigger();
        frmRKconti& t = *f.app->find<frmRKconti>();
        QVERIFY(!t.cmdShowKsi->isEnabled() && !t.cmdProtokoll->isEnabled());
        QVERIFY(Calculate(&t));
        QVERIFY(f.rec->messages.empty());
        QVERIFY(t.cmdShowKsi->isEnabled() && t.cmdProtokoll->isEnabled());
        t.cmdShowKsi->click();
        QVERIFY(Shown(&t, "fraKsi") && Shown(&t, "lblTextKsi_2"));
        QVERIFY(Text(&t, "lblTextKsi_1").startsWith("ksi(1) ="));
        QCOMPARE(f.d().ProtokollZeile[18], f.d().ksi[1]);
        QVERIFY(f.d().ksi[2] > 0);
        f.choose(2);
        QVERIFY(!t.cmdShowKsi->isEnabled() && !t.cmdProtokoll->isEnabled());
        QVERIFY(!Shown(&t, "fraKsi"));
    }

    void stirrerTurnsWhileTheTankIsShown()
    {
        ReactorFixture f;
        f.main().mnuKontRK->trigger();
        frmRKconti& t = *f.app->find<frmRKconti>();
        QVERIFY(t.Timer1->isActive());
        const int before = t.picReaktor->stirrerStep();
        QTRY_VERIFY_WITH_TIMEOUT(t.picReaktor->stirrerStep() != before, 2000);
        QTimer* timer = t.Timer1;
        f.app->unload<frmRKconti>();
        QVERIFY(!timer->isActive());
    }

    // Three recorded results, then the protocol window is closed: the file has
    // the header and three rows, and the clipboard the same text.
    void recordedResultsAreWrittenWhenTheProtocolCloses()
    {
        ReactorFixture f;
        f.main().mnuBatchR->trigger();
        frmBatch& b = *f.app->find<frmBatch>();
        for (const char* t : {" 5", " 10", " 20"}) {
            Set(&b, "Inp_14", t);
            QVERIFY(Calculate(&b));
            b.cmdProtokoll->click();
            QVERIFY(!b.cmdProtokoll->isEnabled()); // one row per result
        }
        frmProtokoll& p = *f.app->find<frmProtokoll>();
        QCOMPARE(p.grdProtokoll->rowCount(), 3);
        QCOMPARE(p.grdProtokoll->item(1, 14)->text(), QString(" 10"));
        QVERIFY(f.d().ProtDatenVorhanden);
        QVERIFY(!std::filesystem::exists(f.protocolFile()));

        p.cmdClose->click();
        const QString text = ReadAll(f.protocolFile());
        const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("c0(A);c0(B);"));
        QVERIFY(lines[3].split(';').size() == kProtSpalten);
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QVERIFY(!f.d().ProtDatenVorhanden);
        QCOMPARE(f.d().ProtZeilen, 3);
    }

    void closingTheFileStartsTheNextOne()
    {
        ReactorFixture f;
        const std::string first = f.d().ProtDateiName;
        f.d().ProtokollZeile.assign(20, 1.0);
        ProtZeileAnhaengen(f.d());
        frmProtokoll& p = f.app->show<frmProtokoll>();
        p.cmdCloseFile->click();
        QVERIFY(std::filesystem::exists(f.folder() / first));
        QCOMPARE(f.d().ProtZeilen, 0);
        QCOMPARE(p.grdProtokoll->rowCount(), 0);
        QVERIFY(f.d().ProtDateiName != first);
        QCOMPARE(f.d().ProtDateiName.substr(6, 2), std::string("02"));
    }

    // Exit must not lose recorded rows: they are written before the program
    // ends; when they cannot be, the user decides.
    void exitWritesUnwrittenRows()
    {
        ReactorFixture f;
        ConnectFileActions(f.main());
        f.d().ProtokollZeile.assign(20, 2.5);
        ProtZeileAnhaengen(f.d());

        const std::string name = f.d().ProtDateiName;
        f.d().ProtDateiName = "missing-folder/x.CSV";
        f.rec->msgAnswers = {MsgAnswer::OK, MsgAnswer::No};
        mnuExit_Click();
        QVERIFY(f.main().isVisible()); // No: the program keeps running
        QCOMPARE(f.rec->messages.size(), std::size_t(2));
        QCOMPARE(f.rec->messages[0].title, QString("message from schreibProtFileAndClose"));
        QCOMPARE(f.rec->messages[1].title, QString("WARNING"));
        QVERIFY(f.d().ProtDatenVorhanden);

        f.d().ProtDateiName = name;
        f.main().close(); // the close box as well
        QVERIFY(!f.main().isVisible());
        QVERIFY(ReadAll(f.protocolFile()).contains("2.5;2.5") || ReadAll(f.protocolFile()).contains("2,5;2,5"));
    }

    // ---- long calculations --------------------------------------------------------------------

    // The enzyme tank near full conversion searches for seconds: off the GUI
    // thread, with the inputs locked, the stirrer still turning and a second
    // start impossible. Esc stops it at once and leaves everything as it was.
    void longSearchRunsBesideTheWindowAndStopsAtOnce()
    {
        ReactorFixture f;
        frmRKconti& t = SlowEnzymeTank(f);
        const QMap<QString, QString> before = Boxes(&t);
        const std::vector<double> k = f.d().k;
        const double umsatz = f.d().Umsatz;

        t.cmdCalc->click();
        QVERIFY(t.isCalculating()); // the click returned while it runs
        QVERIFY(t.cmdStop->isEnabled() && !t.cmdCalc->isEnabled() && t.prgBusy->isVisible());
        QVERIFY(!Ctl<QLineEdit>(&t, "Inp_0")->isEnabled() && !t.optInput[0]->isEnabled());
        const int step = t.picReaktor->stirrerStep();
        QTRY_VERIFY_WITH_TIMEOUT(t.picReaktor->stirrerStep() != step, 2000); // the window lives
        QVERIFY(t.isCalculating());
        t.cmdCalc->click(); // no second start
        QVERIFY(t.isCalculating());

        QTest::keyClick(t.cmdStop, Qt::Key_Escape); // where the focus is while it runs
        QVERIFY(!t.isCalculating());
        QVERIFY(f.app->isLoaded<frmRKconti>()); // Esc stopped, it did not close
        QVERIFY(t.cmdCalc->isEnabled() && !t.cmdStop->isEnabled() && t.prgBusy->isHidden());
        QVERIFY(Ctl<QLineEdit>(&t, "Inp_0")->isEnabled() && t.optInput[0]->isEnabled());
        QCOMPARE(Boxes(&t), before);
        QCOMPARE(f.d().k, k);
        QCOMPARE(f.d().Umsatz, umsatz);
        QVERIFY(!t.cmdProtokoll->isEnabled());
        // The abandoned search ends soon; its result never arrives.
        QTRY_VERIFY_WITH_TIMEOUT(!t.hasWorkers(), 10000);
        QCoreApplication::processEvents();
        QVERIFY(f.rec->messages.empty());
        QCOMPARE(Boxes(&t), before);

        // The Stop button does the same, and a new start follows at once; a
        // change of model abandons a run too.
        t.cmdCalc->click();
        t.cmdStop->click();
        QVERIFY(!t.isCalculating());
        t.cmdCalc->click();
        QVERIFY(t.isCalculating());
        f.choose(8);
        QVERIFY(!t.isCalculating());
        QTRY_VERIFY_WITH_TIMEOUT(!t.hasWorkers(), 10000);
        QCoreApplication::processEvents();
        QVERIFY(f.rec->messages.empty());
    }

    void timeBoundEndsTheSearchWithAMessageAndNoResult()
    {
        ReactorFixture f;
        frmRKconti& t = SlowEnzymeTank(f);
        t.timeLimitSeconds = 0.2;
        const QMap<QString, QString> before = Boxes(&t);
        QVERIFY(Calculate(&t));
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QCOMPARE(f.rec->messages.back().title, kTitle);
        QVERIFY2(f.rec->lastMessage().contains("stopped after 0.2 s"), qPrintable(f.rec->lastMessage()));
        QCOMPARE(Boxes(&t), before);
        QVERIFY(!t.cmdProtokoll->isEnabled());
    }

    void closingTheWindowDuringACalculationStopsIt()
    {
        ReactorFixture f;
        frmRKconti& t = SlowEnzymeTank(f);
        t.cmdCalc->click();
        QVERIFY(t.isCalculating());
        QElapsedTimer clock;
        clock.start();
        t.cmdClose->click();
        QVERIFY(!f.app->isLoaded<frmRKconti>());
        QVERIFY(clock.elapsed() < 5000); // not the seconds the search would take
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(f.rec->messages.empty());
    }

    void quittingDuringACalculationStopsIt()
    {
        {
            ReactorFixture f;
            SlowEnzymeTank(f).cmdCalc->click();
            f.main().close(); // the close box of the main window unloads every window
            QVERIFY(!f.app->isLoaded<frmRKconti>());
        }
        {
            // The application ends with the calculation still running.
            ReactorFixture f;
            frmRKconti& t = SlowEnzymeTank(f);
            t.cmdCalc->click();
            QVERIFY(t.isCalculating());
        }
    }

    // ---- what a window shows --------------------------------------------------------------------

    // A reactor window shows the results of its own last calculation with the
    // inputs it shows, nothing from another window or an earlier model.
    void resultsBelongToTheirWindowInputsAndModel()
    {
        ReactorFixture f;
        f.main().mnuBatchR->trigger();
        frmBatch& b = *f.app->find<frmBatch>();
        b.optInput[1]->click();
        Set(&b, "Inp_10", "0.01");
        Set(&b, "txtUmsatz", "0.9");
        QVERIFY(Calculate(&b));
        QCOMPARE(Text(&b, "Inp_14"), QString(" 230.2585"));

        f.main().mnuRohrR->trigger();
        frmRohrreaktor& r = *f.app->find<frmRohrreaktor>();
        QCOMPARE(Text(&r, "txtV"), QString(" 10"));
        QCOMPARE(Text(&r, "txtVPunkt"), QString(" 1"));
        QCOMPARE(Text(&r, "Inp_14"), QString()); // not the batch's time
        QCOMPARE(Text(&r, "txtUmsatz"), QString());
        QCOMPARE(Text(&r, "Inp_5"), QString());

        f.main().mnuKontRK->trigger();
        frmRKconti& t = *f.app->find<frmRKconti>();
        Set(&t, "Inp_10", "0.15");
        QVERIFY(Calculate(&t));
        QCOMPARE(Text(&t, "txtUmsatz"), QString(" 0.6"));
        QVERIFY(Text(&t, "lblGrenze").contains("U(A),max = 1"));
        f.choose(8); // A <=> P
        QCOMPARE(Text(&t, "txtUmsatz"), QString());
        QCOMPARE(Text(&t, "lblGrenze"), QString());
        QCOMPARE(Text(&t, "Inp_14"), QString());

        // A changed input clears the results; the inputs of a valid result
        // stay when the mode changes.
        QVERIFY(Calculate(&t));
        QVERIFY(!Text(&t, "Inp_5").isEmpty());
        t.optInput[1]->click();
        QCOMPARE(Text(&t, "txtV"), QString(" 10"));
        QVERIFY(!Text(&t, "txtUmsatz").isEmpty());
        Set(&t, "Inp_0", "2");
        QCOMPARE(Text(&t, "txtV"), QString());
        QCOMPARE(Text(&t, "Inp_5"), QString());
        QVERIFY(!t.cmdProtokoll->isEnabled());
    }

    // Rate constants the user used carry into the other input windows and
    // back (600 1/min did become 0.15), until a model is picked.
    void typedRateConstantsCarryBetweenWindowsUntilAModelIsPicked()
    {
        ReactorFixture f;
        f.model().optZeit[1]->click(); // min
        f.main().mnuctGraph->trigger();
        frmPrepareTimeDiagram& s = *f.app->find<frmPrepareTimeDiagram>();
        Set(&s, "Inp_10", "600");
        s.cmdDrawctDiagram->click();

        f.main().mnuBatchR->trigger();
        frmBatch& b = *f.app->find<frmBatch>();
        QCOMPARE(Text(&b, "Inp_10"), QString(" 600"));
        QCOMPARE(f.d().k[1], 600.0);
        Set(&b, "Inp_10", "700");
        QVERIFY(Calculate(&b));

        f.main().mnuRohrR->trigger();
        QCOMPARE(Text(f.app->find<frmRohrreaktor>(), "Inp_10"), QString(" 700"));
        f.main().mnuctGraph->trigger();
        QCOMPARE(Text(f.app->find<frmPrepareTimeDiagram>(), "Inp_10"), QString(" 700"));

        f.choose(2);
        QCOMPARE(f.d().k[1], 0.15);
        f.main().mnuKontRK->trigger();
        QCOMPARE(Text(f.app->find<frmRKconti>(), "Inp_10"), QString(" 0.15"));
    }

    void startValuesThatCannotBeCarriedAreRefused()
    {
        ReactorFixture f;
        f.d().ModellNr = 17;
        f.main().mnuKontRK->trigger();
        frmRKconti& t = *f.app->find<frmRKconti>();
        Set(&t, "Inp_0", "4.94e-324");
        Set(&t, "Inp_1", "1");
        Set(&t, "Inp_3", "1");
        QVERIFY(Calculate(&t));
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        QCOMPARE(f.rec->lastMessage(), QString("- the initial concentration c(A)(0) is too small\r\n"));
        QCOMPARE(Text(&t, "txtUmsatz"), QString());
    }

    // The protocol of a first-order result leaves k2 and k3 empty, and after
    // writing it names the file with its folder.
    void protocolLeavesUnusedValuesEmptyAndNamesTheWholePath()
    {
        ReactorFixture f;
        f.main().mnuBatchR->trigger();
        frmBatch& b = *f.app->find<frmBatch>();
        QVERIFY(Calculate(&b));
        b.cmdProtokoll->click();
        frmProtokoll& p = *f.app->find<frmProtokoll>();
        QCOMPARE(p.grdProtokoll->item(0, 10)->text(), QString(" 0.15"));
        QCOMPARE(p.grdProtokoll->item(0, 11)->text(), QString());
        QCOMPARE(p.grdProtokoll->item(0, 12)->text(), QString());
        QCOMPARE(p.grdProtokoll->item(0, 1)->text(), QString()); // B is not in A => P

        const std::filesystem::path file = f.protocolFile();
        p.cmdCloseFile->click();
        const QString text = ReadAll(file);
        QVERIFY2(text.contains(";0.15;;;") || text.contains(";0,15;;;"), qPrintable(text));
        QVERIFY2(p.lblDatei->text().contains(QString::fromStdString(file.string())), qPrintable(p.lblDatei->text()));
    }
};

QTEST_MAIN(TestReactors)
#include "test_reactors.moc"
