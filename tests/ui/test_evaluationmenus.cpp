// The evaluation menus from the main window: each path to its chart, its
// refusals and notes, and the submenus that act when they open.
#include <QtTest>

#include <cmath>

#include <QAction>
#include <QMenu>

#include "chart_fixture.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using namespace kinhom::test;

class TestEvaluationMenus : public QObject, public test::ChartFixture {
    Q_OBJECT

    MDIKIN& m() { return app().mainWindow(); }

private slots:
    void init()
    {
        start(1300, 900);
        rec().messages.clear();
    }
    void cleanup() { stop(); }

    void ctItemsOpenTheirChartOrRefuse()
    {
        // A + B => P with equal start concentrations: the 2nd-order plot
        setPoints({CtPoint({.t = 0, .A = 0.5, .B = 0.5}), CtPoint({.t = 2, .A = 0.4, .B = 0.4}),
                   CtPoint({.t = 4, .A = 1 / 3.0, .B = 1 / 3.0})});
        m().mnuctAusw[3]->trigger();
        QVERIFY(rec().messages.empty());
        QCOMPARE(d().DiagrammTyp, std::int16_t(-6));
        QCOMPARE(d().ModellNr, std::int16_t(4));
        QVERIFY(app().find<frmGraph2D>());

        // no start concentration: refused, the chart window stays as it was
        setPoints({CtPoint({.t = 0, .A = 0.5E-8}), CtPoint({.t = 5, .A = 0.4E-8})});
        frmGraph2D* before = app().find<frmGraph2D>();
        m().mnuctAusw[1]->trigger();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].text, QString("No initial concentration c(A)(0) found"));
        QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
        QCOMPARE(rec().messages[0].icon, MsgIcon::Critical);
        QCOMPARE(app().find<frmGraph2D>(), before);
    }

    void kTItemsCountTheCouples()
    {
        std::vector<ExpPunkt> p;
        for (double T = 300; T <= 360; T += 20) p.push_back(KTPoint({.T = T, .k = 1e10 * std::exp(-50000 / (8.3145 * T))}));
        p.push_back(p.front()); // one couple twice
        setPoints(p);
        m().mnukT[1]->trigger();
        QVERIFY(rec().messages.empty());
        QCOMPARE(d().DiagrammTyp, std::int16_t(-3));
        QVERIFY2(g().statusText().contains("EA/ (kJ/mol) = 50.00"), qPrintable(g().statusText()));
        QCOMPARE(d().AnzahlPunkte, 5); // the table keeps its duplicate

        setPoints({KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.1})});
        m().mnukT[2]->trigger();
        QCOMPARE(rec().lastMessage(), QString("at least two different couples of k-T values needed!"));
    }

    void lambdaWithoutLambda0WarnsAndGoesOn()
    {
        d().LambdaUnendlich = 16;
        setPoints({LambdaPoint({.t = 0, .lambda = 0}), LambdaPoint({.t = 1, .lambda = 8}),
                   LambdaPoint({.t = 2, .lambda = 12}), LambdaPoint({.t = 3, .lambda = 14})});
        QCOMPARE(d().Lambda0, 0.0);
        m().mnuLambdaAusw[1]->trigger();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Evaluation of lambda-data, 1st order"));
        QCOMPARE(rec().messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(d().DiagrammTyp, std::int16_t(-10));
        QVERIFY(d().LambdaAuswertung);
        QVERIFY(app().find<frmGraph2D>());

        emit m().mnuExpctAuswertung->aboutToShow(); // opening the c-t submenu ends the lambda task
        QVERIFY(!d().LambdaAuswertung);
    }

    void submenusThatActWhenTheyOpen()
    {
        ExpPunkt a = CtPoint({.t = 0, .A = 1});
        a.c[4] = 0.2;
        setPoints({a, CtPoint({.t = 5, .A = 0.5})});
        emit m().mnuCalcTangente->aboutToShow();
        const bool expected[] = {false, true, false, false, true, false};
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(m().mnuSubTangente[std::size_t(i)]->isEnabled(), expected[i]);

        d().ModellNr = 0;
        const bool batch = m().mnuBatchR->isEnabled();
        emit m().mnuReaktor->aboutToShow();
        QCOMPARE(rec().lastMessage(), QString("First select a kinetic model!"));
        QCOMPARE(m().mnuBatchR->isEnabled(), batch); // the items are left as they are
        rec().messages.clear();
        d().ModellNr = 2;
        emit m().mnuReaktor->aboutToShow();
        QVERIFY(rec().messages.empty());
    }
};

QTEST_MAIN(TestEvaluationMenus)
#include "test_evaluationmenus.moc"
