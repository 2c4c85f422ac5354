// The fitting window and the fitting menus: the steps of each menu item, the
// layout per task, manual fitting with the sliders, the automatic fit and the
// fits that must change nothing.

#include <QtTest>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>


#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/evaluation/fitting.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "core/shell/numtext.h"
#include "core/shell/startup.h"
#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/qtext.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

// Measured points of `model` (species marked in `species`) at `count` times
// from 0 to tMax, from the program's simulation with 1 % noise.
void AddData(Declare& d, int model, double k1, double k2, float n, const char* species, int count, double tMax,
             unsigned seed, double T = 0)
{
    Declare w;
    SetStartupValues(w, "/tmp", ".");
    w.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(w, model);
    w.Stoffmuster = "11111";
    w.c0[1] = w.c0[2] = 1;
    w.k[1] = k1;
    w.k[2] = k2;
    w.Ordnung = n;
    w.tEnde = static_cast<float>(tMax);
    w.SimAnzahl = kSimIntervals;
    QVERIFY(!calc_diagram_function(w, model).failed);
    if (d.ExpPunkte.empty())
        d.ExpPunkte.assign(1, ExpPunkt{});
    for (const ExpPunkt& e : NoisyPointsOfCourse(w, species, count, tMax, seed, T))
        d.ExpPunkte.push_back(e);
    d.AnzahlPunkte = int(d.ExpPunkte.size()) - 1;
    AnalyzeExpData(d);
    GetStartConcFromData(d);
}

double Box(frmFitting& f, int i) { return f.Inp[std::size_t(i)]->text().toDouble(); }

// Lets the window's computation (fit or sum of squares) end and its result arrive.
bool Settled(frmFitting* w)
{
    return QTest::qWaitFor([w] { return !w->Computing(); }, 20000);
}

// Clicks "automatic fit" and waits for the fit to end.
bool FitAndWait(frmFitting* w)
{
    w->cmdFit->click();
    return Settled(w);
}

struct FitFixture : SimFixture {
    MDIKIN& main() { return app->mainWindow(); }
    frmFitting* fitting() { return app->find<frmFitting>(); }
    frmGraph2D* chart() { return app->find<frmGraph2D>(); }
    int curves() { return chart() ? d().KurvenAnzahl : 0; }
    QString lastMessage() { return rec->messages.empty() ? QString() : rec->messages.back().text; }
    // Model 9 with data of A and C (k1 = 0.3, k2 = 0.05) and the k fit opened on them.
    frmFitting* model9Fit()
    {
        setupWith(9);
        AddData(d(), 9, 0.3, 0.05, 0, "10100", 40, 60, 7);
        main().mnuCtFitting->trigger();
        return fitting();
    }
    // First-order c(A) data (k = 0.15, 20 points up to 20 s) and the k fit opened on them.
    frmFitting* firstOrderFit()
    {
        AddData(d(), 2, 0.15, 0, 0, "10000", 20, 20, 5);
        main().mnuCtFitting->trigger();
        return fitting();
    }
};

} // namespace

class TestFitting : public QObject {
    Q_OBJECT
private slots:
    void isothermalFitOfModel9FromTheMenu()
    {
        FitFixture f;
        f.model9Fit();

        frmFitting* w = f.fitting();
        QVERIFY(w);
        QVERIFY(!f.app->isLoaded<frmPrepareTimeDiagram>());
        QCOMPARE(int(f.d().Arbeitsmodus), 1);
        QCOMPARE(int(f.d().DiagrammTyp), 9);
        QVERIFY(f.d().MitPunkten);
        // Relabelled by the model window: k1 and k2, the species with data ticked.
        QCOMPARE(Text(w, "Bz_5"), QString("k1"));
        QCOMPARE(Text(w, "Bz_6"), QString("k2"));
        QVERIFY(Shown(w, "Inp_11") && Shown(w, "scrParameter_2") && !Shown(w, "scrParameter_3"));
        QVERIFY(w->chkConcFQS[1]->isChecked() && w->chkConcFQS[3]->isChecked());
        QVERIFY(!w->chkConcFQS[2]->isEnabled());
        QCOMPARE(Text(w, "unit1"), QString("/(l/(s*mol))"));
        // The last step drew the four courses over the points.
        QVERIFY(f.chart());
        QCOMPARE(f.curves(), 4);
        QCOMPARE(int(w->drawnSlots().size()), 4);

        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.1");
        QVERIFY(FitAndWait(w));
        QVERIFY2(w->txtErgebnis->toPlainText().contains("Converged."), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 10) - 0.3) < 0.02);
        QVERIFY(std::fabs(Box(*w, 11) - 0.05) < 0.005);
        QCOMPARE(f.d().FitParameter[1], f.d().k[1]);
        QVERIFY(std::fabs(f.d().FitParameter[1] - 0.3) < 0.02);
        // The fitted curves replaced the previous ones.
        QCOMPARE(f.curves(), 4);
        QCOMPARE(f.chart()->shownChart().ChartLabels(1).Text(), std::string("c(A) "));
    }

    void slidersRedrawTheCurvesAndTheSumOfSquares()
    {
        FitFixture f;
        f.setupWith(2);
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w);
        QCOMPARE(f.curves(), 2);
        QVERIFY(Settled(w));
        const QString ssqBefore = w->lblSSQ->text();
        const QString k1Before = w->Inp[10]->text();
        QVERIFY(ssqBefore.startsWith("SSQ ="));

        w->scrParameter[1]->setValue(w->scrParameter[1]->value() + 100);
        QVERIFY(Settled(w));
        QVERIFY(w->Inp[10]->text() != k1Before);
        QVERIFY(Box(*w, 10) > ReadNumber(k1Before));
        QCOMPARE(f.d().k[1], Box(*w, 10));
        QVERIFY(w->lblSSQ->text() != ssqBefore);
        // The curves of the previous trial are gone: still two on the chart.
        QCOMPARE(f.curves(), 2);
        for (int i = 0; i < 5; ++i)
            w->scrParameter[1]->setValue(w->scrParameter[1]->value() - 40);
        QCOMPARE(f.curves(), 2);

        // A typed value centres the slider on it and redraws.
        w->Inp[10]->setText(" 0.2");
        w->Inp_Edited(10);
        QCOMPARE(w->scrParameter[1]->value(), 500);
        QCOMPARE(f.d().k[1], 0.2);
        QCOMPARE(f.curves(), 2);

        // The model window writes the defaults: the slider centres on them,
        // a quarter of its run is one decade.
        w->scrParameter[1]->setValue(900);
        f.choose(2);
        QCOMPARE(w->Inp[10]->text(), QString(" 0.15"));
        QCOMPARE(w->scrParameter[1]->value(), 500);
        w->scrParameter[1]->setValue(750);
        QCOMPARE(w->Inp[10]->text(), QString(" 1.5"));
    }

    void orderFitFromTheMenu()
    {
        FitFixture f;
        AddData(f.d(), 20, 0.2, 0, 1.5f, "10000", 30, 20, 3);
        f.main().mnuROFitting->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w);
        QCOMPARE(int(f.d().ModellNr), 20);
        // t(max) starts at the largest measured time.
        QCOMPARE(w->Inp[14]->text(), QString(" 20"));
        QCOMPARE(Text(w, "Bz_6"), QString("n"));
        QCOMPARE(Text(w, "unit2"), QString());
        QVERIFY(Shown(w, "Inp_11"));
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 1");
        QVERIFY(FitAndWait(w));
        QVERIFY2(w->txtErgebnis->toPlainText().contains("Converged."), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 11) - 1.5) < 0.1);
        QVERIFY(std::fabs(Box(*w, 10) - 0.2) < 0.02);
        // The model line names the fitted order; k1 carries the unit of order n.
        QVERIFY2(w->Label7->text().endsWith(QString("(n = %1)").arg(double(ToSingle(Box(*w, 11))), 0, 'f', 2)),
                 qPrintable(w->Label7->text()));
        QCOMPARE(Text(w, "unit1"), QString("/((l/mol)^(n-1)/s)"));
        QCOMPARE(double(f.d().Ordnung), double(ToSingle(f.d().FitParameter[2])));
    }

    void nonIsothermalFitDrawsOneCurvePerTemperature()
    {
        FitFixture f;
        unsigned seed = 11;
        for (double T : {300.0, 310.0, 320.0})
            AddData(f.d(), 2, FitRateConstantAt(1e9, 60000, T), 0, 0, "10000", 15, 60, seed++, T);
        f.main().mnuNonIsothermFitting[1]->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w);
        QCOMPARE(int(f.d().ModellNr), 2);
        QCOMPARE(int(f.d().Arbeitsmodus), 6);
        QCOMPARE(Text(w, "Bz_5"), QString("Arrhenius-A"));
        QCOMPARE(Text(w, "Bz_6"), QString("EA"));
        QCOMPARE(Text(w, "unit2"), QString("/(J/mol)"));
        QVERIFY(Shown(w, "Inp_11"));
        QCOMPARE(f.curves(), 3);
        QCOMPARE(f.chart()->shownChart().ChartLabels(1).Text(), std::string("T/K = 300"));
        QCOMPARE(f.chart()->shownChart().ChartLabels(3).Text(), std::string("T/K = 320"));

        // From the start-up defaults the model does not respond at the start;
        // starts decades away do, and the fit leaves the plateau.
        QCOMPARE(w->Inp[10]->text(), QString(" 100"));
        w->cmdFit->click();
        QVERIFY(Settled(w));
        QVERIFY2(w->Inp[10]->text() != QString(" 100"), qPrintable(w->txtErgebnis->toPlainText()));

        w->Inp[10]->setText(" 1E+08");
        w->Inp[11]->setText(" 50000");
        QVERIFY(FitAndWait(w));
        QVERIFY2(w->txtErgebnis->toPlainText().contains("k(T/K = 310)"), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 11) - 60000) < 1500);
        QVERIFY(std::fabs(std::log10(Box(*w, 10)) - 9) < 0.3);
        QCOMPARE(float(f.d().ArrheniusEA), float(Box(*w, 11)));
        QCOMPARE(f.curves(), 3);
    }

    void menuRefusalsAndWarnings()
    {
        FitFixture f;
        const int code = f.d().DiagrammTyp;
        // No c-t data: refused, and the last step changes nothing.
        f.main().mnuCtFitting->trigger();
        QCOMPARE(f.lastMessage(), QString("No or not enough experimental c-t data\r\nInput data (=> Data / New  exper. data)"));
        QCOMPARE(f.rec->messages.back().title, QString("Execution not possible"));
        QVERIFY(!f.fitting());
        QCOMPARE(int(f.d().DiagrammTyp), code);
        QCOMPARE(int(f.d().Arbeitsmodus), 1);

        f.main().mnuNonIsothermFitting[2]->trigger();
        QCOMPARE(f.lastMessage(), QString("No or not enough experimental t-c-T data\r\nInput data (=> Data / New  exper. data)"));

        // One temperature: a warning, then the task goes on; second order
        // without c(A)(0) in the data is refused.
        AddData(f.d(), 2, 0.05, 0, 0, "10000", 10, 60, 2, 300);
        for (int i = 1; i <= f.d().AnzahlPunkte; ++i)
            if (f.d().ExpPunkte[std::size_t(i)].t == 0)
                f.d().ExpPunkte[std::size_t(i)].c[1] = 0;
        GetStartConcFromData(f.d());
        f.rec->messages.clear();
        f.main().mnuNonIsothermFitting[2]->trigger();
        QCOMPARE(int(f.rec->messages.size()), 2);
        QCOMPARE(f.rec->messages[0].title, QString("WARNING"));
        QCOMPARE(f.rec->messages[1].text, QString("For this case the initial concentration c(A)(0) has to be given."));
        QVERIFY(!f.fitting());

        f.rec->messages.clear();
        f.main().mnuNonIsothermFitting[1]->trigger();
        QCOMPARE(int(f.rec->messages.size()), 1);
        QCOMPARE(f.rec->messages[0].title, QString("WARNING"));
        QVERIFY(f.fitting());
        QCOMPARE(f.curves(), 1);
    }

    void fitsThatMustChangeNothing()
    {
        FitFixture f;
        f.model9Fit();
        frmFitting* w = f.fitting();
        QVERIFY(w);

        // A fixed parameter keeps its text.
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.0523");
        w->chkFixed[2]->setChecked(true);
        QVERIFY(FitAndWait(w));
        QCOMPARE(w->Inp[11]->text(), QString(" 0.0523"));
        QVERIFY(w->Inp[10]->text() != QString(" 0.1"));
        w->chkFixed[2]->setChecked(false);

        // Too few active values: refused, nothing changes.
        for (int i = 2; i <= f.d().AnzahlPunkte; ++i)
            f.d().ExpPunkte[std::size_t(i)].exclude = -1;
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.1");
        QVERIFY(FitAndWait(w));
        QVERIFY(f.lastMessage().startsWith("Not enough measured values"));
        QCOMPARE(w->Inp[10]->text(), QString(" 0.1"));
        QCOMPARE(w->Inp[11]->text(), QString(" 0.1"));

        // Faults in the boxes are listed in one box.
        w->Inp[10]->setText("0");
        w->Inp[14]->setText("-1");
        w->cmdDrawNewCurve->click();
        QCOMPARE(f.rec->messages.back().title, QString("Execution not possible"));
        QCOMPARE(f.lastMessage(), QString("- specification of time not in order\r\n- the rate constant has to be k1 > 0\r\n"));
    }

    void fitRunsInTheBackgroundAndStopsAtOnce()
    {
        FitFixture f;
        f.model9Fit();
        frmFitting* w = f.fitting();
        QVERIFY(w && Settled(w));
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.1");
        const QString ssq = w->lblSSQ->text();
        const std::vector<double> fitted = f.d().FitParameter;
        const std::size_t messages = f.rec->messages.size();

        // Running: the inputs and the fit and draw buttons are locked, Stop is live.
        w->cmdFit->click();
        QVERIFY(w->FitRunning());
        for (QWidget* locked : std::initializer_list<QWidget*>{w->cmdFit, w->cmdDrawNewCurve, w->Inp[10], w->Inp[0],
                                                               w->Inp[14], w->scrParameter[1], w->chkFixed[1],
                                                               w->chkConcFQS[1]})
            QVERIFY2(!locked->isEnabled(), qPrintable(locked->objectName()));
        QVERIFY(w->cmdStop->isEnabled() && w->cmdClose->isEnabled() && w->cmdHelp->isEnabled());
        QVERIFY(w->lblSSQ->text().startsWith("automatic fit"));
        // A second start while it runs does nothing.
        w->cmdFit_Click();
        QVERIFY(w->FitRunning());

        // Esc stops it at once and leaves everything as before the click,
        // also when the fit's result would still arrive.
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(f.fitting(), w);
        QVERIFY(!w->Computing());
        QCOMPARE(w->txtErgebnis->toPlainText(), QString("The fit was stopped; the values are unchanged."));
        QCOMPARE(w->lblSSQ->text(), ssq);
        QVERIFY(w->cmdFit->isEnabled() && w->Inp[10]->isEnabled() && !w->cmdStop->isEnabled());
        QTest::qWait(300);
        QCOMPARE(w->Inp[10]->text(), QString(" 0.1"));
        QCOMPARE(w->Inp[11]->text(), QString(" 0.1"));
        QVERIFY(f.d().FitParameter == fitted);
        QCOMPARE(f.rec->messages.size(), messages);

        // The Stop button does the same; a fit left to run then succeeds.
        w->cmdFit->click();
        w->cmdStop->click();
        QVERIFY(!w->Computing());
        QCOMPARE(w->Inp[10]->text(), QString(" 0.1"));
        QVERIFY(FitAndWait(w));
        QVERIFY(std::fabs(Box(*w, 10) - 0.3) < 0.02);
        QVERIFY(w->Inp[10]->isEnabled());
        // The line shows the sum of squares of the fitted values.
        QVERIFY2(w->lblSSQ->text().contains("measured values"), qPrintable(w->lblSSQ->text()));
    }

    void aResultForChangedDataIsNotApplied()
    {
        FitFixture f;
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w && Settled(w));
        w->Inp[10]->setText(" 0.05");
        w->cmdFit->click();
        QVERIFY(w->FitRunning());
        // The data editor changes a point while the fit runs.
        f.d().ExpPunkte[3].c[1] *= 1.2;
        QVERIFY(Settled(w));
        QVERIFY2(f.lastMessage().contains("changed while the fit ran"), qPrintable(f.lastMessage()));
        QCOMPARE(w->Inp[10]->text(), QString(" 0.05"));
    }

    void theSumOfSquaresIsNeverStale()
    {
        FitFixture f;
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w && Settled(w));
        QVERIFY(w->lblSSQ->text().contains("measured values"));

        // A new edit supersedes the sum still being computed; the line shows
        // the sum of the values in the boxes.
        for (const char* k : {" 0.1", " 0.12", " 0.15"}) {
            w->Inp[10]->setText(k);
            w->Inp_Edited(10);
        }
        QVERIFY(Settled(w));
        const QString at015 = w->lblSSQ->text();
        QVERIFY(at015.contains("measured values"));
        w->Inp[10]->setText(" 0.1");
        w->Inp_Edited(10);
        QVERIFY(Settled(w));
        QVERIFY(w->lblSSQ->text() != at015);

        // A box changed while the sum was computed (here by code, without a
        // redraw): the sum that arrives belongs to other values and is not shown.
        w->Inp[10]->setText(" 0.15");
        w->Inp_Edited(10);
        w->Inp[0]->setText(" 2");
        QVERIFY(Settled(w));
        QCOMPARE(w->lblSSQ->text(), QString("SSQ ="));

        // A typed fault empties the line at once.
        w->Inp[0]->setText(" 1");
        w->Inp_Edited(0);
        QVERIFY(w->Computing());
        w->Inp[10]->setText("x");
        w->Inp_Edited(10);
        QVERIFY(!w->Computing());
        QCOMPARE(w->lblSSQ->text(), QString("SSQ ="));

        // Esc stops a running sum instead of closing the window.
        w->Inp[10]->setText(" 0.15");
        w->Inp_Edited(10);
        QVERIFY(w->cmdStop->isEnabled());
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(f.fitting(), w);
        QCOMPARE(w->lblSSQ->text(), QString("SSQ: stopped"));
    }

    void anOverflowingSumOfSquaresGivesAReason()
    {
        FitFixture f;
        f.setupWith(2);
        Declare& d = f.d();
        std::vector<ExpPunkt> points;
        for (int i = 0; i < 6; ++i) points.push_back(CtPoint({.t = double(i), .A = 1e154 * (1.0 - 0.1 * i)}));
        LoadMeasuredPoints(d, points);
        f.main().mnuCtFitting->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w && Settled(w));
        const QString line = w->lblSSQ->text();
        QVERIFY2(line.startsWith("SSQ: ") && line.size() > 10, qPrintable(line));
    }

    void closingOrQuittingDuringAFitStopsIt()
    {
        // Model 18 over A, B, C and P with k2 fixed, from start values far
        // off: a fit that takes about half a second.
        auto start = [](FitFixture& f) {
            f.setupWith(18);
            if (f.d().AnzahlPunkte <= 1) {
                f.d().ExpPunkte.assign(1, ExpPunkt{});
                AddData(f.d(), 18, 0.5, 0.3, 0, "11110", 300, 300, 4);
            }
            f.main().mnuCtFitting->trigger();
            frmFitting* w = f.fitting();
            if (!w || !Settled(w))
                return false;
            w->Inp[10]->setText(" 0.0005");
            w->Inp[12]->setText(" 50");
            w->Inp[14]->setText(" 3000");
            w->chkFixed[2]->setChecked(true);
            w->cmdFit->click();
            return w->FitRunning();
        };
        {
            // The close button.
            FitFixture f;
            QVERIFY(start(f));
            f.fitting()->cmdClose->click();
            QVERIFY(!f.fitting());
            QTest::qWait(50);
            // Opened again, the window fits afresh.
            QVERIFY(start(f));
        }
        {
            // Quitting (the main window's close, which Exit runs).
            FitFixture f;
            QVERIFY(start(f));
            f.main().close();
            QVERIFY(!f.app->isLoaded<frmFitting>());
            QTest::qWait(50);
        }
        {
            // The program ends with the fit running.
            FitFixture f;
            QVERIFY(start(f));
        }
    }

    void startValuesComeFromTheData()
    {
        FitFixture f;
        // The previous data set's values.
        f.d().c0[1] = 5;
        f.d().tEnde = 90000;
        f.d().ExpPunkte.assign(1, ExpPunkt{});
        // First-order data in seconds, evaluated first.
        AddData(f.d(), 2, 4.8e-4, 0, 0, "10000", 12, 6200, 9);
        f.main().mnuctAusw[1]->trigger();
        const double evaluated = f.d().k[1];
        QVERIFY(std::fabs(evaluated - 4.8e-4) < 2e-5);

        f.main().mnuCtFitting->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w && Settled(w));
        QCOMPARE(w->Inp[0]->text(), Q(StrSingle(f.d().c0Exp[1])));
        QCOMPARE(w->Inp[14]->text(), QString(" 6200"));
        QCOMPARE(w->Inp[10]->text(), Q(StrSingle(ToSingle(evaluated))));
        QVERIFY(FitAndWait(w));
        QVERIFY2(w->txtErgebnis->toPlainText().contains("Converged."), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 10) - 4.8e-4) < 2e-5);

        // The user's edits stay while the window is open.
        w->Inp[0]->setText(" 1.5");
        w->Inp_Edited(0);
        QVERIFY(Settled(w));
        QCOMPARE(w->Inp[0]->text(), QString(" 1.5"));

        // Changed data: the evaluation no longer counts, k1 is the model's default.
        f.d().ExpPunkte[2].c[1] *= 1.1;
        f.main().mnuCtFitting->trigger();
        QVERIFY(Settled(f.fitting()));
        QCOMPARE(f.fitting()->Inp[10]->text(), QString(" 0.15"));
    }

    void timeUnitChangeConvertsWhatTheBoxesShow()
    {
        FitFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        // A value typed but not yet drawn, and a refused S(0),max.
        s.Inp[10]->setText(" 1");
        s.txtS0max->setText("1e39");
        f.model().optZeit[1]->click();
        QCOMPARE(s.Inp[10]->text(), QString(" 60"));
        s.Form_Activate();
        QCOMPARE(s.txtS0max->text(), QString("1e39"));
        s.Inp[10]->setText("abc");
        f.model().optZeit[0]->click();
        QCOMPARE(s.Inp[10]->text(), QString("abc"));

        // The order fit: k converts, the order n does not.
        AddData(f.d(), 20, 0.2, 0, 1.5f, "10000", 30, 20, 3);
        f.main().mnuROFitting->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w && Settled(w));
        w->Inp[10]->setText(" 1");
        w->Inp[11]->setText(" 1.5");
        f.model().optZeit[1]->click();
        QCOMPARE(w->Inp[10]->text(), QString(" 60"));
        QCOMPARE(w->Inp[11]->text(), QString(" 1.5"));
        QCOMPARE(Text(w, "unit1"), QString("/((l/mol)^(n-1)/min)"));
    }

    void helpPageAndEscape()
    {
        FitFixture f;
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w);
        w->cmdHelp->click();
        QCOMPARE(f.rec->helpTopics.back(), 10700);
        QVERIFY(QFile::exists(QString(QT_TESTCASE_SOURCEDIR) + "/resources/help/10700.html"));
        QVERIFY(Settled(w));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!f.fitting());
    }
};

QTEST_MAIN(TestFitting)
#include "test_fitting.moc"
