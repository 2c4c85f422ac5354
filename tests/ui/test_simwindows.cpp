#include <QtTest>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "core/kinetics/halflife.h"
#include "core/kinetics/simulation.h"
#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/kinetics/frmgraphcalc.h"
#include "ui/kinetics/frmsimtabelle.h"
#include "ui/kinetics/kinnotifyui.h"
#include "ui/shell/frmphantom.h"
#include "ui/shell/frmtip.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

const QString kTitle = "Execution not possible";

QString Cell(const QString& text) { return text.left(14).leftJustified(14, ' '); }

// A table line as the result table writes it: six blanks, five cells, Tabs.
QString Line(const QStringList& cells)
{
    QStringList padded;
    for (const QString& c : cells)
        padded << Cell(c);
    return "      " + padded.join('\t');
}

// Presses `trigger`, which shows the result table modally; `act` runs while
// the table is open (it may press the table's buttons), then the table is
// closed. Returns the table text as it was when `act` ended.
template <class Act>
QString WithTable(SimFixture& f, QPushButton* trigger, Act act)
{
    QObject context;
    QString text;
    QTimer::singleShot(0, &context, [&] {
        if (frmSimTabelle* t = f.app->find<frmSimTabelle>()) {
            act(*t);
            text = t->tableText();
            t->cmdCloseSimTab->click();
        }
    });
    trigger->click();
    return text;
}
QString WithTable(SimFixture& f, QPushButton* trigger)
{
    return WithTable(f, trigger, [](frmSimTabelle&) {});
}

} // namespace

class TestSimWindows : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsTheModelWindowAfterThePhantom()
    {
        SimFixture f;
        StartUp(*f.app);
        std::vector<QString> names;
        for (KinForm* w : f.app->loadedForms())
            names.push_back(w->widget()->objectName());
        QVERIFY(names.size() >= 2);
        QCOMPARE(names[0], QString("frmPhantom"));
        QCOMPARE(names[1], QString("frmKinModel"));
        QVERIFY(f.app->find<frmKinModel>()->isVisible());
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(2));
        QCOMPARE(f.d().tEnde, 100.0f);
    }

    // At start-up the main window is shown (maximised) only after the model
    // window has loaded; once the main window is laid out, the model window
    // ends 400 twips left of the right edge of its working area, which the
    // maximised main window stretches over the available screen.
    void startUpPlacesTheModelWindowAtTheRight()
    {
        kinhom::test::ShellFixture f;
        QVERIFY(!f.app->mainWindow().isVisible());
        StartUp(*f.app);
        QCoreApplication::processEvents();
        QWidget* frame = f.app->find<frmKinModel>()->frame();
        const int right = frame->x() + frame->width();
        const int areaWidth = f.app->mdiArea()->viewport()->width();
        QVERIFY(areaWidth > QGuiApplication::primaryScreen()->availableGeometry().width() - 20);
        const int expected = areaWidth - 400 / kTwipsPerPixel;
        QVERIFY2(std::abs(right - expected) <= 1, qPrintable(QString("right edge %1, expected %2").arg(right).arg(expected)));
        QCOMPARE(frame->y(), 0);
    }

    // The Model menu shows the open model window as it is (the model is not
    // applied again), or loads it when it is closed.
    void modelMenu()
    {
        SimFixture f;
        MDIKIN& m = f.app->mainWindow();
        f.app->get<frmTip>();
        frmKinModel& first = f.model();
        f.choose(6);
        f.d().k[2] = 0.7; // a value the model's defaults would replace
        m.mnuModel->trigger();
        QVERIFY(!f.app->isLoaded<frmTip>());
        QCOMPARE(f.app->find<frmKinModel>(), &first);
        QVERIFY(first.isVisible());
        QCOMPARE(f.d().k[2], 0.7);

        f.app->unload<frmKinModel>();
        m.mnuModel->trigger();
        frmKinModel* again = f.app->find<frmKinModel>();
        QVERIFY(again && again->isVisible());
        QVERIFY(again->optTyp[6]->isChecked());
        QCOMPARE(f.d().k[2], 0.1); // loading applies model 6 afresh
    }

    // The numerical core's messages, beeps and time-unit switches reach the
    // user through the window services.
    void numericalCoreCallbacks()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        frmKinModel& model = f.model();
        KinNotifyUi notify;
        Declare& d = f.d();

        // A <=> P with the equilibrium above half of A0: a message, result -1.
        d.DiagrammTyp = 8;
        QCOMPARE(FuHalbwertszeitA(d, 1, 0, 0, 0.1, 0.5, notify), -1.0f);
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].text, QString("c(A) = c(A)(0)/2 can not be reached under this equilibrium conditions "));
        QCOMPARE(f.rec->messages[0].title, QString("Execution not possible"));
        QCOMPARE(f.rec->messages[0].icon, MsgIcon::Critical);
        // A + B => P with too little B: a beep only.
        d.DiagrammTyp = 4;
        QCOMPARE(FuHalbwertszeitA(d, 1, 0.5, 0, 0.5, 0, notify), 0.0f);
        QCOMPARE(f.rec->beeps, 1);
        QCOMPARE(int(f.rec->messages.size()), 1);

        // A unit switch made elsewhere (the data editor) selects the unit in
        // the model window and rewrites the unit captions.
        d.k[1] = 0.001;
        d.Zeiteinheit = "min";
        SetZeiteinheit(d, 2, 0, notify);
        QVERIFY(model.optZeit[2]->isChecked());
        QVERIFY(model.optZeit[2]->font().bold());
        QCOMPARE(d.k[1], 3.6);
        QCOMPARE(Text(&s, "unit4"), QString("h"));
        QCOMPARE(Text(&s, "unit1"), QString("/(1/h)"));
    }

    // After a change of the time unit every open input window shows the
    // converted rate constants, and Draw simulates with them; t(max) stays.
    void timeUnitChangeShowsTheConvertedRateConstants()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(6);
        s.Inp[10]->setText("0.5");
        s.Inp[11]->setText("0.25");
        s.Inp[14]->setText("30");
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.d().k[1], 0.5);

        f.model().optZeit[1]->click(); // s -> min
        QCOMPARE(f.d().k[1], 30.0);
        QCOMPARE(s.Inp[10]->text(), QString(" 30"));
        QCOMPARE(s.Inp[11]->text(), QString(" 15"));
        QCOMPARE(s.Inp[14]->text(), QString("30"));
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.d().k[1], 30.0);
        QCOMPARE(f.d().k[2], 15.0);
        QCOMPARE(f.d().tEnde, 30.0f);

        // Selecting the unit that is already set converts nothing and leaves
        // what the user typed.
        s.Inp[10]->setText("7");
        f.model().optZeit_Click(1);
        QCOMPARE(s.Inp[10]->text(), QString("7"));
    }

    // The set-up window fits the boxes of the model: it grows for the
    // Michaelis-Menten panel and shrinks back without it; a size the user
    // chose only grows.
    void setupWindowFitsTheModel()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        QCoreApplication::processEvents();
        QWidget* frame = s.frame();
        const QSize small = frame->size();
        f.choose(10);
        QCoreApplication::processEvents();
        const QSize big = frame->size();
        QVERIFY(big.height() > small.height());
        const QRect panel(s.fraMichaelis->mapTo(&s, QPoint(0, 0)), s.fraMichaelis->size());
        QVERIFY(s.rect().contains(panel));
        QVERIFY(s.fraMichaelis->height() >= s.fraMichaelis->minimumSizeHint().height());
        QVERIFY(s.lblMichaelisK->width() >= s.lblMichaelisK->minimumSizeHint().width());
        f.choose(2);
        QCoreApplication::processEvents();
        QCOMPARE(frame->size(), small);

        // The fitting settles: once the posted events are done, no further
        // layout passes follow.
        struct LayoutCounter : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                count += e->type() == QEvent::LayoutRequest;
                return false;
            }
        } counter;
        s.installEventFilter(&counter);
        f.choose(10);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const int passes = counter.count;
        QVERIFY(passes >= 1);
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(counter.count, passes);
        s.removeEventFilter(&counter);
        f.choose(2);
        QCoreApplication::processEvents();

        const QSize chosen(big.width() + 40, small.height());
        frame->resize(chosen);
        f.choose(10);
        QCoreApplication::processEvents();
        QCOMPARE(frame->size(), QSize(chosen.width(), big.height()));
        f.choose(2);
        QCoreApplication::processEvents();
        QCOMPARE(frame->size(), QSize(chosen.width(), big.height()));
    }

    // The two Model Simulation items open the set-up window for
    // concentrations or rates and re-apply the model.
    void modelSimulationMenus()
    {
        SimFixture f;
        MDIKIN& m = f.app->mainWindow();
        f.app->get<frmTip>();
        f.model();
        frmKinModel* before = f.app->find<frmKinModel>();
        f.d().Arbeitsmodus = 3;
        f.d().k[1] = 5;
        QVERIFY(m.mnuctGraph->isEnabled());
        m.mnuctGraph->trigger();
        QVERIFY(!f.app->isLoaded<frmTip>());
        QCOMPARE(f.d().Arbeitsmodus, std::uint8_t(0));
        QVERIFY(!f.d().RateDiagramm);
        QVERIFY(f.app->find<frmKinModel>() != before);
        QCOMPARE(f.d().k[1], 0.15);
        frmPrepareTimeDiagram* s = f.app->find<frmPrepareTimeDiagram>();
        QVERIFY(s && s->isVisible());
        QCOMPARE(Text(s, "Label7"), QString("kinet. model:  A => P   (n = 1)"));
        QCOMPARE(s->windowTitle(), QString("Diagram/Table Concentration vs. Time"));
        QCOMPARE(s->cmdDrawctDiagram->text(), QString("Draw c-t diagram"));
        QCOMPARE(s->cmdListe->toolTip(), QString(" time | concentration(s) "));
        QVERIFY(!s->chkMitPunkten->isEnabled()); // no measured data

        f.d().DatenVorhanden[1] = true;
        m.mnuvtGraph->trigger();
        QVERIFY(f.d().RateDiagramm);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(52));
        QCOMPARE(f.app->find<frmPrepareTimeDiagram>(), s);
        QCOMPARE(s->windowTitle(), QString("Diagram/Table Reaction Rate vs. Time"));
        QCOMPARE(s->cmdDrawctDiagram->text(), QString("Draw r-t diagram"));
        QCOMPARE(s->cmdDrawctDiagram->toolTip(), QString("...rate of reaction(s) vs. time "));
        QVERIFY(!s->chkMitPunkten->isEnabled() && !s->chkMitPunkten->isChecked());

        m.mnuctGraph->trigger();
        QVERIFY(s->chkMitPunkten->isEnabled()); // A is in use and has data
        s->chkMitPunkten->click();
        QVERIFY(f.d().MitPunkten);
    }

    // Input faults are collected in one box, in order; Draw and Table differ
    // on k2 and on the words for the autocatalysis seed.
    void inputFaults_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("table");
        QTest::addColumn<QStringList>("empty");   // boxes emptied
        QTest::addColumn<QStringList>("values");  // box=value pairs
        QTest::addColumn<QString>("expected");
        const QStringList all = {"Inp_0", "Inp_1", "Inp_2", "Inp_3", "Inp_4", "Inp_10", "Inp_11", "Inp_12", "Inp_14"};
        const QString a = "- not yet given an initial concentration c(A)(0)\r\n";
        const QString b = "- not yet given an initial concentration c(B)(0)\r\n";
        const QString t = "- specification of time not in order\r\n";
        const QString k1 = "- the rate constant has to be k1 > 0\r\n";
        const QString k2 = "- the rate constant has to be k2 > 0\r\n";
        const QString k3 = "- the rate constant has to be k3 > 0\r\n";
        QTest::newRow("model 9, all empty, Draw") << 9 << false << all << QStringList() << a + b + t + k1;
        QTest::newRow("model 9, all empty, Table") << 9 << true << all << QStringList() << a + b + t + k1 + k2;
        QTest::newRow("model 16, all empty, Draw")
            << 16 << false << all << QStringList()
            << a + "- for autocatalysis a (very small) initial concentation c(P)(0) has to be given\r\n" + t + k1;
        QTest::newRow("model 16, all empty, Table")
            << 16 << true << all << QStringList()
            << a + "- for autocatalysis a (very small) initial value of c(P)(0) must be given, otherwise the reaction can not start\r\n" + t + k1;
        QTest::newRow("model 10, all empty") << 10 << false << all << QStringList()
                                             << a + "- not yet given an initial concentration c(S)(0)\r\n" + t + k1 + k3;
        QTest::newRow("model 10, S(0) = 0") << 10 << false << QStringList() << QStringList{"Inp_1=0"}
                                            << "- not yet given an initial concentration c(S)(0)\r\n";
        QTest::newRow("model 6, k2 = 0, Table") << 6 << true << QStringList() << QStringList{"Inp_11=0"} << k2;
        QTest::newRow("negative values") << 4 << false << QStringList()
                                         << QStringList{"Inp_0=-1", "Inp_1=-0.5", "Inp_14=-3", "Inp_10=-2"}
                                         << a + b + t + k1;
        // Checked after conversion: 1e39 is beyond a Single, 1e400 beyond a Double.
        QTest::newRow("t(max) infinite as a Single") << 2 << false << QStringList() << QStringList{"Inp_14=1e39"} << t;
        QTest::newRow("k1 beyond a Double")
            << 2 << false << QStringList() << QStringList{"Inp_10=1e400"} << "- the rate constant k1 is too large\r\n";
        QTest::newRow("c(A) beyond a Double")
            << 2 << true << QStringList() << QStringList{"Inp_0=2e308"} << "- the initial concentration c(A)(0) is too large\r\n";
        QTest::newRow("c(A) beyond a Single")
            << 4 << false << QStringList() << QStringList{"Inp_0=1e39"} << "- the initial concentration c(A)(0) is too large\r\n";
        QTest::newRow("leading numeric part") << 2 << false << QStringList() << QStringList{"Inp_14=abc"} << t;
    }
    void inputFaults()
    {
        QFETCH(int, model);
        QFETCH(bool, table);
        QFETCH(QStringList, empty);
        QFETCH(QStringList, values);
        QFETCH(QString, expected);
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(model);
        for (const QString& name : empty)
            Ctl<QLineEdit>(&s, name)->setText(QString());
        for (const QString& pair : values)
            Ctl<QLineEdit>(&s, pair.section('=', 0, 0))->setText(pair.section('=', 1));
        (table ? s.cmdListe : s.cmdDrawctDiagram)->click();
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].text, expected);
        QCOMPARE(f.rec->messages[0].title, kTitle);
        QVERIFY(f.rec->messages[0].icon == MsgIcon::Critical);
        QVERIFY(!f.app->isLoaded<frmGraph2D>());
        QVERIFY(!f.app->isLoaded<frmSimTabelle>());
    }

    // The Michaelis-Menten chart over S(0) refuses a largest S(0) that is not
    // a positive single-precision number, with the other faults.
    void largestSubstrateIsChecked()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(10);
        s.chkNormiert->setChecked(false);
        for (const char* text : {"-1", "1e39", "0"}) {
            f.rec->messages.clear();
            s.txtS0max->setText(text);
            s.cmdMMdiagram->click();
            QCOMPARE(int(f.rec->messages.size()), 1);
            QCOMPARE(f.rec->messages[0].text, QString("- S(0),max has to be > 0 and within the range of numbers\r\n"));
            QCOMPARE(f.rec->messages[0].title, kTitle);
            QVERIFY(!f.app->isLoaded<frmGraph2D>());
            s.cmdMichaelisListe->click();
            QCOMPARE(int(f.rec->messages.size()), 2);
            QVERIFY(!f.app->isLoaded<frmSimTabelle>());
        }
        f.rec->messages.clear();
        s.txtS0max->setText("0.15");
        s.cmdMMdiagram->click();
        QCOMPARE(int(f.rec->messages.size()), 0);
        QVERIFY(f.app->isLoaded<frmGraph2D>());
    }

    // In the simulation Draw accepts k2 = 0; in the fitting of k it does not.
    void drawAcceptsK2ZeroInTheSimulationOnly()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(6);
        Ctl<QLineEdit>(&s, "Inp_11")->setText("0");
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.rec->lastMessage(), QString());
        QVERIFY(f.app->isLoaded<frmGraph2D>());
        // With k2 = 0, C is not consumed: C(100) = A0 (1 - e^-15).
        QVERIFY(std::abs(f.d().SimCC[200] - (1.0 - std::exp(-15.0))) < 1e-9);

        f.d().Arbeitsmodus = 1;
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.rec->lastMessage(), QString("- the rate constant has to be k2 > 0\r\n"));
    }

    void orderChecks()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        frmKinModel& m = f.model();
        m.txtOrdnung->setText("0");
        f.choose(20);
        s.cmdDrawctDiagram->click();
        QCOMPARE(int(f.rec->messages.size()), 0); // n = 0 is allowed
        m.txtOrdnung->setText("-1");
        f.choose(20);
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.rec->lastMessage(), QString("- allowed only n > 0\r\n"));

        // The rate task has the diagram code 70 and makes no order check.
        f.rec->messages.clear();
        f.d().RateDiagramm = true;
        f.choose(20);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(70));
        s.cmdDrawctDiagram->click();
        for (const MessageRequest& r : f.rec->messages)
            QVERIFY(!r.text.contains("allowed only"));
    }

    // A simulation that cannot be completed is reported with the numerical
    // description; nothing is drawn or listed, an open chart stays.
    void simulationFailureIsReported()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        s.cmdDrawctDiagram->click();
        QVERIFY(f.app->isLoaded<frmGraph2D>());
        frmGraph2D* chart = f.app->find<frmGraph2D>();
        const int curves = f.d().KurvenAnzahl;

        // k1 = 3e38 and c(A)(0) = 10 fit a Single, but the rate -k1 c(A) does not.
        Ctl<QLineEdit>(&s, "Inp_10")->setText("3e38");
        Ctl<QLineEdit>(&s, "Inp_0")->setText("10");
        s.cmdDrawctDiagram->click();
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].title, kTitle);
        QVERIFY(f.rec->messages[0].text.contains("not a finite number"));
        QVERIFY(!f.rec->messages[0].text.contains("ocx"));
        QCOMPARE(f.app->find<frmGraph2D>(), chart);
        QCOMPARE(f.d().KurvenAnzahl, curves);

        s.cmdListe->click();
        QCOMPARE(int(f.rec->messages.size()), 2);
        QVERIFY(f.rec->messages[1].text.contains("not a finite number"));
        QVERIFY(!f.app->isLoaded<frmSimTabelle>());
        QCOMPARE(f.d().HourglassCount, 0);
    }

    // Enter moves to the box of the next index when that box is visible and
    // enabled; after t(max) it goes to the box of B.
    void enterMovesTheFocus()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        auto box = [&](int i) { return Ctl<QLineEdit>(&s, QString("Inp_%1").arg(i)); };
        auto enterIn = [&](int i) {
            box(i)->setFocus();
            QTest::keyClick(box(i), Qt::Key_Return);
            return QApplication::focusWidget();
        };
        f.choose(10);
        QCOMPARE(enterIn(0), box(1));
        QCOMPARE(enterIn(3), box(3)); // Q is not in use
        QCOMPARE(enterIn(10), box(11));
        QCOMPARE(enterIn(11), box(12));
        QCOMPARE(enterIn(12), box(12)); // index 13 is a hidden box
        QCOMPARE(enterIn(14), box(1));
        f.choose(2);
        QCOMPARE(enterIn(0), box(0));
        QCOMPARE(enterIn(10), box(10));
        QCOMPARE(enterIn(14), box(14));
        box(1)->setEnabled(false);
        f.choose(4);
        QCOMPARE(enterIn(0), box(0));
        QVERIFY(f.rec->messages.empty());

        // The key filter: a comma becomes a point, letters are refused.
        box(10)->setText("");
        box(10)->setFocus();
        QTest::keyClicks(box(10), "0,5x");
        QCOMPARE(box(10)->text(), QString("0.5"));
    }

    void michaelisConstantDisplay()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(10);
        const QString shown = "Michaelis constant KM = (k< + k3) / k> = 0.7\n(real range KM = 1E-2...1E-5)";
        QCOMPARE(s.lblMichaelisK->text(), shown);
        QCOMPARE(f.d().MichaelisKonstante, 0.7f);
        Ctl<QLineEdit>(&s, "Inp_10")->setText("0");
        QCOMPARE(s.lblMichaelisK->text(), shown);
        QCOMPARE(f.d().MichaelisKonstante, 0.7f);
        Ctl<QLineEdit>(&s, "Inp_10")->setText("0.21");
        QCOMPARE(f.d().MichaelisKonstante, 0.5f);
        QVERIFY(s.lblMichaelisK->text().startsWith("Michaelis constant KM = (k< + k3) / k> = 0.5\n"));

        s.Form_Activate();
        QVERIFY(s.chkNormiert->isChecked());
        QVERIFY(!s.txtS0max->isEnabled());
        QCOMPARE(s.chkNormiert->toolTip(), QString(" normalized equation r(P)/r(P),max = Fu(S(0)/KM) "));
        QCOMPARE(s.txtS0max->text(), QString(" 0.15"));
        s.chkNormiert->click();
        QVERIFY(s.txtS0max->isEnabled());
        s.txtS0max->setText("0.3");
        QCOMPARE(f.d().S0max, 0.3f);
    }

    // Draw with "delete old curves" opens a fresh chart; without it the new
    // curves join the old ones.
    void drawDiscardsOrKeepsOldCurves()
    {
        SimFixture f;
        MDIKIN& m = f.app->mainWindow();
        m.mnuctGraph->trigger();
        frmPrepareTimeDiagram& s = *f.app->find<frmPrepareTimeDiagram>();
        f.choose(9);
        s.cmdDrawctDiagram->click();
        QVERIFY(f.rec->messages.empty());
        frmGraph2D* first = f.app->find<frmGraph2D>();
        QVERIFY(first);
        QCOMPARE(f.d().KurvenAnzahl, 4);

        s.Form_Activate();
        QVERIFY(s.chkDelDiagram->isEnabled());
        s.chkDelDiagram->click();
        QVERIFY(!f.d().AlteKurvenLoeschen);
        f.choose(2);
        s.cmdDrawctDiagram->click();
        QCOMPARE(f.app->find<frmGraph2D>(), first);
        QCOMPARE(f.d().KurvenAnzahl, 6);

        s.chkDelDiagram->click();
        s.cmdDrawctDiagram->click();
        QVERIFY(f.app->find<frmGraph2D>() != first);
        QCOMPARE(f.d().KurvenAnzahl, 2);
        // The Michaelis-Menten diagram is one curve; the mode ends with it.
        f.choose(10);
        s.cmdMMdiagram->click();
        QVERIFY(f.rec->messages.empty());
        QCOMPARE(f.d().KurvenAnzahl, 1);
        QVERIFY(!f.d().MMDiagramm);
    }

    // ---- result table ---------------------------------------------------------------

    void concentrationTableOfModel2()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        const QString text = WithTable(f, s.cmdListe);
        const QStringList lines = text.split("\r\n");
        QCOMPARE(int(lines.size()), 3 + 201);
        QCOMPARE(lines[0], QString());
        QCOMPARE(lines[1], Line({" t/s", "cA/(mol/l)", "", "", "cP/(mol/l)"}));
        QCOMPARE(lines[2], QString());
        QCOMPARE(lines[3], Line({"0.00", "1", "", "", "0"}));
        QCOMPARE(lines[4], Line({"0.50", "0.9277435", "", "", "0.07225651"})); // e^-0.075
        QCOMPARE(lines[203], Line({"100.00", "3.059023E-07", "", "", "0.9999997"}));
        for (int i = 1; i < int(lines.size()); ++i) {
            if (i == 2)
                continue;
            QCOMPARE(int(lines[i].count('\t')), 4);
            const QStringList cells = lines[i].split('\t');
            QCOMPARE(cells[2], QString(14, ' '));
            QCOMPARE(cells[3], QString(14, ' '));
        }
        QVERIFY(!text.endsWith("\r\n"));
        QVERIFY(!f.app->isLoaded<frmSimTabelle>());
    }

    void rateAndMichaelisMentenTables()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        f.d().RateDiagramm = true;
        f.choose(2);
        QStringList lines = WithTable(f, s.cmdListe).split("\r\n");
        QCOMPARE(int(lines.size()), 4 + 201);
        QCOMPARE(lines[1], Line({" t/s", "rA/(mol/l/s)", "", "", "rP/(mol/l/s)"}));
        QCOMPARE(lines[2], QString());
        QCOMPARE(lines[3], QString());
        QCOMPARE(lines[4], Line({"0.00", "-0.15", "", "", "0.15"}));

        // A header longer than a cell is cut to 14 characters.
        f.d().Zeiteinheit = "min";
        f.choose(10);
        lines = WithTable(f, s.cmdListe).split("\r\n");
        QCOMPARE(lines[1], Line({" t/min", "rE/(mol/l/min)", "rS/(mol/l/min)", "rES/(mol/l/min", "rP/(mol/l/min)"}));

        f.d().RateDiagramm = false;
        lines = WithTable(f, s.cmdMichaelisListe).split("\r\n");
        QVERIFY(!f.d().MMDiagramm);
        QCOMPARE(int(lines.size()), 4 + 201);
        QCOMPARE(lines[1], Line({"S(0)/KM", "", "", "", "rP/rP,max"}));
        QCOMPARE(lines[4], Line({"0.00", "", "", "", "0"}));
        QCOMPARE(lines[204], Line({"20.00", "", "", "", "0.952381"})); // 20/21
    }

    void tableSaveCopyAndPrint()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(4);
        const QString folder = f.dir.path();
        f.rec->saveAnswers.push_back(folder + "/result");       // the extension is added
        f.rec->saveAnswers.push_back(std::nullopt);              // cancelled
        f.rec->saveAnswers.push_back(folder + "/no/such/folder/x.TXT");
        QString clip;
        const QString text = WithTable(f, s.cmdListe, [&](frmSimTabelle& t) {
            t.cmdSaveTable->click();
            t.cmdSaveTable->click();
            t.cmdSaveTable->click();
            t.cmdClipboard->click();
            clip = QGuiApplication::clipboard()->text();
            t.cmdPrint->click();
        });
        QVERIFY(text.startsWith("\r\n      "));

        QCOMPARE(int(f.rec->saveRequests.size()), 3);
        const FileDialogRequest& r = f.rec->saveRequests[0];
        QCOMPARE(r.title, QString("Save table as ..."));
        QCOMPARE(r.filter, QString("Text (*.TXT)|*.TXT"));
        QCOMPARE(r.folder, QString::fromStdString(f.app->programFolderText()));
        QCOMPARE(r.fileName, QString());
        QCOMPARE(f.rec->saveRequests[1].fileName, QString("result.TXT"));

        QFile file(folder + "/result.TXT");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, "\"" + text.toUtf8() + "\"\r\n");
        QVERIFY(bytes.startsWith("\"\r\n      "));
        QCOMPARE(int(bytes.count("\r\n")), 1 + 1 + 1 + 201);
        // The name and folder are taken from the dialog before the file is written.
        QCOMPARE(f.d().TabelleDateiTitel, std::string("x.TXT"));
        QCOMPARE(QString::fromStdString(f.d().TabellePfad), folder + "/no/such/folder/");

        // The cancelled dialog says nothing; the failed write does.
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].icon, MsgIcon::Critical);
        QVERIFY(!QFile::exists(folder + "/no/such/folder/x.TXT"));

        QCOMPARE(clip, text);

        QCOMPARE(int(f.rec->printed.size()), 1);
        const auto& pages = f.rec->printed[0].pages;
        QVERIFY(pages.size() >= 3); // 204 lines of 10 point type
        QCOMPARE(f.rec->printed[0].request.askPrinter, false);
        const QImage& last = pages.back();
        bool ink = false;
        for (int y = 0; y < last.height() && !ink; y += 2)
            for (int x = 0; x < last.width() && !ink; x += 2)
                ink = last.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(ink);
    }

    // Edits in the table are what Save writes; a resize builds the table
    // anew and drops them.
    void editingThenSaving()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        const QString path = f.dir.filePath("edited.TXT");
        f.rec->saveAnswers.push_back(path);
        QString afterResize;
        QString original;
        WithTable(f, s.cmdListe, [&](frmSimTabelle& t) {
            original = t.tableText();
            QPlainTextEdit* box = t.txtSimTabelle;
            box->moveCursor(QTextCursor::End);
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, "checked by J.");
            t.cmdSaveTable->click();
            t.resize(t.width(), t.height() + 40);
            QCoreApplication::processEvents();
            afterResize = t.tableText();
        });
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "\"" + original.toUtf8() + "\r\nchecked by J.\"\r\n");
        QCOMPARE(afterResize, original);
    }

    // ---- single-point calculator ---------------------------------------------------

    void singlePointCalculator()
    {
        SimFixture f;
        f.choose(2);
        frmGraphCalc& c = f.app->show<frmGraphCalc>();
        QCOMPARE(c.txtX->text(), QString("0"));
        QCOMPARE(c.lblZeit->text(), QString("s"));
        QVERIFY(!c.lblResult[0]->isHidden() && c.lblResult[1]->isHidden() && !c.lblResult[3]->isHidden());
        QVERIFY(c.lblRes[1]->isHidden());

        c.cmdGraphCalcExec->click();
        QCOMPARE(c.lblResult[0]->text(), QString(" 1"));
        QCOMPARE(c.lblResult[3]->text(), QString(" 0"));

        c.txtX->setText("100"); // t(max)
        c.cmdGraphCalcExec->click();
        QCOMPARE(c.lblResult[0]->text(), QString(" 3.059023E-07"));
        QCOMPARE(c.lblResult[3]->text(), QString(" 0.9999997"));
        QCOMPARE(f.rec->beeps, 0);

        for (const char* outside : {"100.0001", "-0.1"}) {
            const int beeps = f.rec->beeps;
            c.txtX->setText(outside);
            c.cmdGraphCalcExec->click();
            QCOMPARE(f.rec->beeps, beeps + 1);
            QCOMPARE(c.lblResult[0]->text(), QString(" 3.059023E-07"));
        }

        // Enter in the time box calculates.
        c.txtX->setText("0");
        c.txtX->setFocus();
        QTest::keyClick(c.txtX, Qt::Key_Return);
        QCOMPARE(c.lblResult[0]->text(), QString(" 1"));
        QCOMPARE(c.txtX->text(), QString("0"));
        c.cmdCloseGraphCalc->click();
        QVERIFY(!f.app->isLoaded<frmGraphCalc>());
    }

    // A numerically integrated model needs a simulation run of that model;
    // without one Calculate beeps and the results stay empty.
    void singlePointCalculatorOfAnIntegratedModel()
    {
        SimFixture f;
        f.choose(10);
        frmGraphCalc& c = f.app->show<frmGraphCalc>();
        QCOMPARE(c.lblRes[0]->text() + c.lblRes[1]->text() + c.lblRes[2]->text(), QString("c(E)c(S)c(ES)"));
        c.txtX->setText("1");
        c.cmdGraphCalcExec->click();
        QCOMPARE(f.rec->beeps, 1);
        QCOMPARE(c.lblResult[0]->text(), QString());

        bool failed = true;
        calc_diagram_function(f.d(), 10, failed);
        QVERIFY(!failed);
        c.txtX->setText("0");
        c.cmdGraphCalcExec->click();
        QCOMPARE(f.rec->beeps, 1);
        QCOMPARE(c.lblResult[0]->text(), QString(" 1"));
        QCOMPARE(c.lblResult[1]->text(), QString(" 5"));
        QCOMPARE(c.lblResult[2]->text(), QString(" 0"));
    }

    // From a fresh start: model 9 drawn gives four curves; its table 201 rows.
    void modelNineEndToEnd()
    {
        SimFixture f;
        StartUp(*f.app);
        f.app->mainWindow().mnuctGraph->trigger();
        f.choose(9);
        frmPrepareTimeDiagram& s = *f.app->find<frmPrepareTimeDiagram>();
        s.cmdDrawctDiagram->click();
        QVERIFY(f.app->isLoaded<frmGraph2D>());
        QCOMPARE(f.d().KurvenAnzahl, 4);
        const QStringList lines = WithTable(f, s.cmdListe).split("\r\n");
        QCOMPARE(int(lines.size()), 3 + 201);
        QCOMPARE(lines[1], Line({" t/s", "cA/(mol/l)", "cB/(mol/l)", "cC/(mol/l)", "cP/(mol/l)"}));
    }
};

QTEST_MAIN(TestSimWindows)
#include "test_simwindows.moc"
