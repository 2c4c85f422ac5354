#include <QtTest>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "shell_fixture.h"
#include "ui/shell/frmoption.h"
#include "ui/shell/frmphantom.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/modellinputform.h"

using namespace kinhom;
using kinhom::test::ShellFixture;
using kinhom::test::StartUp;

namespace {

// What the test windows' handlers saw.
struct Log {
    QStringList events;
    int cancelUnload = 0;
} g_log;

class TestChild : public KinWidget {
    Q_OBJECT
public:
    TestChild()
    {
        setObjectName("TestChild");
        setWindowTitle("Test child");
        auto* b = new QPushButton("Press", this);
        b->setObjectName("cmdPress");
        connect(b, &QPushButton::clicked, this, [] { g_log.events << "pressed"; });
    }
    void Form_Load() override { g_log.events << "load child"; }
    void Form_QueryUnload(int& Cancel, UnloadMode mode) override
    {
        g_log.events << QString("query child %1").arg(int(mode));
        Cancel = g_log.cancelUnload;
    }
    void Form_Unload(int&) override { g_log.events << "unload child"; }
};

class OtherChild : public KinWidget {
    Q_OBJECT
public:
    OtherChild() { setObjectName("OtherChild"); }
    void Form_Load() override { g_log.events << "load other"; }
    void Form_Unload(int&) override { g_log.events << "unload other"; }
    void Form_Activate() override { g_log.events << "activate other"; }
};

// A window that unloads itself in its load, as the tips window does when tips are off.
class SelfUnloading : public KinWidget {
    Q_OBJECT
public:
    SelfUnloading() { setObjectName("SelfUnloading"); }
    void Form_Load() override { Unload(); }
};

class TestDialog : public KinDialog {
    Q_OBJECT
public:
    TestDialog() { setObjectName("TestDialog"); }
    void Form_Unload(int&) override { g_log.events << "unload dialog"; }
};

class TestInput : public ModellInputForm {
    Q_OBJECT
public:
    explicit TestInput(const char* name)
    {
        setObjectName(name);
        for (const char* n : {"unit1", "unit2", "unit3", "unit4", "lblZeitEinheit", "lblVPunktInput"}) {
            auto* l = new QLabel("?", this);
            l->setObjectName(n);
        }
    }
    QString caption(const char* name) const { return findChild<QLabel*>(name)->text(); }
};
// The windows the unit captions look for, by name.
struct Batch : TestInput {
    Batch() : TestInput("frmBatch") {}
};
struct Fitting : TestInput {
    Fitting() : TestInput("frmFitting") {}
};
struct SimSetup : TestInput {
    SimSetup() : TestInput("frmPrepareTimeDiagram") {}
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void init() { g_log = Log{}; }

    void registryGivesOneInstancePerWindow()
    {
        ShellFixture f;
        QVERIFY(!f.app->isLoaded<TestChild>());
        TestChild& a = f.app->get<TestChild>();
        TestChild& b = f.app->get<TestChild>();
        QCOMPARE(&a, &b);
        QCOMPARE(g_log.events, QStringList{"load child"});
        QVERIFY(f.app->isLoaded<TestChild>());
        QVERIFY(f.app->isFormLoaded(&a));
        QCOMPARE(f.app->findForm("TestChild"), static_cast<KinForm*>(&a));
        // A child lives in the main window, whose load has not run.
        QCOMPARE(a.subWindow()->mdiArea(), f.app->mdiArea());
        QVERIFY(!f.app->isLoaded<frmPhantom>());

        QVERIFY(f.app->unload<TestChild>());
        QVERIFY(!f.app->isLoaded<TestChild>());
        QVERIFY(!f.app->isFormLoaded(&a));
        QCOMPARE(f.app->mdiArea()->subWindowList().size(), 0);
        QPointer<TestChild> gone(&a);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());

        // Used again, it is a fresh window.
        f.app->get<TestChild>();
        QCOMPARE(g_log.events,
                 (QStringList{"load child", "query child 1", "unload child", "load child"}));
        // Unloading a window that is not loaded does nothing.
        QVERIFY(f.app->unload<OtherChild>());
        QCOMPARE(g_log.events.size(), 4);
    }

    void unloadHandlersCanCancel()
    {
        ShellFixture f;
        TestChild& w = f.app->get<TestChild>();
        g_log.cancelUnload = 1;
        QVERIFY(!f.app->unload<TestChild>());
        QVERIFY(f.app->isLoaded<TestChild>());
        // The close box asks the same handlers.
        QVERIFY(!w.subWindow()->close());
        QVERIFY(f.app->isLoaded<TestChild>());
        QVERIFY(!w.subWindow()->isHidden());
        g_log.cancelUnload = 0;
        QVERIFY(w.subWindow()->close());
        QVERIFY(!f.app->isLoaded<TestChild>());
        QCOMPARE(g_log.events.filter("query").join(","), QString("query child 1,query child 0,query child 0"));
    }

    void unloadAllGoesBackwardsAndStopsAtACancel()
    {
        ShellFixture f;
        f.app->get<TestChild>();
        f.app->get<OtherChild>();
        g_log.events.clear();
        g_log.cancelUnload = 1;
        QVERIFY(!f.app->unloadAll());
        QCOMPARE(g_log.events, (QStringList{"unload other", "query child 4"}));
        QVERIFY(f.app->isLoaded<TestChild>());
        QVERIFY(!f.app->isLoaded<OtherChild>());
        g_log.cancelUnload = 0;
        QVERIFY(f.app->unloadAll());
        QVERIFY(f.app->loadedForms().empty());
    }

    void activationRunsFormActivate()
    {
        ShellFixture f;
        StartUp(*f.app);
        OtherChild& other = f.app->get<OtherChild>();
        TestChild& child = f.app->get<TestChild>();
        QCOMPARE(g_log.events.filter("activate").size(), 1); // shown on load, so activated
        f.app->mdiArea()->setActiveSubWindow(other.subWindow());
        QCOMPARE(g_log.events.filter("activate").size(), 2);
        f.app->mdiArea()->setActiveSubWindow(child.subWindow());
        f.app->show<OtherChild>(); // showing a loaded window activates it again
        QCOMPARE(g_log.events.filter("activate").size(), 3);
    }

    void windowThatUnloadsItselfInItsLoad()
    {
        ShellFixture f;
        SelfUnloading& w = f.app->get<SelfUnloading>();
        QVERIFY(!f.app->isLoaded<SelfUnloading>());
        QVERIFY(!w.isVisible()); // not shown after its load
        QCOMPARE(f.app->mdiArea()->subWindowList().size(), 0);
    }

    void pressButtonOfAnotherWindowByName()
    {
        ShellFixture f;
        QVERIFY(!MDIKIN::PressButton("TestChild", "cmdPress"));
        f.app->get<TestChild>();
        QVERIFY(MDIKIN::PressButton("TestChild", "cmdPress"));
        QVERIFY(!MDIKIN::PressButton("TestChild", "cmdMissing"));
        QCOMPARE(g_log.events.count("pressed"), 1);
    }

    void modalDialogEndsWhenItUnloads()
    {
        ShellFixture f;
        TestDialog& d = f.app->get<TestDialog>();
        QCOMPARE(d.parentWidget(), static_cast<QWidget*>(&f.app->mainWindow()));
        QVERIFY(!d.isVisible());
        QTimer::singleShot(0, [&] {
            QVERIFY(d.isModal() && d.isVisible());
            d.Unload();
        });
        d.ShowModal();
        QVERIFY(!f.app->isLoaded<TestDialog>());
        QCOMPARE(g_log.events, QStringList{"unload dialog"});
    }

    void busyCursorNests()
    {
        ShellFixture f;
        Declare& d = f.app->declare();
        f.rec->pointer = kPointerCross;
        f.app->HourglassOn();
        f.app->HourglassOn();
        QCOMPARE(f.rec->pointer, kPointerHourglass);
        f.app->HourglassOff();
        QCOMPARE(f.rec->pointer, kPointerHourglass);
        f.app->HourglassOff();
        QCOMPARE(f.rec->pointer, kPointerCross);
        QCOMPARE(f.rec->pointerHistory, (std::vector<int>{kPointerHourglass, kPointerCross}));

        // An unmatched HourglassOff takes the count below 0; the next
        // HourglassOn then saves no pointer, so the old one comes back.
        f.app->HourglassOff();
        QCOMPARE(d.HourglassCount, -1);
        f.rec->pointer = kPointerIBeam;
        f.app->HourglassOn();
        QCOMPARE(f.rec->pointer, kPointerHourglass);
        f.app->HourglassOff();
        QCOMPARE(f.rec->pointer, kPointerCross);
    }

    void unitCaptionsGoToTheLoadedInputWindows()
    {
        ShellFixture f;
        Declare& d = f.app->declare();
        d.ModellNr = 17;
        d.Zeiteinheit = "min ";
        Fitting& fit = f.app->get<Fitting>();
        Batch& batch = f.app->get<Batch>();
        f.app->SetUnitLabels();
        // The batch window comes before the fitting window in the first step.
        QCOMPARE(batch.caption("unit1"), QString("/(l/(min*mol))"));
        QCOMPARE(batch.caption("unit2"), QString("/(1/min)"));
        QCOMPARE(batch.caption("lblZeitEinheit"), QString("min"));
        QCOMPARE(batch.caption("lblVPunktInput"), QString("V* /m^3/min"));
        // The fitting window gets the rate-constant units in the second step only.
        QCOMPARE(fit.caption("unit1"), QString("/(l/(min*mol))"));
        QCOMPARE(fit.caption("lblZeitEinheit"), QString("?"));

        d.ModellNr = 20;
        d.Zeiteinheit = "h";
        SimSetup& sim = f.app->get<SimSetup>();
        f.app->SetUnitLabels();
        QCOMPARE(sim.caption("unit1"), QString(""));
        QCOMPARE(sim.caption("unit2"), QString("/(1/h)"));
        QCOMPARE(sim.caption("unit4"), QString("h"));
        QCOMPARE(batch.caption("unit1"), QString(""));
        QCOMPARE(batch.caption("lblZeitEinheit"), QString("h"));
        // The set-up window comes before the fitting window, which keeps its captions.
        QCOMPARE(fit.caption("unit1"), QString("/(l/(min*mol))"));
    }

    void optionsKeepTheMonteCarloSettings()
    {
        ShellFixture f;
        StartUp(*f.app);
        Declare& d = f.app->declare();
        d.MCVerzoegerung = 0.25f;
        d.Punktgroesse = 4;
        d.PunkteSolid = false;
        const Rgb a0 = d.FarbeA, p0 = d.FarbeP;

        // Cancel leaves everything as it was, even after changes in the window.
        f.rec->colorAnswers.push_back(QColor(10, 20, 30));
        QTimer::singleShot(0, [&] {
            frmOption* o = f.app->find<frmOption>();
            QVERIFY(o && o->isModal() && o->windowTitle() == "Options");
            QCOMPARE(o->txtVerzoegerung->value(), 0.25);
            QCOMPARE(o->txtPunktgroesse->value(), 4);
            o->txtPunktgroesse->setValue(9);
            o->cmdFarbeA->click();
            o->cmdCancel->click();
        });
        f.app->mainWindow().mnuOption->trigger();
        QVERIFY(!f.app->isLoaded<frmOption>());
        QCOMPARE(d.Punktgroesse, std::int16_t(4));
        QCOMPARE(d.FarbeA, a0);

        // OK keeps the new values; a cancelled colour dialog keeps the colour.
        f.rec->colorAnswers = {QColor(10, 20, 30), std::nullopt};
        QTimer::singleShot(0, [&] {
            frmOption* o = f.app->find<frmOption>();
            o->txtVerzoegerung->setValue(1.5);
            o->txtPunktgroesse->setValue(7);
            o->chkPunkteSolid->setChecked(true);
            o->cmdFarbeA->click();
            o->cmdFarbeP->click();
            o->cmdOK->click();
        });
        f.app->mainWindow().mnuOption->trigger();
        QCOMPARE(d.MCVerzoegerung, 1.5f);
        QCOMPARE(d.Punktgroesse, std::int16_t(7));
        QVERIFY(d.PunkteSolid);
        QCOMPARE(d.FarbeA, RGB(10, 20, 30));
        QCOMPARE(d.FarbeP, p0);
        QCOMPARE(f.rec->colorRequests.size(), std::size_t(3));
        QCOMPARE(f.rec->colorRequests[2], QColor(p0.r, p0.g, p0.b)); // the dialog starts from the colour

        // OK without changes keeps a delay the box cannot show exactly.
        d.MCVerzoegerung = 0.1234f;
        QTimer::singleShot(0, [&] { f.app->find<frmOption>()->cmdOK->click(); });
        f.app->mainWindow().mnuOption->trigger();
        QCOMPARE(d.MCVerzoegerung, 0.1234f);
    }

    void messageBoxAnswers()
    {
        struct Case {
            MsgButtons buttons;
            int defaultButton;
            MsgAnswer enter;
            MsgAnswer escape;
        } cases[] = {
            {MsgButtons::OK, 1, MsgAnswer::OK, MsgAnswer::OK},
            {MsgButtons::OKCancel, 2, MsgAnswer::Cancel, MsgAnswer::Cancel},
            {MsgButtons::YesNo, 1, MsgAnswer::Yes, MsgAnswer::No},
            {MsgButtons::YesNo, 2, MsgAnswer::No, MsgAnswer::No},
            {MsgButtons::YesNoCancel, 3, MsgAnswer::Cancel, MsgAnswer::Cancel},
            {MsgButtons::YesNoCancel, 7, MsgAnswer::Yes, MsgAnswer::Cancel}, // outside the set: first
            {MsgButtons::AbortRetryIgnore, 2, MsgAnswer::Retry, MsgAnswer::Abort},
            {MsgButtons::RetryCancel, 1, MsgAnswer::Retry, MsgAnswer::Cancel},
        };
        for (const Case& c : cases) {
            MessageRequest r{"text", "title", MsgIcon::Question, c.buttons, c.defaultButton};
            QCOMPARE(DefaultAnswer(r), c.enter);
            QCOMPARE(EscapeAnswer(c.buttons), c.escape);
        }
        // The recorder takes scripted answers first, then the default button.
        RecordingServices rec;
        rec.msgAnswers = {MsgAnswer::No};
        QCOMPARE(rec.msgBox("a", MsgButtons::YesNoCancel), MsgAnswer::No);
        QCOMPARE(rec.msgBox("b", MsgButtons::YesNoCancel, MsgIcon::Exclamation, "WARNING", 2), MsgAnswer::No);
        QCOMPARE(rec.messages.size(), std::size_t(2));
        QCOMPARE(rec.messages[1].title, QString("WARNING"));
    }

    void fileDialogFiltersAndExtensions()
    {
        QCOMPARE(QtFilterFromPairs("Exp. data file (*.KV3)|*.KV3"), QString("Exp. data file (*.KV3)"));
        QCOMPARE(QtFilterFromPairs("Curve points|*.XY;*.LRG|All files|*.*"),
                 QString("Curve points (*.XY *.LRG);;All files (*.*)"));
        QCOMPARE(QtFilterFromPairs(""), QString());

        QCOMPARE(WithDefaultExtension("/tmp/data", ".KV3"), QString("/tmp/data.KV3"));
        QCOMPARE(WithDefaultExtension("/tmp/data", "KV3"), QString("/tmp/data.KV3"));
        QCOMPARE(WithDefaultExtension("/tmp/data.kv3", ".KV3"), QString("/tmp/data.kv3"));
        QCOMPARE(WithDefaultExtension("/tmp/v1.2/data", ".KV3"), QString("/tmp/v1.2/data.KV3"));
        QCOMPARE(WithDefaultExtension("", ".KV3"), QString());
    }

    void printingIsRecordedPageByPage()
    {
        RecordingServices rec;
        PrintRequest r;
        r.documentName = "table";
        r.paint = [](QPainter& p, int page) {
            p.fillRect(QRect(10 * page, 0, 5, 5), Qt::black);
            return page < 2;
        };
        QVERIFY(rec.print(r));
        QCOMPARE(rec.printed.size(), std::size_t(1));
        const auto& pages = rec.printed[0].pages;
        QCOMPARE(pages.size(), std::size_t(3));
        QCOMPARE(pages[0].size(), QSize(794, 1123));
        QCOMPARE(pages[2].pixelColor(22, 2), QColor(Qt::black));
        QCOMPARE(pages[2].pixelColor(2, 2), QColor(Qt::white));
        rec.printAnswers = {false};
        QVERIFY(!rec.print(r));
        QCOMPARE(rec.printed.size(), std::size_t(1));
    }

    void twipsPlacement()
    {
        ShellFixture f;
        TestChild& w = f.app->get<TestChild>();
        w.Move(1500, 300, 4500, 3000);
        QCOMPARE(w.subWindow()->geometry(), QRect(100, 20, 300, 200));
        QCOMPARE(w.Left(), 1500);
        QCOMPARE(w.Width(), 4500);
        w.Move(150, 150);
        QCOMPARE(w.subWindow()->geometry(), QRect(10, 10, 300, 200));
    }
};

QTEST_MAIN(TestApplication)
#include "test_application.moc"
