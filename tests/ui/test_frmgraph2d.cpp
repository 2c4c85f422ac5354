// The chart window: loading, the drawing pass, measured points, coordinates,
// print and image panels, and the linearised evaluation plots as the evaluation
// menus open them.

#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "core/chart/chart2d.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/datafile.h"
#include "core/shell/expdata.h"
#include "chart_fixture.h"
#include "ui/chart/chartview.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

const QString kOutside = "Curve outside the actual coordinates\r\n\r\nEnlarge the coordinates";

int CountMessages(const RecordingServices& rec, const QString& text)
{
    int n = 0;
    for (const MessageRequest& m : rec.messages) n += m.text == text ? 1 : 0;
    return n;
}

// The bounding box of the pixels that are not white.
QRect InkBox(const QImage& img)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// The distance of p from the polyline (in the units of the points).
double DistanceToRuns(const std::vector<std::vector<PointF>>& runs, const PointF& p)
{
    double best = 1e300;
    for (const auto& run : runs)
        for (std::size_t i = 0; i + 1 < run.size(); ++i) {
            const double ax = run[i].x, ay = run[i].y, bx = run[i + 1].x, by = run[i + 1].y;
            const double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
            double u = len2 > 0 ? ((p.x - ax) * vx + (p.y - ay) * vy) / len2 : 0;
            u = std::clamp(u, 0.0, 1.0);
            best = std::min(best, std::hypot(ax + u * vx - p.x, ay + u * vy - p.y));
        }
    return best;
}

} // namespace

class TestFrmGraph2D : public QObject, public test::ChartFixture {
    Q_OBJECT

    // An evaluation item of the main window's menus: close the chart window,
    // set the code, the plot ranges and the titles; the fresh window draws.
    void openEvaluation(int code, int model)
    {
        app().unload<frmGraph2D>();
        d().ModellNr = static_cast<std::int16_t>(model);
        d().DiagrammTyp = static_cast<std::int16_t>(code);
        d().LambdaAuswertung = code == -10 || code == -11;
        if (code == -10)
            CalcScaleLambda1(d());
        else if (code == -11)
            CalcScaleLambda2(d());
        else
            CalcExpDataRanges(d(), code, true);
        SetDiagramTitles();
    }

private slots:
    void init()
    {
        start(1000, 750);
    }
    void cleanup() { stop(); }

    // ---- the drawing pass ------------------------------------------------------------

    void threeCurvesFillSlotsInSpeciesOrderThenAFreedSlotIsReused()
    {
        simulate(4); // A + B => P
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        QCOMPARE(d().KurvenAnzahl, 3);
        QCOMPARE(d().KurvenZuZeichnen, 0);
        const char* labels[4] = {"", "c(A) ", "c(B) ", "c(P) "};
        const ChartData& data = chart().ChartGroups(1).Data();
        for (int s = 1; s <= 3; ++s) {
            QVERIFY(!g().KurveFrei[s]);
            QCOMPARE(data.NumPoints(s), 201);
            QCOMPARE(data.Display(s), int(DisplayState::Shown));
            QCOMPARE(chart().ChartLabels(s).Text(), std::string(labels[s]));
            QCOMPARE(g().KurvenTab[s].txtLabel, QString(labels[s]));
            QVERIFY(chart().ChartLabels(s).IsShowing());
        }
        QVERIFY(g().KurveFrei[4]);
        QCOMPARE(data.NumPoints(4), 0);
        // the courses of A, B and P in this order
        QCOMPARE(data.Y(1, 1), d().SimCA[0]);
        QCOMPARE(data.Y(2, 101), double(float(d().SimCB[100])));
        QCOMPARE(data.Y(3, 201), double(float(d().SimCP[200])));
        // labels at about 65 %, 47 % and 29 % of the points left of t(max) = 20
        // (the last point, t = 20, is not left of it: L = 200)
        QCOMPARE(data.X(1, 201), 20.0);
        QCOMPARE(chart().ChartLabels(1).AttachPoint(), 131);
        QCOMPARE(chart().ChartLabels(2).AttachPoint(), 95);
        QCOMPARE(chart().ChartLabels(3).AttachPoint(), 59);
        QVERIFY(g().mnuDelLabels->isEnabled());
        QVERIFY(g().mnuDelKurv->isEnabled());

        // delete curve 2: its slot is free, its label shows its number
        g().DeleteCurves(2);
        QCOMPARE(d().KurvenAnzahl, 2);
        QVERIFY(g().KurveFrei[2]);
        QCOMPARE(data.NumPoints(2), 0);
        QCOMPARE(chart().ChartLabels(2).Text(), std::string("2"));
        // the next curve goes into slot 2, not 4
        d().KurvenZuZeichnen = 1; // P only
        g().DrawCurves();
        QCOMPARE(d().KurvenAnzahl, 3);
        QVERIFY(!g().KurveFrei[2]);
        QVERIFY(g().KurveFrei[4]);
        QCOMPARE(data.NumPoints(2), 201);
        QCOMPARE(chart().ChartLabels(2).Text(), std::string("c(P) "));
        // only the course of A tells whether a pass reaches the window: a pass of
        // P alone warns, and draws all the same
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].text, kOutside);
    }

    void modelNineDrawsFourLabelledCurvesAndRates()
    {
        simulate(9);
        QCOMPARE(d().KurvenAnzahl, 4);
        const char* c[5] = {"", "c(A) ", "c(B) ", "c(C) ", "c(P) "};
        for (int s = 1; s <= 4; ++s) QCOMPARE(chart().ChartLabels(s).Text(), std::string(c[s]));
        QCOMPARE(chart().Header().Text(), d().Diagramm.Titel);
        QVERIFY(!chart().Header().Text().empty());
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Title().Text(), d().Diagramm.xTitel);

        // rates added to the open window (old curves kept): slots 5 to 8
        d().RateDiagramm = true;
        d().DiagrammTyp = 59;
        SetDiagramTitles().DrawCurves();
        QCOMPARE(d().KurvenAnzahl, 8);
        QCOMPARE(chart().ChartLabels(5).Text(), std::string("r(A) "));
        QCOMPARE(chart().ChartLabels(8).Text(), std::string("r(P) "));
        QCOMPARE(chart().ChartGroups(1).Data().Y(6, 51), double(d().SimRB[50]));
        // labels of slots 5 to 8 spread like those of 1 to 4
        QCOMPARE(chart().ChartLabels(5).AttachPoint(), chart().ChartLabels(1).AttachPoint());
        QCOMPARE(chart().ChartLabels(8).AttachPoint(), 23);
    }

    void theTwentyFifthCurveWarnsOnce()
    {
        simulate(9); // slots 1..4
        for (int pass = 0; pass < 5; ++pass) {
            d().KurvenZuZeichnen = 4;
            g().DrawCurves();
        }
        QCOMPARE(d().KurvenAnzahl, 24);
        QCOMPARE(rec().messages.size(), size_t(0));
        d().KurvenZuZeichnen = 4;
        g().DrawCurves();
        const QString full = "Maximum 24 curves possible\r\nDelete existing curves";
        QCOMPARE(CountMessages(rec(), full), 1);
        QCOMPARE(rec().messages.back().title, QString("WARNING"));
        QVERIFY(rec().messages.back().icon == MsgIcon::Exclamation);
        QCOMPARE(d().KurvenAnzahl, 24);
        QCOMPARE(d().KurvenZuZeichnen, 4); // the rest stays pending
    }

    void moreCurvesAskedForThanSpeciesStillDrawsTheModelsCurves()
    {
        simulate(4); // A, B, P in slots 1 to 3
        // the counts above the model's three species prepare nothing and are
        // counted down; the pass then draws A, B and P
        d().KurvenZuZeichnen = 5;
        g().DrawCurves();
        QCOMPARE(d().KurvenZuZeichnen, 0);
        QCOMPARE(d().KurvenAnzahl, 6);
        const char* labels[] = {"c(A) ", "c(B) ", "c(P) "};
        for (int slot = 4; slot <= 6; ++slot) {
            QVERIFY(!g().KurveFrei[slot]);
            QCOMPARE(chart().ChartGroups(1).Data().NumPoints(slot), 201);
            QCOMPARE(chart().ChartLabels(slot).Text(), std::string(labels[slot - 4]));
        }
        QVERIFY(g().KurveFrei[7]);
        QCOMPARE(rec().messages.size(), size_t(0));
    }

    // An activation of the window runs Form_Activate once (it refills the
    // separator list, whose selection then changes once).
    void activationRunsFormActivateOnce()
    {
        simulate(2);
        QMdiArea* area = app().mdiArea();
        QSignalSpy refills(g().cmbSep, &QComboBox::currentIndexChanged);
        for (int round = 1; round <= 2; ++round) {
            area->setActiveSubWindow(nullptr);
            area->setActiveSubWindow(g().subWindow());
            QCOMPARE(area->activeSubWindow(), g().subWindow());
            QCOMPARE(refills.count(), round);
        }
    }

    void outsideWarningAfterEveryCurveOfThePass()
    {
        // the c window 5 .. 10 lies above every course
        d().AchsenBereiche[2] = 5;
        d().AchsenBereiche[3] = 10;
        d().ModellNr = 4;
        ApplyModelDefaults(d(), 4);
        d().tEnde = 20;
        QVERIFY(!calc_diagram_function(d(), 4).failed);
        d().AchsenBereiche[2] = 5; // the simulation wrote its own range
        d().AchsenBereiche[3] = 10;
        d().DiagrammTyp = 4;
        SetDiagramTitles();
        QCOMPARE(CountMessages(rec(), kOutside), 3);
        QCOMPARE(d().KurvenAnzahl, 3); // drawn all the same
        QCOMPARE(chart().ChartGroups(1).Data().NumPoints(3), 201);
    }

    void splineOfCodeHundredAndAnAbortedPass()
    {
        std::vector<ExpPunkt> pts;
        for (int i = 0; i <= 10; ++i) pts.push_back(CtPoint({.t = double(i), .A = std::exp(-0.2 * i)}));
        setPoints(pts);
        app().unload<frmGraph2D>();
        d().TangenteSpalte = 1;
        d().DiagrammTyp = 100;
        d().MitPunkten = true;
        d().Glaettung = 0;
        CalcScaleCt(d(), 1);
        d().AchsenBereiche[0] = 0;
        d().AchsenBereiche[1] = 10;
        SetDiagramTitles();
        QCOMPARE(rec().messages.size(), size_t(0));
        const ChartData& data = chart().ChartGroups(1).Data();
        // x = 0, 1/60, 2/60 ... 10
        QCOMPARE(data.NumPoints(1), 601);
        QCOMPARE(data.X(1, 1), 0.0);
        QVERIFY(std::fabs(data.X(1, 601) - 10.0) < 1e-5);
        QVERIFY(std::fabs(data.X(1, 61) - 1.0) < 1e-5);
        QVERIFY(std::fabs(data.Y(1, 61) - std::exp(-0.2)) < 1e-6); // a node of the spline
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 11); // the measured points

        // a coarser resolution gives fewer points
        g().Slider1_PunktDichte->setValue(100);
        QCOMPARE(g().PunktDichte, 100);
        QCOMPARE(g().Label54->text(), QString("100"));
        d().KurvenZuZeichnen = 1;
        g().DeleteCurves(0);
        g().DrawCurves();
        QCOMPARE(data.NumPoints(1), 201);

        // two points cannot carry a spline: "Aborted", and the slot is given back
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 1, .A = 0.5})});
        g().DeleteCurves(0);
        d().KurvenZuZeichnen = 1;
        g().DrawCurves();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Aborted"));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QVERIFY(rec().messages[0].text.startsWith("Critical error occured:\r\n"));
        QVERIFY(rec().messages[0].text.contains("at least 3 measured points"));
        QCOMPARE(d().KurvenAnzahl, 0);
        QVERIFY(g().KurveFrei[1]);
        QCOMPARE(d().KurvenZuZeichnen, 0);
        QCOMPARE(data.NumPoints(1), 0);
        QCOMPARE(g().FehlerFlag, -1);
    }

    void deleteMenuFollowsTheChart()
    {
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
        d().MitPunkten = true;
        simulate(9); // slots 1..4, points in set 1
        g().DeleteCurves(3);
        g().mnuDelete_Click();
        for (int i = 1; i <= 24; ++i) QCOMPARE(g().mnuSubDelKurv[i]->isEnabled(), i == 1 || i == 2 || i == 4);
        QVERIFY(g().mnuSubDelKurv[0]->isEnabled());
        QVERIFY(g().mnuSubDelPoints[1]->isEnabled());
        QVERIFY(!g().mnuSubDelPoints[2]->isEnabled());

        // the menu item deletes its curve
        g().mnuSubDelKurv[4]->trigger();
        QCOMPARE(d().KurvenAnzahl, 2);
        QVERIFY(g().KurveFrei[4]);
        // deleting a slot without a curve does not miscount the curves
        g().DeleteCurves(10);
        g().DeleteCurves(4);
        QCOMPARE(d().KurvenAnzahl, 2);

        // curve labels off and on again
        g().mnuDelLabels->trigger();
        QVERIFY(!chart().ChartLabels(1).IsShowing());
        QVERIFY(!g().KurvenTab[2].chkEinzelLabelSichtbar);
        QVERIFY(g().mnuAddLabels->isEnabled());
        g().mnuAddLabels->trigger();
        QVERIFY(chart().ChartLabels(1).IsShowing());
        QVERIFY(g().mnuDelLabels->isEnabled());

        // a point set
        g().mnuSubDelPoints[1]->setEnabled(true);
        g().mnuSubDelPoints[1]->trigger();
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 0);
        QVERIFY(!g().mnuSubDelPoints[1]->isEnabled());

        // everything
        g().setStatusText("something");
        g().mnuDelTotal_Click();
        QCOMPARE(d().KurvenAnzahl, 0);
        for (int i = 1; i <= 24; ++i) {
            QVERIFY(g().KurveFrei[i]);
            QCOMPARE(chart().ChartGroups(1).Data().NumPoints(i), 0);
            QCOMPARE(chart().ChartLabels(i).Text(), std::to_string(i));
        }
        QCOMPARE(chart().ChartGroups(2).SeriesLabels().Count(), 7);
        QCOMPARE(g().statusText(), QString());
        QVERIFY(!g().mnuDelKurv->isEnabled());
        QVERIFY(!g().mnuDelLabels->isEnabled());
        // the next curve starts at slot 1 again
        d().KurvenZuZeichnen = 4;
        g().DrawCurves();
        QCOMPARE(d().KurvenAnzahl, 4);
        QCOMPARE(chart().ChartLabels(1).Text(), std::string("c(A) "));
    }

    // ---- loading ---------------------------------------------------------------------

    void pointCodesShowPointsOnLoadingAndDrawNoCurve()
    {
        struct Case {
            int code;
            int set;
        } cases[] = {{-1, 1}, {-9, 1}, {-2, 6}};
        for (const Case& c : cases) {
            rec().messages.clear();
            if (c.code == -2)
                setPoints({KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0.2}),
                           KTPoint({.T = 320, .k = 0.4})});
            else
                setPoints({CtPoint({.t = 0, .A = 1.0, .B = 0.5}), CtPoint({.t = 5, .A = 0.6, .B = 0.3}),
                           CtPoint({.t = 10, .A = 0.3, .B = 0.1})});
            app().unload<frmGraph2D>();
            d().DiagrammTyp = static_cast<std::int16_t>(c.code);
            CalcExpDataRanges(d(), c.code, true);
            SetDiagramTitles();
            QCOMPARE(d().KurvenZuZeichnen, 1);
            QCOMPARE(d().KurvenAnzahl, 0);
            QCOMPARE(chart().ChartGroups(1).Data().NumPoints(1), 0);
            QCOMPARE(chart().ChartGroups(2).Data().NumPoints(c.set), 3);
            if (c.code != -2) QCOMPARE(chart().ChartGroups(2).Data().NumPoints(2), 3); // c(B) too
            QVERIFY(g().mnuDelPoints->isEnabled());
            QCOMPARE(rec().messages.size(), size_t(0));
            // pressing Draw changes nothing for these codes
            g().DrawCurves();
            QCOMPARE(d().KurvenAnzahl, 0);
        }
        // every point outside the window: the warning of the point charts
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.6})});
        app().unload<frmGraph2D>();
        d().DiagrammTyp = -1;
        CalcExpDataRanges(d(), -1, true);
        d().AchsenBereiche[2] = 2;
        d().AchsenBereiche[3] = 3;
        SetDiagramTitles();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].text,
                 QString("all experimental points are outside the diagram coordinates\r\nDo enlarge the range of "
                         "coordinates."));
        QCOMPARE(rec().messages[0].title, QString("WARNING"));
    }

    void simulationShowsMeasuredPointsOnlyWithMitPunkten()
    {
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
        d().MitPunkten = false;
        simulate(2);
        QCOMPARE(d().KurvenAnzahl, 2);
        for (int j = 1; j <= 7; ++j) QCOMPARE(chart().ChartGroups(2).Data().NumPoints(j), 0);
        QVERIFY(!g().mnuDelPoints->isEnabled());
        QVERIFY(g().mnuAddPunkte->isEnabled());

        d().MitPunkten = true;
        simulate(2);
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 3);
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(4), 0); // no P measured
        QCOMPARE(rec().messages.size(), size_t(0));

        // points beyond the window: the warning of the simulation charts
        setPoints({CtPoint({.t = 100, .A = 1.0}), CtPoint({.t = 200, .A = 0.5})});
        simulate(2);
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].text,
                 QString("all experimental points are outside the diagram coordinates\r\nDo check whether the "
                         "experimental points fit to this diagram \r\nor enlarge the range of the diagram resp."));
    }

    // The window is sized from the main window's client area and lies inside
    // it, so its legend, menu and close button are in sight, whatever the
    // screen's size and wherever it was closed before.
    void placementInsideTheClientAreaByTaskMode()
    {
        QWidget* viewport = app().mdiArea()->viewport();
        const auto inside = [viewport](QWidget* frame) {
            return QRect(QPoint(0, 0), viewport->size()).contains(frame->geometry());
        };
        for (const QSize mainSize : {QSize(1000, 750), QSize(640, 480)}) {
            app().mainWindow().resize(mainSize);
            QCoreApplication::processEvents();
            const int areaW = viewport->width() * 15;
            d().Arbeitsmodus = 0;
            d().GrafikLinks = 3000;
            simulate(2);
            QVERIFY(std::abs(g().Left() - std::min(3000, areaW - int(std::lround(0.72 * areaW)))) <= 15);
            QCOMPARE(g().Top(), 495); // 500 twips are 33 pixels
            QVERIFY(std::abs(g().Width() - int(0.72 * areaW)) <= 15);
            QVERIFY(std::abs(g().Height() - int(0.75 * viewport->height() * 15)) <= 15);
            QVERIFY(inside(g().frame()));
            // moved and closed: the next window opens where this one was
            g().Move(1500, 500);
            app().unload<frmGraph2D>();
            QCOMPARE(d().GrafikLinks, 1500);
            simulate(2);
            QCOMPARE(g().Left(), 1500);
            // a remembered place beyond the right edge is moved in
            app().unload<frmGraph2D>();
            d().GrafikLinks = 30000;
            simulate(2);
            QVERIFY(inside(g().frame()));

            // a fitting mode puts the window at the right edge, whatever GrafikLinks holds
            d().Arbeitsmodus = 1;
            d().GrafikLinks = 0;
            simulate(2);
            const int width = int(std::lround(0.68 * areaW));
            QVERIFY(std::abs(g().Width() - width) <= 15);
            QVERIFY(std::abs(g().Left() - (areaW - width - 50)) <= 15);
            QVERIFY(inside(g().frame()));
            app().unload<frmGraph2D>();
        }
    }

    // A chart that opens while the main window is not the active one (a menu
    // or the "Loaded..." box has just closed) comes to the front and stays
    // there when the main window is active again, even though the keyboard
    // focus was in the model window.
    void chartThatOpensComesToTheFront()
    {
        QMainWindow& main = app().mainWindow();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* model = new QLineEdit; // the model window's focused box
        model->setObjectName("focused");
        QMdiSubWindow* modelFrame = app().mdiArea()->addSubWindow(model);
        modelFrame->show();
        model->setFocus();
        QCOMPARE(app().mdiArea()->activeSubWindow(), modelFrame);

        QWidget other; // stands in for the menu or the message box
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        simulate(2);
        other.hide();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCoreApplication::processEvents();
        QCOMPARE(app().mdiArea()->activeSubWindow(), g().subWindow());
        QCOMPARE(app().mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), g().subWindow());
        delete modelFrame;
    }

    void separatorListFollowsTrennzeichen()
    {
        simulate(2);
        struct Case {
            const char* before;
            int index;
            const char* after;
        } cases[] = {{" ", 0, ";"}, {",", 1, ","}, {"\t", 2, "\t"}, {";", 0, ";"}};
        for (const Case& c : cases) {
            d().Trennzeichen = c.before;
            g().Form_Activate();
            QCOMPARE(g().cmbSep->count(), 3);
            QCOMPARE(g().cmbSep->itemText(0), QString("Delimiter Semicolon"));
            QCOMPARE(g().cmbSep->itemText(2), QString("Delimiter Tab"));
            QCOMPARE(g().cmbSep->currentIndex(), c.index);
            QCOMPARE(d().Trennzeichen, std::string(c.after));
        }
        g().cmbSep->setCurrentIndex(2);
        QCOMPARE(d().Trennzeichen, std::string("\t"));
        // the single-point calculator's button belongs to the simulation charts
        QVERIFY(!g().cmdSingleCalc->isHidden());
        QVERIFY(g().cmdSingleCalc->isEnabled());
    }

    // ---- coordinates -----------------------------------------------------------------

    void coordinatesDialog()
    {
        simulate(2);
        const DiagrammInfo before = d().Diagramm;
        auto box = [this](int i) { return g().coord[static_cast<std::size_t>(i)]; };

        // equal limits are refused and the boxes show the old limits again
        g().mnuCoord_Click();
        QVERIFY(g().fraCoordInput->isVisible());
        QCOMPARE(box(2)->text(), QString(" 20"));
        box(1)->setText("3");
        box(2)->setText("3");
        g().cmdCoord_OK->click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].text, QString("Lower limit has to smaller than upper limit."));
        QCOMPARE(rec().messages[0].title, QString("INPUT ERROR"));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QCOMPARE(box(1)->text(), QString(" 0"));
        QCOMPARE(box(2)->text(), QString(" 20"));
        QVERIFY(g().fraCoordInput->isVisible());
        QVERIFY(d().Diagramm == before);

        // limits that differ as doubles but not as Singles are refused too
        box(3)->setText("1");
        box(4)->setText("1.00000001");
        g().cmdCoord_OK->click();
        QCOMPARE(rec().messages.size(), size_t(2));
        box(4)->setText("1E39");
        g().cmdCoord_OK->click();
        QCOMPARE(rec().messages.size(), size_t(3));
        QCOMPARE(rec().messages.back().title, QString("INPUT ERROR"));
        QVERIFY(d().Diagramm == before);

        // "1,5" typed becomes "1.5"; OK applies it and remembers it for the kind
        g().mnuCoord_Click();
        box(1)->clear();
        QTest::keyClicks(box(1), "1,5");
        QCOMPARE(box(1)->text(), QString("1.5"));
        QTest::keyClicks(box(1), "x"); // not a number key: dropped
        QCOMPARE(box(1)->text(), QString("1.5"));
        box(4)->setText("2");
        g().cmdCoord_OK->click();
        QCOMPARE(rec().messages.size(), size_t(3));
        QVERIFY(!g().fraCoordInput->isVisible());
        QCOMPARE(d().Diagramm.xMin, 1.5f);
        QCOMPARE(d().Diagramm.yMax, 2.0f);
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Min(), 1.5);
        QCOMPARE(chart().ChartArea().Axes(AxisId::Y).Max(), 2.0);
        QCOMPARE(d().AchsenBereiche[0], 1.5f); // t minimum of the concentration kind
        QCOMPARE(d().AchsenBereiche[3], 2.0f);
        QVERIFY(chart().ChartArea().Axes(AxisId::X).GridSpacing().IsAuto());

        // Enter in y(max) moves to x(min)
        g().mnuCoord_Click();
        g().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g().window()));
        box(4)->setFocus();
        QTest::keyClick(box(4), Qt::Key_Return);
        QVERIFY(box(1)->hasFocus());
        QCOMPARE(box(1)->selectedText(), box(1)->text());
        QTest::keyClick(box(1), Qt::Key_Return);
        QVERIFY(box(2)->hasFocus());

        // Cancel and Esc close the panel and keep the limits
        box(1)->setText("-5");
        g().cmdCoord_Esc->click();
        QVERIFY(!g().fraCoordInput->isVisible());
        g().mnuCoord_Click();
        box(1)->setText("-5");
        box(1)->setFocus();
        QTest::keyClick(box(1), Qt::Key_Escape);
        QVERIFY(!g().fraCoordInput->isVisible());
        QCOMPARE(d().Diagramm.xMin, 1.5f);
    }

    void addAndImageMenusHideEveryPanel()
    {
        simulate(2);
        for (QMenu* menu : {g().mnuBildsenden, g().mnuMark}) {
            g().mnuCoord_Click();
            g().mnuResolution_Click();
            g().mnuDesignMore_Click();
            g().mnuPrintIt_Click();
            QVERIFY(g().fraCoordInput->isVisible() && g().fraResolution->isVisible() && g().fraPrintIt->isVisible());
            emit menu->aboutToShow();
            QVERIFY(!g().fraCoordInput->isVisible());
            QVERIFY(!g().fraResolution->isVisible());
            QVERIFY(!g().fraPrintIt->isVisible());
            QVERIFY(!g().fraTabs->isVisible());
        }
    }

    // ---- print and image -------------------------------------------------------------

    void printAtTheGivenCentimetres()
    {
        simulate(9);
        chart().Interior().setBackgroundColor(RGB(200, 220, 255)); // the whole chart shows ink
        g().mnuPrintIt_Click();
        QVERIFY(g().fraPrintIt->isVisible());
        QCOMPARE(g().txtTop_in_cm->text(), QString(" 3"));
        QCOMPARE(g().txtLeft_in_cm->text(), QString(" 3.5"));
        QCOMPARE(g().txtHeight_in_cm->text(), QString(" 10"));
        QCOMPARE(g().txtWidth_in_cm->text(), QString(" 15"));
        g().cmdPrintIt->click();
        QCOMPARE(rec().printed.size(), size_t(1));
        const RecordingServices::PrintedDocument& doc = rec().printed[0];
        QCOMPARE(doc.pages.size(), size_t(1));
        // 96 dots per inch: left 3.5 cm = 132.3, top 3 cm = 113.4, 15 x 10 cm = 566.9 x 378
        const QRect ink = InkBox(doc.pages[0]);
        QVERIFY2(std::abs(ink.left() - 132) <= 1 && std::abs(ink.top() - 113) <= 1,
                 qPrintable(QString("ink at %1,%2").arg(ink.left()).arg(ink.top())));
        QVERIFY2(std::abs(ink.width() - 567) <= 2 && std::abs(ink.height() - 378) <= 2,
                 qPrintable(QString("ink %1 x %2").arg(ink.width()).arg(ink.height())));

        // a printer of another resolution gets the same centimetres: 300 dots per
        // inch put the chart at 413.4, 354.3 and make it 1771.7 x 1181.1 dots
        {
            QImage page(2480, 3508, QImage::Format_RGB32);
            page.setDotsPerMeterX(11811);
            page.setDotsPerMeterY(11811);
            page.fill(Qt::white);
            QPainter p(&page);
            QVERIFY(!doc.request.paint(p, 0));
            p.end();
            const QRect hi = InkBox(page);
            QVERIFY2(std::abs(hi.left() - 413) <= 2 && std::abs(hi.top() - 354) <= 2,
                     qPrintable(QString("ink at %1,%2").arg(hi.left()).arg(hi.top())));
            QVERIFY2(std::abs(hi.width() - 1772) <= 4 && std::abs(hi.height() - 1181) <= 4,
                     qPrintable(QString("ink %1 x %2").arg(hi.width()).arg(hi.height())));
        }

        // the same drawing on a PDF page
        QTemporaryDir dir;
        const QString pdf = dir.filePath("chart.pdf");
        {
            QPdfWriter writer(pdf);
            writer.setResolution(600);
            QPainter p(&writer);
            QVERIFY(!doc.request.paint(p, 0)); // one page
        }
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");
        QVERIFY(f.size() > 2000);

        // a size that is not positive is refused
        g().txtWidth_in_cm->setText("0");
        g().cmdPrintIt->click();
        QCOMPARE(rec().printed.size(), size_t(1));
        QCOMPARE(rec().messages.back().title, QString("INPUT ERROR"));

        g().cmdPrint_Esc->click();
        QVERIFY(!g().fraPrintIt->isVisible());
    }

    void imageSavedFromThePanel()
    {
        simulate(9);
        QTemporaryDir dir;
        const QString svg = dir.filePath("diagram.svg");
        rec().saveAnswers.push_back(svg);
        rec().saveTypeAnswers.push_back(3); // SVG
        g().mnuPrintIt_Click();
        g().cmdSaveImage->click();
        QCOMPARE(rec().saveRequests.size(), size_t(1));
        QVERIFY(rec().saveRequests[0].filter.contains("*.svg"));
        QFile f(svg);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("polyline") || text.contains("path"));
        QCOMPARE(rec().messages.size(), size_t(0));

        // a name without extension gets the chosen type's: PNG ...
        rec().saveAnswers.push_back(dir.filePath("diagram"));
        g().cmdSaveImage->click();
        QImage png(dir.filePath("diagram.png"));
        QVERIFY(!png.isNull());
        QCOMPARE(png.size(), g().Chart2D1->size());
        QVERIFY(!QFile::exists(dir.filePath(".png")));
        // ... or PDF: a PDF file, not a PNG
        rec().saveAnswers.push_back(dir.filePath("report"));
        rec().saveTypeAnswers.push_back(4);
        g().cmdSaveImage->click();
        QFile pdf(dir.filePath("report.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(!QFile::exists(dir.filePath("report.png")));
        // the type decides also against another extension typed
        rec().saveAnswers.push_back(dir.filePath("diagram.gif"));
        rec().saveTypeAnswers.push_back(2);
        g().cmdSaveImage->click();
        QVERIFY(QFile::exists(dir.filePath("diagram.gif.bmp")));
        QVERIFY(!QImage(dir.filePath("diagram.gif.bmp"), "BMP").isNull());
        QCOMPARE(rec().messages.size(), size_t(0));

        // an existing file: asked about the file that will be written; No
        // shows the dialog again, which may be cancelled
        const QDateTime written = QFileInfo(dir.filePath("report.pdf")).lastModified();
        rec().saveAnswers = {dir.filePath("report"), std::nullopt};
        rec().saveTypeAnswers = {4};
        rec().msgAnswers.push_back(MsgAnswer::No);
        g().cmdSaveImage->click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].text, QString("report.pdf already exists.\r\nDo you want to replace it?"));
        QCOMPARE(rec().saveRequests.back().fileName, dir.filePath("report.pdf"));
        QCOMPARE(rec().saveRequests.back().filterIndex, 4);
        QVERIFY(!rec().saveRequests.back().overwritePrompt);
        QCOMPARE(QFileInfo(dir.filePath("report.pdf")).lastModified(), written);
    }

    // "Save Image ..." writes PDF beside PNG, BMP and SVG: a page of the size
    // in the panel's boxes.
    void imageSavedAsPdf()
    {
        simulate(2);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("diagram.pdf");
        rec().saveAnswers.push_back(pdf);
        rec().saveTypeAnswers = {4, 4};
        g().mnuPrintIt_Click();
        g().txtWidth_in_cm->setText("12.7");
        g().txtHeight_in_cm->setText("8.89");
        g().cmdSaveImage->click();
        QCOMPARE(rec().messages.size(), size_t(0));
        QVERIFY(rec().saveRequests[0].filter.contains("*.pdf"));
        for (const char* ext : {"*.png", "*.bmp", "*.svg"}) QVERIFY(rec().saveRequests[0].filter.contains(ext));
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // 12.7 x 8.89 cm is 360 x 252 points
        const QRegularExpressionMatch box =
            QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(QString::fromLatin1(bytes));
        QVERIFY(box.hasMatch());
        QCOMPARE(qRound(box.captured(1).toDouble()), 360);
        QCOMPARE(qRound(box.captured(2).toDouble()), 252);

        // boxes that give no size on paper: a message and no file
        rec().saveAnswers.push_back(dir.filePath("bad.pdf"));
        g().txtWidth_in_cm->setText("0");
        g().cmdSaveImage->click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QVERIFY(!QFile::exists(dir.filePath("bad.pdf")));
    }

    // A handler of the window that throws shows the description in a message,
    // and the window goes on.
    void aThrowingHandlerIsShownAndTheWindowGoesOn()
    {
        simulate(2);
        QTemporaryDir dir;
        bool thrown = false;
        rec().onMessage = [&thrown](const MessageRequest&) {
            if (thrown) return;
            thrown = true;
            throw std::runtime_error("the image writer failed");
        };
        rec().saveAnswers.push_back(dir.filePath("no such folder/diagram.png")); // a message, which throws
        g().mnuPrintIt_Click();
        g().cmdSaveImage->click();
        QCOMPARE(rec().messages.size(), size_t(2));
        QCOMPARE(rec().messages[1].text, QString("the image writer failed"));
        QVERIFY(rec().messages[1].icon == MsgIcon::Critical);
        rec().saveAnswers.push_back(dir.filePath("diagram.png"));
        g().cmdSaveImage->click();
        QVERIFY(QFile::exists(dir.filePath("diagram.png")));
    }

    void loadGivesTheStartDesign()
    {
        simulate(9);
        const Chart2D& c = chart();
        QCOMPARE(c.ChartGroups(1).Data().NumSeries(), 27);
        QCOMPARE(c.ChartGroups(2).Data().NumSeries(), 7);
        // full dotted grid in the white preset's grey, transparent-free legend
        QCOMPARE(c.ChartArea().Axes(AxisId::X).GridStyle().Pattern(), int(LinePattern::Dotted));
        QCOMPARE(c.ChartArea().Axes(AxisId::Y).GridStyle().Pattern(), int(LinePattern::Dotted));
        QCOMPARE(c.ChartArea().Axes(AxisId::X).GridStyle().Color(), RGB(143, 143, 143));
        QVERIFY(!c.Legend().Interior().IsTransparent());
        QCOMPARE(c.Legend().Interior().BackgroundColor(), RGB(255, 255, 255));
        QCOMPARE(c.Border().Type(), int(BorderType::None));
        QVERIFY(c.ChartArea().PlotArea().IsBoxed());
        QCOMPARE(c.ChartArea().Axes(AxisId::Y).Title().Rotation(), int(Rotation::Up));
        QCOMPARE(c.ChartArea().Axes(AxisId::X).Min(), double(d().Diagramm.xMin));
        QCOMPARE(c.ChartArea().Axes(AxisId::Y).Max(), double(d().Diagramm.yMax));
        // the six spacing boxes show the automatic spacings
        QCOMPARE(g().fraTabs->txtXGridValue->text(), QString(" 5")); // t from 0 to 20
        QCOMPARE(g().Label54->text(), QString("300"));
        // menus
        QCOMPARE(g().mnuDesign->title(), QString("&Design ..."));
        QCOMPARE(g().mnuBildsenden->title(), QString("  &Image ..."));
        QCOMPARE(g().mnuCoord->text(), QString("C&oordinates"));
        QCOMPARE(g().mnuHaupt->text(), QString("to &Main Menu"));
        QCOMPARE(g().mnuHalbA->text(), QString("Half-life of A"));
        QVERIFY(!g().mnuAddPunkte->isEnabled()); // no measured data

        // the enzyme model names its half-lives E and S
        d().MMDiagramm = false;
        simulate(10);
        QCOMPARE(g().mnuHalbA->text(), QString("Half-life of E"));
        QCOMPARE(g().mnuHalbB->text(), QString("Half-life of S"));
        QCOMPARE(chart().ChartLabels(2).Text(), std::string("c(S) "));
    }

    // ---- evaluation plots ------------------------------------------------------------

    void evaluationPlotsShowPointsLineAndResult()
    {
        struct Case {
            int code;
            int model;
            std::function<void(TestFrmGraph2D&)> data;
            QString text;     // the exact status text, or
            QString prefix;   // its beginning, a number near `value`, and its end
            double value;
            QString suffix;
            int set; // point set of the measured points
        };
        const std::vector<Case> cases = {
            {-5, 2,
             [](TestFrmGraph2D& t) {
                 std::vector<ExpPunkt> p;
                 for (int i = 0; i <= 12; ++i) p.push_back(CtPoint({.t = double(i), .A = std::exp(-0.25 * i)}));
                 t.setPoints(p);
             },
             "Result: {k} = 0.25   (R^2 = 1.00000)", {}, 0, {}, 1},
            {-6, 3,
             [](TestFrmGraph2D& t) {
                 std::vector<ExpPunkt> p;
                 for (int i = 0; i <= 8; ++i) p.push_back(CtPoint({.t = double(i), .A = 1.0 / (2 + 0.5 * i)}));
                 t.setPoints(p);
             },
             "Result: {k} = 0.25   (R^2 = 1.00000)", {}, 0, {}, 1},
            {-8, 4,
             [](TestFrmGraph2D& t) {
                 const double A0 = 0.2, B0 = 0.1, k = 3, D = A0 - B0;
                 std::vector<ExpPunkt> p;
                 for (int i = 0; i <= 10; ++i) {
                     const double B = D / (A0 / B0 * std::exp(D * k * 0.5 * i) - 1.0);
                     p.push_back(CtPoint({.t = 0.5 * i, .A = B + D, .B = B}));
                 }
                 t.setPoints(p);
             },
             "Result: {k} = 3   (R^2 = 1.00000)", {}, 0, {}, 1},
            {-7, 2,
             [](TestFrmGraph2D& t) {
                 // t/U = 100 + 0.75 t: n = 1.5, k = 1/100 with c(A)(0) = 1
                 std::vector<ExpPunkt> p;
                 for (int i = 0; i <= 10; ++i) {
                     const double ti = 0.5 * i;
                     p.push_back(CtPoint({.t = ti, .A = i == 0 ? 1.0 : 1.0 - ti / (100 + 0.75 * ti)}));
                 }
                 t.setPoints(p);
             },
             "Result: n = 1.5;  k = 0.01   (R^2 = 1.00000)", {}, 0, {}, 1},
            {-11, 3,
             [](TestFrmGraph2D& t) {
                 // lambda(inf)/(lambda(inf) - lambda) = 1 + 0.5 t, c(A)(0) = 0.5:
                 // k = 0.5/(0.5 * 1) for 2A => P halved
                 t.d().LambdaUnendlich = 16;
                 t.d().Lambda0 = 0;
                 t.setPoints({LambdaPoint({.t = 0, .lambda = 0, .A = 0.5}), LambdaPoint({.t = 2, .lambda = 8}),
                              LambdaPoint({.t = 6, .lambda = 12}), LambdaPoint({.t = 14, .lambda = 14})});
                 t.d().Lambda0 = 0; // given as 0: not used
             },
             "Result: {k} = 0.5   (R^2 = 1.00000)", {}, 0, {}, 1},
            {-10, 2,
             [](TestFrmGraph2D& t) {
                 // (lambda(inf) - lambda)/(lambda(inf) - lambda(0)) = 2^-t: k = ln 2
                 t.d().LambdaUnendlich = 16;
                 t.setPoints({LambdaPoint({.t = 0, .lambda = 8}), LambdaPoint({.t = 1, .lambda = 12}),
                              LambdaPoint({.t = 2, .lambda = 14}), LambdaPoint({.t = 3, .lambda = 15}),
                              LambdaPoint({.t = 4, .lambda = 15.5f})});
             },
             {}, "Result: {k} = ", std::log(2.0), "   (R^2 = 1.00000)", 1},
            {-3, 2,
             [](TestFrmGraph2D& t) {
                 std::vector<ExpPunkt> p;
                 for (double T = 300; T <= 400; T += 20)
                     p.push_back(KTPoint({.T = T, .k = 1e10 * std::exp(-50000 / (8.3145 * T))}));
                 t.setPoints(p);
             },
             {}, "Result: EA/ (kJ/mol) = 50.00;  A = ", 1e10, "   (R^2 = 1.00000)", 6},
            {-4, 2,
             [](TestFrmGraph2D& t) {
                 // k = (kB T/h) exp(s#/R) exp(-h#/(R T)), h# = 60 kJ/mol, s# = -50 J/(mol K)
                 const double kB = 1.38066e-23, h = 6.62618e-34, R = 8.3145;
                 std::vector<ExpPunkt> p;
                 for (int T = 300; T <= 400; T += 20)
                     p.push_back(KTPoint({.T = double(T),
                                          .k = kB * T / h * std::exp(-50 / R) * std::exp(-60000 / (R * T))}));
                 t.setPoints(p);
             },
             "Result: h#/(kJ/mol) = 60.00;  s#/(J/mol*K) = -50.0NOTE: s# is correct only if unit [t] = s for k "
             "   (R^2 = 1.00000)",
             {}, 0, {}, 6},
        };
        for (const Case& c : cases) {
            rec().messages.clear();
            d().Lambda0 = 0;
            c.data(*this);
            openEvaluation(c.code, c.model);
            const QString label = QString("code %1").arg(c.code);
            QVERIFY2(rec().messages.empty(),
                     qPrintable(label + ": " + (rec().messages.empty() ? QString() : rec().messages[0].text)));
            const QString status = g().statusText();
            if (!c.text.isEmpty()) {
                QCOMPARE(status, c.text);
            } else {
                QVERIFY2(status.startsWith(c.prefix) && status.endsWith(c.suffix), qPrintable(label + ": " + status));
                const double v = status.mid(c.prefix.size()).split(' ')[0].toDouble();
                QVERIFY2(std::fabs(v - c.value) <= 1e-5 * std::fabs(c.value), qPrintable(label + ": " + status));
            }
            // the line: one curve over the visible range plus one step
            QCOMPARE(d().KurvenAnzahl, 1);
            QCOMPARE(chart().ChartGroups(1).Data().NumPoints(1), 122);
            QVERIFY(chart().ChartGroups(1).Data().X(1, 122) > d().Diagramm.xMax);
            // the points
            QCOMPARE(chart().ChartGroups(2).Data().NumPoints(c.set), d().AnzahlPunkte - (c.code == -11 || c.code == -7));
        }
    }

    void firstOrderDataFileEvaluatedWithTheLineOverThePoints()
    {
        // A data file of first-order measurements, c(A) = exp(-0.1 t) for t = 0 .. 20 s.
        QTemporaryDir dir;
        const QString file = dir.filePath("first order.KV3");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray text = "decay of A\r\ns\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, "
                              "exclude(0|-1)\r\n11\r\n";
            for (int i = 0; i <= 10; ++i)
                text += QString("%1,%2,0,0,0,0,0,0,0,0,0,0,0\r\n")
                            .arg(2 * i)
                            .arg(std::exp(-0.2 * i), 0, 'g', 15)
                            .toUtf8();
            f.write(text);
        }
        std::string error;
        KinNotifyNone quiet;
        QVERIFY2(LoadDataFile(d(), file.toStdString(), false, error, quiet), error.c_str());
        AnalyzeExpData(d());
        GetStartConcFromData(d());
        QVERIFY(d().ctDaten);

        // what "... for 1st order  A => P" of the c-t evaluation menu does
        d().Arbeitsmodus = 0;
        d().LambdaAuswertung = false;
        d().GleicheStartkonz = false;
        app().unload<frmGraph2D>();
        d().ModellNr = 2;
        d().DiagrammTyp = -5;
        CalcExpDataRanges(d(), -5, true);
        SetDiagramTitles();
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        QCOMPARE(g().statusText(), QString("Result: {k} = 0.1   (R^2 = 1.00000)"));
        QVERIFY(std::fabs(d().k[1] - 0.1) < 1e-7);
        QCOMPARE(chart().Header().Text(), std::string("evaluation of c-t data according to 1st order: A => P"));

        // the eleven points ln c(A) over t and the line, as they are drawn
        const ChartData& points = chart().ChartGroups(2).Data();
        QCOMPARE(points.NumPoints(1), 11);
        for (int j = 1; j <= 11; ++j) QVERIFY(std::fabs(points.Y(1, j) + 0.1 * points.X(1, j)) < 1e-5);
        const QPixmap shot = g().Chart2D1->grab();
        const SeriesLayout* line = nullptr;
        const SeriesLayout* marks = nullptr;
        for (const SeriesLayout& sl : g().Chart2D1->lastLayout().series) {
            if (sl.group == 1 && sl.series == 1) line = &sl;
            if (sl.group == 2 && sl.series == 1) marks = &sl;
        }
        QVERIFY(line && marks);
        QCOMPARE(marks->symbols.size(), size_t(11));
        QVERIFY(!line->runs.empty());
        // every symbol centre lies on the drawn line (within a pixel)
        for (const PointF& p : marks->symbols)
            QVERIFY2(DistanceToRuns(line->runs, p) < 1.0,
                     qPrintable(QString("point at %1,%2 is %3 px off the line")
                                    .arg(p.x)
                                    .arg(p.y)
                                    .arg(DistanceToRuns(line->runs, p))));
        // the line spans the plot from left to right, the points lie inside it
        QVERIFY(line->runs.front().front().x <= marks->symbols.front().x);
        QVERIFY(line->runs.back().back().x >= marks->symbols.back().x);
        const QString shots = qEnvironmentVariable("KINHOM_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QVERIFY(g().grab().save(shots + "/evaluation-code-5.png"));
            QVERIFY(shot.save(shots + "/evaluation-code-5-chart.png"));
        }
    }

    void evaluationWithoutALineGivesItsSlotBack()
    {
        // k-T data at one temperature: the active points do not determine a line
        setPoints({KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.2})});
        openEvaluation(-3, 2);
        QCOMPARE(g().statusText(),
                 QString("No evaluation possible: the active points do not determine a straight line"));
        QCOMPARE(d().KurvenAnzahl, 0);
        QVERIFY(g().KurveFrei[1]);
        QCOMPARE(d().KurvenZuZeichnen, 0);
        QCOMPARE(chart().ChartGroups(1).Data().NumPoints(1), 0);

        // code -8 without a point at t = 0: "Aborted" with the cause
        rec().messages.clear();
        setPoints({CtPoint({.t = 1, .A = 0.2, .B = 0.1}), CtPoint({.t = 2, .A = 0.18, .B = 0.08}),
                   CtPoint({.t = 3, .A = 0.17, .B = 0.07})});
        openEvaluation(-8, 4);
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Aborted"));
        QCOMPARE(g().statusText(), QString());
        QCOMPARE(d().KurvenAnzahl, 0);
        QVERIFY(g().KurveFrei[1]);
    }

    void addExperimentalPointsChecksTheData()
    {
        // a c-t chart of A => P and measured data of B only: nothing fits
        setPoints({CtPoint({.t = 0, .A = 0, .B = 1.0}), CtPoint({.t = 5, .A = 0, .B = 0.5})});
        simulate(2);
        rec().messages.clear();
        g().mnuAddPunkte_Click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QCOMPARE(rec().messages[0].text, QString("For this diagram no c-t points are loaded.\r\nDo load concentration "
                                                 "data from file or do use the Data Editor for input."));
        for (int j = 1; j <= 7; ++j) QCOMPARE(chart().ChartGroups(2).Data().NumPoints(j), 0);

        // c(A) data on the same chart are added, in the preset colour
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5})});
        d().Vorwahlfarbe = RGB(255, 0, 0);
        g().PunkteTab[1].txtLegendPoints = "measured";
        rec().messages.clear();
        g().mnuAddPunkte_Click();
        QCOMPARE(rec().messages.size(), size_t(0));
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 2);
        QVERIFY(g().PunkteTab[1].available);
        QCOMPARE(chart().ChartGroups(2).Styles(1).SymbolStyle().Color(), RGB(255, 0, 0));
        QCOMPARE(chart().ChartGroups(2).SeriesLabels().Item(1), std::string("measured"));
    }
};

QTEST_MAIN(TestFrmGraph2D)
#include "test_frmgraph2d.moc"
