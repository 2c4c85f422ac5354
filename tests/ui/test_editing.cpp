// The chart window's editing commands and files: deleting curves, point sets,
// labels and the legend, half-life marks, diagram files, and a curve exported to
// the clipboard and to a curve point file.

#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <cmath>
#include <filesystem>

#include "core/chart/chart2d.h"
#include "core/chart/chartcontent.h"
#include "core/chart/curveexport.h"
#include "core/chart/diagramfile.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "chart_fixture.h"
#include "ui/chart/chartview.h"
#include "ui/chart/frakurven.h"
#include "ui/chart/fraschrift.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using kinhom::test::CtPoint;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A snapshot of a chart's whole content.
std::unique_ptr<Chart2D> Snapshot(const Chart2D& chart)
{
    auto copy = std::make_unique<Chart2D>();
    copy->assignContent(chart);
    return copy;
}

} // namespace

class TestEditing : public QObject, public test::ChartFixture {
    Q_OBJECT

    const ChartData& curves() { return chart().ChartGroups(1).Data(); }
    const ChartData& points() { return chart().ChartGroups(2).Data(); }
    QString path(const QString& name) { return fx->filePath(name); }
    char dec() const { return App::localeDecimalSign() == "," ? ',' : '.'; }

    // The curve panel's tab control (tab i - 1 of curve slot i).
    QTabWidget* curveTabs() { return g().fraKurven->tabKurven; }
    // Selects the tab of slot i with `caption` (the panel captions the tabs of
    // the slots in use "C.1" ... when it opens).
    void selectCurveTab(int slot, const QString& caption)
    {
        QTabWidget* tabs = curveTabs();
        tabs->setTabText(slot - 1, caption);
        tabs->setTabVisible(slot - 1, true);
        tabs->setTabEnabled(slot - 1, true);
        tabs->setCurrentIndex(slot - 1);
    }
    QWidget* panel(const char* name)
    {
        QWidget* w = g().findChild<QWidget*>(name);
        Q_ASSERT(w);
        return w;
    }
    QImage picture() { return g().Chart2D1->renderImage(QSize(640, 480)); }

private slots:
    void init()
    {
        start(1000, 750);
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { stop(); }

    // ---- deleting curves ---------------------------------------------------------------

    void deletingCurveTwoOfThreeByItsTab()
    {
        simulate(4); // A + B => P: slots 1 to 3
        QCOMPARE(d().KurvenAnzahl, 3);
        g().mnuKurvenDesign_Click(); // the panel opens on the tab "C.1"
        QCOMPARE(curveTabs()->tabText(1), QString("C.2"));
        curveTabs()->setCurrentIndex(1);
        g().fraKurven->cmdDelKurv->click();
        QCOMPARE(d().KurvenAnzahl, 2);
        QVERIFY(g().KurveFrei[2]);
        QCOMPARE(curves().NumPoints(2), 0);
        QCOMPARE(curves().Display(2), int(DisplayState::Hidden));
        QCOMPARE(chart().ChartLabels(2).Text(), std::string("2"));
        QVERIFY(!g().KurvenTab[2].available);
        QVERIFY(!curveTabs()->isTabEnabled(1));
        QVERIFY(!g().mnuSubDelKurv[2]->isEnabled());
        QVERIFY(g().mnuDelKurv->isEnabled());
        // the other curves stay
        QCOMPARE(curves().NumPoints(1), 201);
        QCOMPARE(curves().NumPoints(3), 201);

        // deleting the same slot again leaves the count of the curves that exist
        g().DeleteCurves(2);
        QCOMPARE(d().KurvenAnzahl, 2);
        // a tab whose caption names no curve deletes nothing (not every curve)
        selectCurveTab(4, "");
        g().cmdDelKurv_Click();
        QCOMPARE(d().KurvenAnzahl, 2);
        QCOMPARE(curves().NumPoints(1), 201);

        // the next curve goes into slot 2
        d().KurvenZuZeichnen = 1;
        g().DrawCurves();
        QCOMPARE(d().KurvenAnzahl, 3);
        QCOMPARE(curves().NumPoints(2), 201);
        QCOMPARE(curves().Display(2), int(DisplayState::Shown));
        QVERIFY(g().KurveFrei[4]);

        // deleting the last curves one by one: no curve to design or delete is left
        QWidget* fraKurven = g().fraKurven;
        g().mnuKurvenDesign_Click();
        QVERIFY(!fraKurven->isHidden());
        g().mnuDelete_Click(); // the menu opens with the items of the slots in use
        for (int slot : {1, 2, 3}) g().mnuSubDelKurv[std::size_t(slot)]->trigger();
        QCOMPARE(d().KurvenAnzahl, 0);
        QVERIFY(fraKurven->isHidden());
        QVERIFY(!g().mnuDelKurv->isEnabled());
        QVERIFY(!g().mnuDelLabels->isEnabled());
    }

    void deletingAllCurvesRenumbersTheLabelsAndKeepsWhetherTheyShow()
    {
        simulate(9); // four curves
        chart().ChartLabels(3).setIsShowing(false);
        g().DeleteCurves(0);
        QCOMPARE(d().KurvenAnzahl, 0);
        for (int i = 1; i <= 24; ++i) {
            QVERIFY(g().KurveFrei[std::size_t(i)]);
            QCOMPARE(curves().NumPoints(i), 0);
            QCOMPARE(curves().Display(i), int(DisplayState::Excluded));
            QCOMPARE(chart().ChartLabels(i).Text(), std::to_string(i));
            QCOMPARE(chart().ChartLabels(i).IsShowing(), i != 3);
        }
        QVERIFY(!g().mnuDelKurv->isEnabled());
        QVERIFY(!g().mnuDelLabels->isEnabled());
    }

    // ---- point sets, labels, legend ----------------------------------------------------------

    void deletingPointSets()
    {
        setPoints({CtPoint({.t = 0, .A = 1.0, .B = 0.9}), CtPoint({.t = 5, .A = 0.5, .B = 0.7}),
                   CtPoint({.t = 10, .A = 0.25, .B = 0.45})});
        d().MitPunkten = true;
        simulate(4); // sets c(A) and c(B)
        const int inSet1 = points().NumPoints(1);
        QVERIFY(inSet1 > 0);
        QVERIFY(points().NumPoints(2) > 0);
        g().PunkteTab[1].available = g().PunkteTab[2].available = true;
        chart().ChartGroups(2).SeriesLabels().setItem(2, "B measured");

        // the delete button of the point tab of set 2
        g().mnuSubDelPoints[2]->setEnabled(true);
        g().cmdDelPoints_Click(2);
        QCOMPARE(points().NumPoints(2), 0);
        QCOMPARE(points().NumPoints(1), inSet1);
        QCOMPARE(chart().ChartGroups(2).SeriesLabels().Item(2), std::string());
        QVERIFY(!g().mnuSubDelPoints[2]->isEnabled());
        QVERIFY(!g().PunkteTab[2].available);
        QVERIFY(g().PunkteTab[1].available);

        // "all" hides the three design panels, also when no set is left
        g().mnuDelete_Click();
        QVERIFY(g().mnuSubDelPoints[0]->isEnabled());
        g().mnuSubDelPoints[0]->trigger();
        QCOMPARE(points().NumPoints(1), 0);
        QVERIFY(!g().PunkteTab[1].available);
        QCOMPARE(chart().ChartGroups(2).SeriesLabels().Count(), 7);
        const char* frames[] = {"fraKurven", "fraTabs", "fraPunkte"};
        for (const char* f : frames) panel(f)->show();
        g().mnuSubDelPoints_Click(0);
        for (const char* f : frames) QVERIFY2(panel(f)->isHidden(), f);
    }

    void labelsAndLegend()
    {
        simulate(4);
        // curve labels off and on
        g().mnuDelLabels->trigger();
        for (int i = 1; i <= 24; ++i) {
            QVERIFY(!chart().ChartLabels(i).IsShowing());
            QVERIFY(!g().KurvenTab[std::size_t(i)].chkEinzelLabelSichtbar);
            QVERIFY(!g().fraKurven->chkEinzelLabelSichtbar[std::size_t(i)]->isChecked());
        }
        QVERIFY(g().mnuAddLabels->isEnabled());
        QVERIFY(!g().mnuDelLabels->isEnabled());
        g().mnuAddLabels->trigger();
        QVERIFY(chart().ChartLabels(2).IsShowing());
        QVERIFY(g().fraKurven->chkEinzelLabelSichtbar[2]->isChecked());
        QVERIFY(g().KurvenTab[2].chkEinzelLabelSichtbar);
        QVERIFY(g().mnuDelLabels->isEnabled());

        // the marker texts of the half-life marks go, the curve labels stay
        chart().ChartLabels(26).setIsShowing(true);
        chart().ChartLabels(27).setIsShowing(true);
        g().mnuDelMarkLabels->trigger();
        QVERIFY(!chart().ChartLabels(26).IsShowing());
        QVERIFY(!chart().ChartLabels(27).IsShowing());
        QVERIFY(chart().ChartLabels(1).IsShowing());

        // the legend hidden, then asked back without any legend text: refused
        g().mnuDelLegend_Click();
        QVERIFY(!chart().Legend().IsShowing());
        QVERIFY(!g().fraLabelLegend->chkLegend->isChecked());
        for (QCheckBox* b : g().fraKurven->chkLegend1) QVERIFY(!b->isChecked());
        QVERIFY(!g().fraPunkte->chkLegend2[7]->isChecked());
        QVERIFY(!g().mnuDelLegend->isEnabled());
        QVERIFY(!g().mnuDelLegendZeile->isEnabled());
        QVERIFY(g().mnuAddLegend->isEnabled());
        for (int i = 1; i <= 24; ++i) QCOMPARE(chart().ChartGroups(1).SeriesLabels().Item(i), std::string());
        g().mnuAddLegend->trigger();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QCOMPARE(rec().messages[0].text,
                 QString("No legend texts given\r\n\r\n=> Designing Curve\r\n=> Designing experimental points"));
        QVERIFY(!chart().Legend().IsShowing());
        QVERIFY(g().mnuAddLegend->isEnabled());

        // a legend text of a point set is enough
        g().fraPunkte->txtLegendPoints[3]->setText("c(C) measured");
        g().mnuAddLegend->trigger();
        QCOMPARE(rec().messages.size(), size_t(1));
        QVERIFY(chart().Legend().IsShowing());
        QVERIFY(g().fraLabelLegend->chkLegend->isChecked());
        QVERIFY(g().fraKurven->chkLegend1[23]->isChecked());
        QVERIFY(g().mnuDelLegend->isEnabled());
        QVERIFY(g().mnuDelLegendZeile->isEnabled());
        QVERIFY(!g().mnuAddLegend->isEnabled());

        // "Selected lines of the legend" only explains
        g().mnuDelLegendZeile->trigger();
        QCOMPARE(rec().messages.size(), size_t(2));
        QCOMPARE(rec().messages[1].title, QString("Hint"));
        QVERIFY(rec().messages[1].icon == MsgIcon::Information);
        QCOMPARE(rec().messages[1].text,
                 QString("So you remove a single line from the legend:\r\n1st:  Go to menu 'Designing Exper. points' "
                         "or 'Designing Curve'\r\n2nd: Select number of set for points or curve\r\n3rd:  Erase the "
                         "legend text "));
        QVERIFY(chart().Legend().IsShowing());
    }

    // ---- half-life marks ----------------------------------------------------------------

    void halfLifeMenuByModel()
    {
        struct Case {
            int model;
            const char* a;
            const char* b;
            bool enabledB;
        } cases[] = {{2, "Half-life of A", "Half-life of B", false},
                     {10, "Half-life of E", "Half-life of S", true},
                     {18, "Half-life of A", "Half-life of B", true},
                     {20, "Half-life of A", "Half-life of B", false}};
        for (const Case& c : cases) {
            simulate(c.model);
            QCOMPARE(g().mnuHalbA->text(), QString(c.a));
            QCOMPARE(g().mnuHalbB->text(), QString(c.b));
            QVERIFY(g().mnuHalbA->isEnabled());
            QCOMPARE(g().mnuHalbB->isEnabled(), c.enabledB);
        }
        // a chart of measured points offers no half-life
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5})});
        d().DiagrammTyp = -1;
        app().unload<frmGraph2D>();
        CalcExpDataRanges(d(), -1, true);
        SetDiagramTitles();
        QVERIFY(!g().mnuHalbA->isEnabled());
        QVERIFY(!g().mnuHalbB->isEnabled());
    }

    void halfLifeMarkReplacedRemovedAndShownAgain()
    {
        d().Vorwahlfarbe = RGB(200, 0, 50);
        simulate(2); // A => P, k1 = 0.15 per s
        QVERIFY(!g().mnuDelHalbAB->isEnabled());
        g().mnuHalbA->trigger();
        // tau = ln 2 / 0.15 = 4.6209812 s
        const QString sep(dec());
        QCOMPARE(g().statusText(), "Half-life tau(A) = 4" + sep + "62 s");
        QCOMPARE(curves().NumPoints(26), 2);
        QCOMPARE(curves().X(26, 1), double(float(std::log(2.0) / 0.15)));
        QCOMPARE(curves().X(26, 2), curves().X(26, 1));
        QCOMPARE(curves().Y(26, 1), -10000.0);
        QCOMPARE(curves().Y(26, 2), 10000.0);
        QCOMPARE(curves().Display(26), int(DisplayState::Shown));
        QCOMPARE(chart().ChartGroups(1).Styles(26).LineStyle().Color(), RGB(200, 0, 50));
        QVERIFY(!chart().ChartLabels(26).IsShowing());
        QVERIFY(g().mnuDelHalbAB->isEnabled());
        QVERIFY(g().mnuDelTotal->isEnabled());

        // a second request replaces the mark; a large tau keeps its integer digits
        d().k[1] = std::log(2.0) / 12345.678;
        d().Zeiteinheit = "min";
        g().mnuHalbA->trigger();
        QCOMPARE(g().statusText(), "Half-life tau(A) = 12345" + sep + "68 min");
        QCOMPARE(curves().NumPoints(26), 2);
        QCOMPARE(curves().X(26, 1), double(float(12345.678)));

        // Delete > Mark half-lives: mark and status line cleared
        g().mnuDelHalbAB->trigger();
        QCOMPARE(curves().NumPoints(26), 0);
        QCOMPARE(g().statusText(), QString());
        QVERIFY(!g().mnuDelHalbAB->isEnabled());

        // after Delete > All a new request shows its mark again
        g().mnuHalbA->trigger();
        g().mnuDelTotal->trigger();
        QCOMPARE(curves().NumPoints(26), 0);
        QCOMPARE(g().statusText(), QString());
        g().mnuHalbA->trigger();
        QCOMPARE(curves().NumPoints(26), 2);
        QCOMPARE(curves().Display(26), int(DisplayState::Shown));
        QVERIFY(rec().messages.empty());
    }

    void halfLifeThatIsNotReachedKeepsTheEarlierMark()
    {
        simulate(4); // A + B => P
        g().mnuHalbA->trigger();
        QCOMPARE(curves().NumPoints(26), 2);
        const double x = curves().X(26, 1);
        QVERIFY(x > 0);
        // B runs out before A is halved
        d().c0[2] = 0.3 * d().c0[1];
        g().mnuHalbA->trigger();
        QCOMPARE(g().statusText(), QString("c(A) = c(A)(0)/2 can not be reached under this conditions "));
        QCOMPARE(curves().NumPoints(26), 2);
        QCOMPARE(curves().X(26, 1), x);
        // B's half-life exists: its mark is series 27
        g().mnuHalbB->trigger();
        QCOMPARE(curves().NumPoints(27), 2);
        QVERIFY(g().statusText().startsWith("Half-life tau(B) = "));

        // a routine that has shown its own message leaves the status line
        simulate(8); // A <=> P; the equilibrium lies above half of A(0)
        d().k[1] = 0.1;
        d().k[2] = 0.5;
        g().setStatusText("before");
        rec().messages.clear();
        g().mnuHalbA->trigger();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(g().statusText(), QString("before"));
        QCOMPARE(curves().NumPoints(26), 0);
    }

    // ---- diagram files ------------------------------------------------------------------

    void saveDeleteAllAndLoadGiveTheSameChart()
    {
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
        d().MitPunkten = true;
        simulate(9); // slots 1 to 4, measured c(A) in set 1
        d().KurvenZuZeichnen = 1;
        g().DrawCurves(); // slot 5
        for (int slot : {1, 3, 4}) g().DeleteCurves(slot);
        QCOMPARE(d().KurvenAnzahl, 2);
        // some design
        g().mnuKurvenDesign_Click();
        g().fraKurven->txtLegendCurves[2]->setText("c(B) simulated");
        g().fraKurven->cmbKStil[5]->setCurrentIndex(3); // "Curve dashed"
        QCOMPARE(chart().ChartGroups(1).Styles(5).LineStyle().Pattern(), int(LinePattern::Dashed));
        g().cmdKurven_OK_Click();
        chart().Header().setText("Two curves\r\nand points");
        g().mnuHalbA->trigger();
        rec().messages.clear();
        const std::unique_ptr<Chart2D> before = Snapshot(chart());
        const QImage pictureBefore = picture();
        const DiagrammInfo axes = d().Diagramm;

        // saved where the user chose; the folder is remembered
        rec().saveAnswers.push_back(path("design"));
        g().mnuSaveOC2->trigger();
        QCOMPARE(rec().saveRequests.size(), size_t(1));
        QCOMPARE(rec().saveRequests[0].title, QString("Save this diagram design"));
        QCOMPARE(rec().saveRequests[0].filter, QString("Diagram File (*.oc2)|*.oc2"));
        QCOMPARE(rec().saveRequests[0].folder, QString::fromStdString(fx->folder().string()));
        QVERIFY(ReadAll(path("design.oc2")).startsWith("KINHOM-DIAGRAM 1\r\n"));
        QCOMPARE(d().OC2Pfad, fx->folder().string() + "/");

        // everything deleted, the coordinates changed
        g().mnuDelTotal->trigger();
        QCOMPARE(d().KurvenAnzahl, 0);
        g().fraKurven->txtLegendCurves[2]->setText("typed after the save");
        g().mnuCoord_Click();
        g().coord[2]->setText(" 100");
        g().cmdCoord_OK_Click();
        QCOMPARE(d().Diagramm.xMax, 100.0f);
        QVERIFY(!g().mnuDelPoints->isEnabled() || points().NumPoints(1) == 0);

        // loaded back: the same chart, the same picture, the same bookkeeping
        rec().openAnswers.push_back(path("design.oc2"));
        g().mnuLoadOC2->trigger();
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        QCOMPARE(rec().openRequests[0].title, QString("Load a saved pattern (*.oc2)"));
        QCOMPARE(rec().openRequests[0].folder, QString::fromStdString(d().OC2Pfad));
        QVERIFY(chart().sameContent(*before));
        QVERIFY(picture() == pictureBefore);
        QCOMPARE(d().Diagramm.xMin, axes.xMin);
        QCOMPARE(d().Diagramm.xMax, axes.xMax);
        QCOMPARE(d().Diagramm.yMin, axes.yMin);
        QCOMPARE(d().Diagramm.yMax, axes.yMax);
        QVERIFY(g().fraCoordInput->isHidden());

        QCOMPARE(d().KurvenAnzahl, 2);
        for (int i = 1; i <= 24; ++i) {
            const bool used = i == 2 || i == 5;
            QCOMPARE(g().KurveFrei[std::size_t(i)], !used);
            QCOMPARE(g().KurvenTab[std::size_t(i)].available, used);
        }
        QCOMPARE(g().KurvenTab[2].txtLegendCurves, QString("c(B) simulated"));
        QCOMPARE(g().fraKurven->txtLegendCurves[2]->text(), QString("c(B) simulated"));
        QCOMPARE(curveTabs()->tabText(4), QString("C.5"));
        QVERIFY(curveTabs()->isTabEnabled(4));
        QVERIFY(!curveTabs()->isTabEnabled(0));
        QVERIFY(g().fraPunkte->tabPunkte->isTabEnabled(0));
        QVERIFY(!g().fraPunkte->tabPunkte->isTabEnabled(1));
        QVERIFY(g().mnuDelKurv->isEnabled());
        QVERIFY(g().mnuDelHalbAB->isEnabled());
        QCOMPARE(g().PunktSatzNr, 1);
        QVERIFY(g().PunkteTab[1].available);
        for (int j = 2; j <= 7; ++j) QVERIFY(!g().PunkteTab[std::size_t(j)].available);
        QVERIFY(g().mnuSubDelPoints[1]->isEnabled());
        QVERIFY(!g().mnuSubDelPoints[2]->isEnabled());
        QVERIFY(g().mnuSubDelPoints[0]->isEnabled());
        QVERIFY(g().mnuDelPoints->isEnabled());
        QVERIFY(g().mnuDelTotal->isEnabled());

        // the next curve takes the first free slot
        d().KurvenZuZeichnen = 1;
        g().DrawCurves();
        QCOMPARE(d().KurvenAnzahl, 3);
        QVERIFY(!g().KurveFrei[1]);
        QCOMPARE(curves().NumPoints(1), 201);
    }

    void loadedFileWithTenSeriesAndNoPointSets()
    {
        setPoints({CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 5, .A = 0.5})});
        d().MitPunkten = true;
        simulate(2); // set 1 holds points
        QVERIFY(g().mnuDelPoints->isEnabled());
        g().PunktSatzNr = 4;

        // a diagram of another program version: ten series, curves in 3, 9 and 10
        Chart2D other;
        SetupChartContent(other, ChartContentOptions{});
        ChartData& data = other.ChartGroups(1).Data();
        data.setNumSeries(10);
        const double x[2] = {0, 50}, y[2] = {-1, 2};
        for (int s : {3, 9, 10}) data.setPoints(s, x, y, 2);
        Axis& ax = other.ChartArea().Axes(AxisId::X);
        ax.setMin(0);
        ax.setMax(50);
        Axis& ay = other.ChartArea().Axes(AxisId::Y);
        ay.setMin(-1);
        ay.setMax(2);
        other.Legend().setIsShowing(false); // saved after Delete > Legend
        std::string error;
        QVERIFY(SaveDiagram(other, fx->folder() / "ten.oc2", error));

        rec().openAnswers.push_back(path("ten.oc2"));
        g().mnuLoadOC2_Click();
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        // the last series is not a curve slot
        QCOMPARE(d().KurvenAnzahl, 2);
        for (int i = 1; i <= 24; ++i) QCOMPARE(g().KurveFrei[std::size_t(i)], i != 3 && i != 9);
        // no point set: every set entry disabled, the menus enabled earlier kept
        for (int j = 1; j <= 7; ++j) {
            QVERIFY(!g().mnuSubDelPoints[std::size_t(j)]->isEnabled());
            QVERIFY(!g().PunkteTab[std::size_t(j)].available);
        }
        QVERIFY(g().mnuDelPoints->isEnabled());
        QCOMPARE(g().PunktSatzNr, 4);
        // the file's axis window
        QCOMPARE(d().Diagramm.xMin, 0.0f);
        QCOMPARE(d().Diagramm.xMax, 50.0f);
        QCOMPARE(d().Diagramm.yMin, -1.0f);
        QCOMPARE(d().Diagramm.yMax, 2.0f);
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Max(), 50.0);
        QVERIFY(g().KurvenTab[3].available);
        // the legend items follow the file's hidden legend, so it can be added back
        QVERIFY(g().mnuAddLegend->isEnabled());
        QVERIFY(!g().mnuDelLegend->isEnabled());
        QVERIFY(!g().mnuDelLegendZeile->isEnabled());
    }

    // A diagram whose axis window is inverted: the diagram and the chart take
    // the window turned round, without a message.
    void loadedFileWithAnInvertedAxisWindow()
    {
        simulate(2);
        Chart2D other;
        SetupChartContent(other, ChartContentOptions{});
        const double x[2] = {0, 50}, y[2] = {0, 2};
        other.ChartGroups(1).Data().setPoints(1, x, y, 2);
        other.ChartArea().Axes(AxisId::X).setMin(50);
        other.ChartArea().Axes(AxisId::X).setMax(0);
        other.ChartArea().Axes(AxisId::Y).setMin(2);
        other.ChartArea().Axes(AxisId::Y).setMax(2);
        std::string error;
        QVERIFY(SaveDiagram(other, fx->folder() / "inverted.oc2", error));
        rec().openAnswers.push_back(path("inverted.oc2"));
        g().mnuLoadOC2_Click();
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        QCOMPARE(d().Diagramm.xMin, 0.0f);
        QCOMPARE(d().Diagramm.xMax, 50.0f);
        QCOMPARE(d().Diagramm.yMin, 1.8f);
        QCOMPARE(d().Diagramm.yMax, 2.2f);
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Min(), 0.0);
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Max(), 50.0);
    }

    void filesThatCannotBeReadOrWrittenChangeNothing()
    {
        simulate(9);
        g().mnuHalbA->trigger();
        const std::unique_ptr<Chart2D> before = Snapshot(chart());
        const KurvenSlots freeSlots = g().KurveFrei;
        const std::string folder = d().OC2Pfad;
        const DiagrammInfo axes = d().Diagramm;
        const QString status = g().statusText();

        fx->writeFile("broken.oc2", "KINHOM-DIAGRAM 1\r\nchart.border.type four\r\n");
        fx->writeFile("cut.oc2", DiagramText(*before).substr(0, 3000).c_str());
        fx->writeFile("other.oc2", "a text file\r\n");
        const QString sub = path("sub");
        QVERIFY(QDir().mkpath(sub));
        const QString names[] = {"broken.oc2", "cut.oc2", "other.oc2", "missing.oc2"};
        for (const QString& name : names) {
            rec().messages.clear();
            rec().openAnswers.push_back(sub + "/../" + name);
            g().mnuLoadOC2_Click();
            QCOMPARE(rec().messages.size(), size_t(1));
            QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
            QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
            QVERIFY2(rec().messages[0].text.contains(name), qPrintable(rec().messages[0].text));
            QVERIFY(chart().sameContent(*before));
            QCOMPARE(d().KurvenAnzahl, 4);
            QVERIFY(g().KurveFrei == freeSlots);
            QCOMPARE(d().OC2Pfad, folder);
            QCOMPARE(d().Diagramm.xMax, axes.xMax);
            QCOMPARE(g().statusText(), status);
        }

        // a save that fails says so and leaves the folder
        rec().messages.clear();
        rec().saveAnswers.push_back(path("no such folder/x.oc2"));
        g().mnuSaveOC2_Click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QCOMPARE(rec().messages[0].title, QString("Execution not possible"));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QVERIFY(!rec().messages[0].text.isEmpty());
        QCOMPARE(d().OC2Pfad, folder);

        // Cancel in either dialog: silent, nothing changes
        rec().messages.clear();
        g().mnuSaveOC2_Click();
        g().mnuLoadOC2_Click();
        QVERIFY(rec().messages.empty());
        QCOMPARE(rec().saveRequests.size(), size_t(2));
        QCOMPARE(rec().openRequests.size(), size_t(5));
        QVERIFY(chart().sameContent(*before));
        QCOMPARE(d().OC2Pfad, folder);
    }

    // ---- curve export ---------------------------------------------------------------------

    void curveToClipboard()
    {
        simulate(2); // A and P: slots 1 and 2, 201 points each
        chart().ChartGroups(1).Data().setY(1, 1, 0.1234567891);
        QCOMPARE(g().fraKurven->cmdClipboard->toolTip(), QString("... for data export to Excel / Origin "));
        selectCurveTab(1, "C. 1");
        g().cmdClipboard_Click();
        const QString text = QGuiApplication::clipboard()->text();
        const QStringList lines = text.split("\r\n");
        QCOMPARE(lines.size(), 202); // 201 lines, each ending in CR LF
        QCOMPARE(lines.last(), QString());
        QCOMPARE(text.count('\n'), 201);
        QCOMPARE(text.count('\r'), 201);
        // single precision, general form, the locale's decimal sign
        QCOMPARE(lines[0], "0\t0" + QString(dec()) + "1234568");
        for (int i : {2, 101, 201}) {
            QStringList xy = lines[i - 1].split('\t');
            QCOMPARE(xy.size(), 2);
            const double x = xy[0].replace(',', '.').toDouble();
            const double y = xy[1].replace(',', '.').toDouble();
            QCOMPARE(float(x), float(curves().X(1, i)));
            QCOMPARE(float(y), float(curves().Y(1, i)));
        }

        // a slot without points and a tab without a number give an empty text
        for (const QString& caption : {QString("C. 7"), QString(), QString("C.")}) {
            QGuiApplication::clipboard()->setText("old");
            selectCurveTab(7, caption);
            g().cmdClipboard_Click();
            QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        }
    }

    void curveToCurvePointFile()
    {
        simulate(2);
        chart().ChartGroups(1).SeriesLabels().setItem(2, " c(P) of A => P ");
        d().Trennzeichen = ";";
        selectCurveTab(2, "C. 2");
        rec().saveAnswers.push_back(path("curve"));
        g().cmdSaveCurveAsXY_Click();
        QCOMPARE(rec().saveRequests.size(), size_t(1));
        QCOMPARE(rec().saveRequests[0].folder, QString::fromStdString(fx->folder().string()));
        const QByteArray content = ReadAll(path("curve.XY"));
        QVERIFY(content.endsWith("\r\n"));
        const QList<QByteArray> lines = content.split('\n');
        QCOMPARE(lines.size(), 203); // title, 201 points, nothing after the last CR LF
        QCOMPARE(lines[0], QByteArray("c(P) of A => P\r"));
        QCOMPARE(lines[1], QByteArray("0;0\r")); // no P at t = 0
        const QList<QByteArray> last = lines[201].chopped(1).split(';');
        QCOMPARE(last.size(), 2);
        QCOMPARE(last[0].toDouble(), 20.0);
        QCOMPARE(float(last[1].toDouble()), float(curves().Y(2, 201)));
        QCOMPARE(d().XYPfad, fx->folder().string() + "/");

        // the Tab separator; the old file is replaced
        d().Trennzeichen = "\t";
        rec().saveAnswers.push_back(path("curve.XY"));
        g().cmdSaveCurveAsXY_Click();
        QVERIFY(ReadAll(path("curve.XY")).contains("\r\n0\t0\r\n"));

        // Cancel and a tab without a curve write nothing
        g().cmdSaveCurveAsXY_Click();
        QCOMPARE(rec().saveRequests.size(), size_t(3));
        selectCurveTab(5, "");
        g().cmdSaveCurveAsXY_Click();
        QCOMPARE(rec().saveRequests.size(), size_t(3));

        // a file that cannot be written is reported
        selectCurveTab(1, "C. 1");
        rec().saveAnswers.push_back(path("no such folder/c.XY"));
        g().cmdSaveCurveAsXY_Click();
        QCOMPARE(rec().messages.size(), size_t(1));
        QVERIFY(rec().messages[0].icon == MsgIcon::Critical);
        QCOMPARE(d().XYPfad, fx->folder().string() + "/");
    }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
