// The fitting window and the fitting menus: the steps of each menu item, the
// layout per task, manual fitting with the sliders, the automatic fit and the
// fits that must change nothing.

#include <QtTest>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include <random>

#include "core/evaluation/fitting.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "core/shell/startup.h"
#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/kinetics/inputkeys.h"

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
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.01);
    if (d.ExpPunkte.empty())
        d.ExpPunkte.assign(1, ExpPunkt{});
    for (int i = 0; i < count; ++i) {
        ExpPunkt e;
        e.t = tMax * i / (count - 1);
        std::vector<double> c(6, 0.0);
        bool failed = false;
        CalcCAtTime(w, model, e.t, c, failed);
        for (int s = 1; s <= 5; ++s)
            if (species[s - 1] == '1')
                e.c[s] = c[std::size_t(s)] * (1.0 + noise(rng));
        e.T = T;
        d.ExpPunkte.push_back(e);
    }
    d.AnzahlPunkte = int(d.ExpPunkte.size()) - 1;
    AnalyzeExpData(d);
    GetStartConcFromData(d);
}

double Box(frmFitting& f, int i) { return f.Inp[std::size_t(i)]->text().toDouble(); }

struct FitFixture : SimFixture {
    MDIKIN& main() { return app->mainWindow(); }
    frmFitting* fitting() { return app->find<frmFitting>(); }
    frmGraph2D* chart() { return app->find<frmGraph2D>(); }
    int curves() { return chart() ? d().KurvenAnzahl : 0; }
    QString lastMessage() { return rec->messages.empty() ? QString() : rec->messages.back().text; }
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
        f.setupWith(9);
        AddData(f.d(), 9, 0.3, 0.05, 0, "10100", 40, 60, 7);
        f.main().mnuCtFitting->trigger();

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
        w->cmdFit->click();
        QVERIFY2(w->txtErgebnis->toPlainText().contains("Converged."), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 10) - 0.3) < 0.02);
        QVERIFY(std::fabs(Box(*w, 11) - 0.05) < 0.005);
        QCOMPARE(f.d().FitParameter[1], f.d().k[1]);
        QVERIFY(std::fabs(f.d().FitParameter[1] - 0.3) < 0.02);
        // The fitted curves replaced the previous ones.
        QCOMPARE(f.curves(), 4);
        QCOMPARE(f.chart()->KurvenTab[1].txtLabel, QString("c(A) "));
    }

    void slidersRedrawTheCurvesAndTheSumOfSquares()
    {
        FitFixture f;
        f.setupWith(2);
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w);
        QCOMPARE(f.curves(), 2);
        const QString ssqBefore = w->lblSSQ->text();
        const QString k1Before = w->Inp[10]->text();
        QVERIFY(ssqBefore.startsWith("SSQ ="));

        w->scrParameter[1]->setValue(w->scrParameter[1]->value() + 100);
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
        w->cmdFit->click();
        QVERIFY2(w->txtErgebnis->toPlainText().contains("Converged."), qPrintable(w->txtErgebnis->toPlainText()));
        QVERIFY(std::fabs(Box(*w, 11) - 1.5) < 0.1);
        QVERIFY(std::fabs(Box(*w, 10) - 0.2) < 0.02);
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
        QCOMPARE(f.chart()->KurvenTab[1].txtLabel, QString("T/K = 300"));
        QCOMPARE(f.chart()->KurvenTab[3].txtLabel, QString("T/K = 320"));

        // From the start-up defaults the model does not respond at the start;
        // starts decades away do, and the fit leaves the plateau.
        QCOMPARE(w->Inp[10]->text(), QString(" 100"));
        w->cmdFit->click();
        QVERIFY2(w->Inp[10]->text() != QString(" 100"), qPrintable(w->txtErgebnis->toPlainText()));

        w->Inp[10]->setText(" 1E+08");
        w->Inp[11]->setText(" 50000");
        w->cmdFit->click();
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
        f.setupWith(9);
        AddData(f.d(), 9, 0.3, 0.05, 0, "10100", 40, 60, 7);
        f.main().mnuCtFitting->trigger();
        frmFitting* w = f.fitting();
        QVERIFY(w);

        // A fixed parameter keeps its text.
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.0523");
        w->chkFixed[2]->setChecked(true);
        w->cmdFit->click();
        QCOMPARE(w->Inp[11]->text(), QString(" 0.0523"));
        QVERIFY(w->Inp[10]->text() != QString(" 0.1"));
        w->chkFixed[2]->setChecked(false);

        // Too few active values: refused, nothing changes.
        for (int i = 2; i <= f.d().AnzahlPunkte; ++i)
            f.d().ExpPunkte[std::size_t(i)].exclude = -1;
        w->Inp[10]->setText(" 0.1");
        w->Inp[11]->setText(" 0.1");
        w->cmdFit->click();
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

    void helpPageAndEscape()
    {
        FitFixture f;
        frmFitting* w = f.firstOrderFit();
        QVERIFY(w);
        w->cmdHelp->click();
        QCOMPARE(f.rec->helpTopics.back(), 10700);
        QVERIFY(QFile::exists(QString(QT_TESTCASE_SOURCEDIR) + "/resources/help/10700.html"));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!f.fitting());
    }
};

QTEST_MAIN(TestFitting)
#include "test_fitting.moc"
