// Designing what the chart window drew: the curve and point panels, the text
// panel, the labels and legend controls, the Design menu, the right click on the
// chart, the marker texts of the half-life marks and dragging the panels.

#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cmath>

#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "chart_fixture.h"
#include "ui/chart/chartview.h"
#include "ui/chart/frakurven.h"
#include "ui/chart/fraschrift.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using kinhom::test::CtPoint;

namespace {

QPointF Centre(const RectF& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

void Mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestDesign1 : public QObject, public test::ChartFixture {
    Q_OBJECT

    FraKurven& k() { return *g().fraKurven; }
    FraPunkte& p() { return *g().fraPunkte; }
    FraSchrift& s() { return *g().fraSchrift; }
    FraLabelLegend& ll() { return *g().fraLabelLegend; }

    void openMenu(QMenu* menu) { emit menu->aboutToShow(); }

    // Draws the chart once, so that what lies under the mouse is known.
    const ChartLayout& drawn()
    {
        g().Chart2D1->grab();
        return g().Chart2D1->lastLayout();
    }

    // A point on the visible line of a series, away from its ends.
    QPointF onSeries(int group, int series)
    {
        for (const SeriesLayout& sl : drawn().series) {
            if (sl.group != group || sl.series != series) continue;
            if (!sl.symbols.empty()) return {sl.symbols[sl.symbols.size() / 2].x, sl.symbols[sl.symbols.size() / 2].y};
            if (!sl.runs.empty() && sl.runs[0].size() >= 2) {
                const auto& run = sl.runs[0];
                const PointF& a = run[run.size() / 5];
                return {a.x, a.y};
            }
        }
        return {-1, -1};
    }

    void rightClick(QPointF pos) { QTest::mouseClick(g().Chart2D1, Qt::RightButton, Qt::NoModifier, pos.toPoint()); }

    int curveTab() { return k().tabKurven->currentIndex(); }

private slots:
    void init()
    {
        start(1200, 900);
    }
    void cleanup() { stop(); }

    // ---- loading sets the panels through their controls ----------------------------------

    void loadSetsThePanelsControls()
    {
        simulate(2);
        for (int i : {1, 2, 24}) {
            QCOMPARE(k().cmbKStil[i]->currentIndex(), 1);
            QCOMPARE(chart().ChartGroups(1).Styles(i).LineStyle().Pattern(), int(LinePattern::Solid));
            QCOMPARE(k().Label39[i]->text(), QString("1"));
            QVERIFY(k().chkEinzelLabelSichtbar[i]->isChecked());
            QCOMPARE(ButtonColor(k().cmdKurvenFarbe[i]), d().Vorwahlfarbe);
        }
        // the sets start as dots, circles, triangles, squares, stars, crosses, boxes
        const int shapes[8] = {0, 2, 10, 4, 11, 6, 9, 3};
        for (int j = 1; j <= 7; ++j) {
            QCOMPARE(p().cmbPunktStil[j]->currentIndex(), j - 1);
            QCOMPARE(chart().ChartGroups(2).Styles(j).SymbolStyle().Shape(), shapes[j]);
            QCOMPARE(p().Label56[j]->text(), QString("6"));
        }
        QVERIFY(ll().optLegOrient[1]->isChecked());
        QVERIFY(ll().chkLegFrame->isChecked());
        QCOMPARE(chart().Legend().Border().Type(), int(BorderType::Plain));
        // the window's size moved the legend since; the settings show where it is
        g().mnuDesignMore->trigger();
        QCOMPARE(ll().scrlegV->value(), chart().Legend().Location().Top());
        QCOMPARE(ll().scrLegH->value(), chart().Legend().Location().Left());
        QVERIFY(s().optOrientYAxText[1]->isChecked());
        QVERIFY(s().optOrientYAxZiff[0]->isChecked());
        QCOMPARE(chart().ChartArea().Axes(AxisId::Y).Title().Rotation(), int(Rotation::Up));
        QCOMPARE(ButtonColor(ll().cmdLabelBColor), RGB(240, 240, 240));
        QCOMPARE(ButtonColor(k().cmdFarbVorwahl), d().Vorwahlfarbe);
        QVERIFY(!ll().chkLabelNotVisible->isChecked());
        // the labels page is one of the Diagram Settings' pages
        QVERIFY(g().fraTabs->tabDesign->indexOf(g().fraLabelLegend) >= 0);
    }

    // ---- Design and Delete menus ----------------------------------------------------------

    void designMenuFollowsCurvesPointsAndKTData()
    {
        d().DiagrammTyp = -1; // measured points only, none loaded: no curve
        d().AnzahlPunkte = 0;
        SetDiagramTitles();
        rec().messages.clear();
        openMenu(g().mnuDesign);
        QVERIFY(!g().mnuKurvenDesign->isEnabled());
        QVERIFY(!g().mnuPunktDesign->isEnabled());
        // a k-T diagram: the points item follows kTDaten, points or not
        d().kTDiagramm = true;
        d().kTDaten = true;
        openMenu(g().mnuDesign);
        QVERIFY(g().mnuPunktDesign->isEnabled());
        d().kTDaten = false;
        chart().ChartGroups(2).Data().setNumPoints(6, 3);
        openMenu(g().mnuDesign);
        QVERIFY(!g().mnuPunktDesign->isEnabled());
        // otherwise any set with a point, the manual one included
        d().kTDiagramm = false;
        chart().ChartGroups(2).Data().setNumPoints(6, 0);
        chart().ChartGroups(2).Data().setNumPoints(7, 1);
        openMenu(g().mnuDesign);
        QVERIFY(g().mnuPunktDesign->isEnabled());

        simulate(2);
        openMenu(g().mnuDesign);
        QVERIFY(g().mnuKurvenDesign->isEnabled());
        QVERIFY(!g().mnuPunktDesign->isEnabled());
    }

    void oneCurveInSlotFiveOpensItsTabAlone()
    {
        simulate(9); // slots 1..4
        d().KurvenZuZeichnen = 1;
        g().DrawCurves(); // slot 5
        for (int i = 1; i <= 4; ++i) g().DeleteCurves(i);
        QCOMPARE(d().KurvenAnzahl, 1);

        // the Delete menu: the free slot's item disabled, "all" enabled
        openMenu(g().mnuDelete);
        QVERIFY(!g().mnuSubDelKurv[3]->isEnabled());
        QVERIFY(g().mnuSubDelKurv[5]->isEnabled());
        QVERIFY(g().mnuSubDelKurv[0]->isEnabled());

        openMenu(g().mnuDesign);
        g().mnuKurvenDesign->trigger();
        QVERIFY(k().isVisible());
        QCOMPARE(curveTab(), 4);
        QCOMPARE(k().tabKurven->tabText(4), QString("C.5"));
        for (int t = 0; t < 24; ++t)
            if (t != 4) QVERIFY2(!k().tabKurven->isTabEnabled(t), qPrintable(QString::number(t)));
        QVERIFY(k().tabKurven->isTabEnabled(4));
        // Esc closes the panel
        QApplication::setActiveWindow(&app().mainWindow());
        k().txtLabel[5]->setFocus();
        QTest::keyClick(k().txtLabel[5], Qt::Key_Escape);
        QVERIFY(!k().isVisible());
    }

    // Curves drawn after the panel was first opened (with the panel closed or
    // open, and from a diagram file) get a tab that can be seen and clicked.
    void laterCurvesGetUsableTabs()
    {
        simulate(2); // slots 1, 2
        QApplication::setActiveWindow(&app().mainWindow());
        openMenu(g().mnuDesign);
        g().mnuKurvenDesign->trigger();
        g().cmdKurven_OK_Click();
        d().KurvenZuZeichnen = 2;
        g().DrawCurves(); // slots 3, 4 while the panel is closed
        openMenu(g().mnuDesign);
        g().mnuKurvenDesign->trigger();
        d().KurvenZuZeichnen = 2;
        g().DrawCurves(); // slots 5, 6 while it is open
        QTabBar* bar = k().tabKurven->tabBar();
        for (int slot = 1; slot <= 6; ++slot) {
            const QRect r = bar->tabRect(slot - 1);
            QVERIFY2(r.width() > 10 && r.height() > 10, qPrintable(QString("slot %1").arg(slot)));
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, r.center());
            QCOMPARE(curveTab(), slot - 1);
        }
        // a diagram file brings its curves with their tabs
        QTemporaryDir dir;
        rec().saveAnswers.push_back(dir.filePath("six.oc2"));
        g().mnuSaveOC2_Click();
        g().DeleteCurves(0);
        rec().openAnswers.push_back(dir.filePath("six.oc2"));
        g().mnuLoadOC2_Click();
        QCOMPARE(d().KurvenAnzahl, 6);
        for (int slot = 1; slot <= 6; ++slot) {
            const QRect r = bar->tabRect(slot - 1);
            QVERIFY2(r.width() > 10, qPrintable(QString("loaded slot %1").arg(slot)));
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, r.center());
            QCOMPARE(curveTab(), slot - 1);
        }
    }

    // Esc closes the curve and the point panel right after they open from the
    // menu, as it closes the other panels.
    void escClosesThePanelsOpenedFromTheMenu()
    {
        setPoints({CtPoint({.t = 0, .A = 1, .B = 0}), CtPoint({.t = 5, .A = 0.5, .B = 0.3}),
                   CtPoint({.t = 10, .A = 0.2, .B = 0.4})});
        d().MitPunkten = true;
        simulate(4);
        QApplication::setActiveWindow(&app().mainWindow());
        struct Case {
            QAction* item;
            QWidget* panel;
        } cases[] = {{g().mnuKurvenDesign, &k()}, {g().mnuPunktDesign, &p()}, {g().mnuDesignMore, g().fraTabs},
                     {g().mnuCoord, g().fraCoordInput}};
        for (const Case& c : cases) {
            g().Chart2D1->setFocus();
            c.item->setEnabled(true);
            c.item->trigger();
            QVERIFY(c.panel->isVisible());
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus && c.panel->isAncestorOf(focus), qPrintable(c.item->objectName()));
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY2(!c.panel->isVisible(), qPrintable(c.item->objectName()));
        }
    }

    void curveStylesAndTheirReadBack()
    {
        simulate(2);
        g().mnuKurvenDesign_Click();
        struct Row {
            int pos, pattern, shape;
        };
        // "Single points only", "Curve solid", "Curve dotted", "Curve dashed", "Curve dash-dotted"
        const Row rows[] = {{0, 1, 2}, {1, 2, 1}, {2, 4, 1}, {3, 3, 1}, {4, 7, 1}, {0, 1, 2}};
        for (const Row& r : rows) {
            k().cmbKStil[2]->setCurrentIndex(r.pos);
            QCOMPARE(chart().ChartGroups(1).Styles(2).LineStyle().Pattern(), r.pattern);
            QCOMPARE(chart().ChartGroups(1).Styles(2).SymbolStyle().Shape(), r.shape);
        }
        // patterns the list does not offer read back as "Single points only" and
        // are written back from the list; a dash-dotted curve stays
        chart().ChartGroups(1).Styles(1).LineStyle().setPattern(LinePattern::LongDash);
        chart().ChartGroups(1).Styles(2).LineStyle().setPattern(LinePattern::ShortDash);
        k().cmbKStil[2]->setCurrentIndex(1);
        chart().ChartGroups(1).Styles(2).LineStyle().setPattern(LinePattern::ShortDash);
        g().mnuKurvenDesign_Click();
        for (int i : {1, 2}) {
            QCOMPARE(k().cmbKStil[i]->currentIndex(), 0);
            QCOMPARE(chart().ChartGroups(1).Styles(i).LineStyle().Pattern(), int(LinePattern::None));
            QCOMPARE(chart().ChartGroups(1).Styles(i).SymbolStyle().Shape(), int(SymbolShape::Dot));
        }
        k().cmbKStil[1]->setCurrentIndex(4);
        g().mnuKurvenDesign_Click();
        QCOMPARE(k().cmbKStil[1]->currentIndex(), 4);
        QCOMPARE(chart().ChartGroups(1).Styles(1).LineStyle().Pattern(), int(LinePattern::DashDot));
    }

    void curveTabWritesThrough()
    {
        simulate(2);
        g().mnuKurvenDesign_Click();
        k().txtLabel[2]->setText("product");
        QCOMPARE(chart().ChartLabels(2).Text(), std::string("product"));
        k().scrShiftLab[2]->setValue(150);
        QCOMPARE(chart().ChartLabels(2).AttachPoint(), 150);
        QCOMPARE(k().scrShiftLab[2]->maximum(), 201);
        k().UpDown1_KBreite[2]->stepUp();
        k().UpDown1_KBreite[2]->stepUp();
        QCOMPARE(k().Label39[2]->text(), QString("3"));
        QCOMPARE(chart().ChartGroups(1).Styles(2).LineStyle().Width(), 3);
        k().txtLegendCurves[2]->setText("P");
        QCOMPARE(chart().ChartGroups(1).SeriesLabels().Item(2), std::string("P"));
        k().chkEinzelLabelSichtbar[2]->setChecked(false);
        QVERIFY(!chart().ChartLabels(2).IsShowing());

        // a curve drawn while the panel is open shows in it at once
        g().DeleteCurves(2);
        d().KurvenZuZeichnen = 1;
        g().DrawCurves(); // one curve (P), into slot 2
        QCOMPARE(k().txtLabel[2]->text(), QString("c(P) "));
        QCOMPARE(k().scrShiftLab[2]->value(), chart().ChartLabels(2).AttachPoint());

        // point tabs
        g().mnuPunktDesign_Click();
        p().cmbPunktStil[3]->setCurrentIndex(4); // "Star"
        QCOMPARE(chart().ChartGroups(2).Styles(3).SymbolStyle().Shape(), int(SymbolShape::Star));
        p().cmbPunktStil[3]->setCurrentIndex(10); // "hidden"
        QCOMPARE(chart().ChartGroups(2).Styles(3).SymbolStyle().Shape(), int(SymbolShape::None));
        p().UpDown1_PointSize[3]->stepDown();
        QCOMPARE(p().Label56[3]->text(), QString("5"));
        QCOMPARE(chart().ChartGroups(2).Styles(3).SymbolStyle().Size(), 5);
        p().txtLegendPoints[3]->setText("measured C");
        QCOMPARE(chart().ChartGroups(2).SeriesLabels().Item(3), std::string("measured C"));
        QCOMPARE(g().PunkteTab[3].txtLegendPoints, QString("measured C"));
    }

    // ---- colours and fonts: Cancel changes nothing -------------------------------------------

    void colourDialogCancelChangesNothing()
    {
        setPoints({CtPoint({.t = 2, .A = 0.9}), CtPoint({.t = 8, .A = 0.55})});
        d().MitPunkten = true;
        simulate(2);
        g().mnuKurvenDesign_Click();
        const Rgb before = chart().ChartGroups(1).Styles(1).LineStyle().Color();
        k().cmdKurvenFarbe[1]->click(); // no answer queued: cancelled
        QCOMPARE(rec().colorRequests.size(), size_t(1));
        QCOMPARE(chart().ChartGroups(1).Styles(1).LineStyle().Color(), before);
        QCOMPARE(ButtonColor(k().cmdKurvenFarbe[1]), before);
        ll().cmdLegBColor->click();
        ll().cmdLabelFColor->click();
        k().cmdFarbVorwahl->click();
        QCOMPARE(chart().Legend().Interior().BackgroundColor(), g().LegendeHintergrund);
        QCOMPARE(chart().ChartLabels(1).Interior().ForegroundColor(), RGB(0, 0, 0));
        QCOMPARE(d().Vorwahlfarbe, before);

        // a chosen colour: line and symbols, and the button shows it
        rec().colorAnswers.push_back(QColor(255, 0, 0));
        k().cmdKurvenFarbe[1]->click();
        QCOMPARE(chart().ChartGroups(1).Styles(1).LineStyle().Color(), RGB(255, 0, 0));
        QCOMPARE(chart().ChartGroups(1).Styles(1).SymbolStyle().Color(), RGB(255, 0, 0));
        QCOMPARE(ButtonColor(k().cmdKurvenFarbe[1]), RGB(255, 0, 0));
        // the dialog showed red last; Cancel on curve 2 leaves it as it was
        k().cmdKurvenFarbe[2]->click();
        QCOMPARE(chart().ChartGroups(1).Styles(2).LineStyle().Color(), before);
        QCOMPARE(ButtonColor(k().cmdKurvenFarbe[2]), before);
        // the preset colour by its caption; the next curve takes it
        rec().colorAnswers.push_back(QColor(0, 128, 0));
        QTest::mouseClick(k().Label49, Qt::LeftButton);
        QCOMPARE(d().Vorwahlfarbe, RGB(0, 128, 0));
        d().KurvenZuZeichnen = 1;
        g().DrawCurves();
        QCOMPARE(chart().ChartGroups(1).Styles(3).LineStyle().Color(), RGB(0, 128, 0));
        // the point panel's buttons: a set's colour, or the preset colour for a
        // set without points
        g().mnuPunktDesign_Click();
        QCOMPARE(ButtonColor(p().cmdPunktFarbe[1]), before);
        QCOMPARE(ButtonColor(p().cmdPunktFarbe[2]), RGB(0, 128, 0));
        rec().colorAnswers.push_back(QColor(10, 20, 30));
        p().cmdPunktFarbe[1]->click();
        QCOMPARE(chart().ChartGroups(2).Styles(1).SymbolStyle().Color(), RGB(10, 20, 30));
    }

    void fontDialogCancelChangesNoFont()
    {
        simulate(2);
        const FontSpec label = chart().ChartLabels(5).Font();
        const FontSpec legend = chart().Legend().Font();
        ll().cmdFontLabel->click();
        ll().cmdLegFont->click();
        g().mnuTextDesign_Click(1);
        const FontSpec header = chart().Header().Font();
        s().cmdFont->click();
        QCOMPARE(rec().fontRequests.size(), size_t(3));
        QVERIFY(chart().ChartLabels(5).Font() == label);
        QVERIFY(chart().Legend().Font() == legend);
        QVERIFY(chart().Header().Font() == header);
        QVERIFY(!chart().IsBatched());
        // the label dialog starts from label 1's font
        QCOMPARE(rec().fontRequests[0].family(), QString::fromStdString(chart().ChartLabels(1).Font().Name));

        QFont chosen("DejaVu Serif");
        chosen.setPointSizeF(13);
        chosen.setBold(true);
        chosen.setItalic(true);
        rec().fontAnswers.push_back(chosen);
        ll().cmdFontLabel->click();
        for (int i : {1, 24}) {
            QCOMPARE(chart().ChartLabels(i).Font().Name, std::string("DejaVu Serif"));
            QCOMPARE(chart().ChartLabels(i).Font().Size, 13.0f);
            QVERIFY(chart().ChartLabels(i).Font().Bold && chart().ChartLabels(i).Font().Italic);
        }
        const FontSpec xTitle = chart().ChartArea().Axes(AxisId::X).Title().Font();
        rec().fontAnswers.push_back(chosen);
        s().cmdFont->click(); // the header (TextElement 1) only
        QCOMPARE(chart().Header().Font().Name, std::string("DejaVu Serif"));
        QVERIFY(chart().ChartArea().Axes(AxisId::X).Title().Font() == xTitle);
        QVERIFY(!chart().IsBatched());
    }

    // ---- labels and legend ---------------------------------------------------------------------

    void allInvisibleAndTheSingleBoxes()
    {
        simulate(2);
        QVERIFY(g().mnuDelLabels->isEnabled());
        ll().chkLabelNotVisible->setChecked(true);
        for (int i = 1; i <= 24; ++i) {
            QVERIFY(!chart().ChartLabels(i).IsShowing());
            QVERIFY(!k().chkEinzelLabelSichtbar[i]->isChecked());
        }
        QVERIFY(!g().mnuDelLabels->isEnabled());
        ll().chkLabelNotVisible->setChecked(false);
        for (int i = 1; i <= 24; ++i) {
            QVERIFY(chart().ChartLabels(i).IsShowing());
            QVERIFY(!k().chkEinzelLabelSichtbar[i]->isChecked());
        }
        QVERIFY(g().mnuDelLabels->isEnabled());
        // one label back by its own box; the menu item follows
        ll().chkLabelNotVisible->setChecked(true);
        k().chkEinzelLabelSichtbar[2]->setChecked(true);
        QVERIFY(chart().ChartLabels(2).IsShowing());
        QVERIFY(!chart().ChartLabels(1).IsShowing());
        QVERIFY(g().mnuDelLabels->isEnabled());

        ll().chkLabelFrame->setChecked(true);
        QCOMPARE(chart().ChartLabels(7).Border().Type(), int(BorderType::Plain));
        ll().chkLabelFrame->setChecked(false);
        QCOMPARE(chart().ChartLabels(7).Border().Type(), int(BorderType::None));
    }

    void oneLegendBoxSetsThemAll()
    {
        simulate(2);
        QVERIFY(chart().Legend().IsShowing());
        k().chkLegend1[3]->setChecked(false); // the tab of slot 4
        QVERIFY(!chart().Legend().IsShowing());
        QVERIFY(!ll().chkLegend->isChecked());
        for (int i = 0; i < 24; ++i) QVERIFY(!k().chkLegend1[i]->isChecked());
        for (int j = 1; j <= 7; ++j) QVERIFY(!p().chkLegend2[j]->isChecked());
        QVERIFY(!g().mnuDelLegend->isEnabled());
        QVERIFY(!g().mnuDelLegendZeile->isEnabled());
        QVERIFY(g().mnuAddLegend->isEnabled());

        p().chkLegend2[6]->setChecked(true);
        QVERIFY(chart().Legend().IsShowing());
        QVERIFY(ll().chkLegend->isChecked());
        for (int i = 0; i < 24; ++i) QVERIFY(k().chkLegend1[i]->isChecked());
        QVERIFY(g().mnuDelLegend->isEnabled());
        QVERIFY(!g().mnuAddLegend->isEnabled());

        ll().optLegOrient[0]->setChecked(true);
        QCOMPARE(chart().Legend().Orientation(), int(Orientation::Horizontal));
        ll().chkLegFrame->setChecked(false);
        QCOMPARE(chart().Legend().Border().Type(), int(BorderType::None));
        ll().scrlegV->setValue(40);
        ll().scrLegH->setValue(30);
        QCOMPARE(chart().Legend().Location().Top(), 40);
        QCOMPARE(chart().Legend().Location().Left(), 30);
    }

    void transparentLegendTakesANewBackground()
    {
        simulate(2);
        ll().chkLegTransparent->setChecked(true);
        QVERIFY(chart().Legend().Interior().IsTransparent());
        rec().colorAnswers.push_back(QColor(255, 255, 160));
        ll().cmdLegBColor->click();
        QVERIFY(!chart().Legend().Interior().IsTransparent());
        QCOMPARE(chart().Legend().Interior().BackgroundColor(), RGB(255, 255, 160));
        QCOMPARE(g().LegendeHintergrund, RGB(255, 255, 160));
        QCOMPARE(ButtonColor(ll().cmdLegBColor), RGB(255, 255, 160));
        ll().chkLegTransparent->setChecked(false);
        QCOMPARE(chart().Legend().Interior().BackgroundColor(), RGB(255, 255, 160));
        ll().chkLegTransparent->setChecked(true);
        QVERIFY(chart().Legend().Interior().IsTransparent());
        ll().chkLegTransparent->setChecked(false);
        QVERIFY(!chart().Legend().Interior().IsTransparent());
        QCOMPARE(chart().Legend().Interior().BackgroundColor(), RGB(255, 255, 160));
    }

    // ---- the text panel ----------------------------------------------------------------------------

    void textPanelPerElement()
    {
        simulate(2);
        chart().ChartArea().Axes(AxisId::Y).Title().setText("c/(mol/l)  ");
        g().mnuTextDesign[4]->trigger();
        QVERIFY(s().isVisible());
        QCOMPARE(g().TextElement, 4);
        QCOMPARE(s().caption->text(), QString("Design Y-Axis Annotation"));
        QCOMPARE(s().schrift->toPlainText(), QString("c/(mol/l)  "));
        QVERIFY(s().fraYText->isEnabled() && s().fraYZiff->isEnabled());
        QVERIFY(s().optOrientYAxText[0]->isEnabled());
        QVERIFY(!s().VScroll1->isEnabled() && !s().HScroll1->isEnabled());
        QVERIFY(!s().chkTextFrame->isEnabled());
        QVERIFY(!s().cmdSchriftHFarbe->isEnabled());
        s().optOrientYAxText[0]->setChecked(true);
        QCOMPARE(chart().ChartArea().Axes(AxisId::Y).Title().Rotation(), int(Rotation::Horizontal));
        s().optOrientYAxZiff[1]->setChecked(true);
        QCOMPARE(chart().ChartArea().Axes(AxisId::Y).NumberingRotation(), int(Rotation::Up));

        // the header: trailing blanks dropped, Y frames off, position bars on
        chart().Header().setText("Kinetics   ");
        g().mnuTextDesign_Click(1);
        QCOMPARE(s().caption->text(), QString("Design Header"));
        QCOMPARE(chart().Header().Text(), std::string("Kinetics"));
        QVERIFY(!s().fraYText->isEnabled() && !s().fraYZiff->isEnabled());
        QVERIFY(s().VScroll1->isEnabled() && s().HScroll1->isEnabled());
        QVERIFY(s().chkTextFrame->isEnabled() && s().cmdSchriftHFarbe->isEnabled());
        QCOMPARE(s().VScroll1->value(), chart().Header().Location().Top());
        s().VScroll1->setValue(s().VScroll1->value() + 7);
        QCOMPARE(chart().Header().Location().Top(), s().VScroll1->value());
        s().chkTextFrame->setChecked(true);
        QCOMPARE(chart().Header().Border().Type(), int(BorderType::Plain));

        // a two-line header: Enter adds nothing, Ctrl+Enter a new line
        s().schrift->clear();
        QTest::keyClicks(s().schrift, "Line one");
        QTest::keyClick(s().schrift, Qt::Key_Return);
        QTest::keyClick(s().schrift, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(s().schrift, "Line two");
        QCOMPARE(chart().Header().Text(), std::string("Line one\r\nLine two"));
        QCOMPARE(s().schrift->toolTip(), QString("Add a new line: <Ctrl><Enter>"));

        // its background; Cancel keeps it
        s().cmdSchriftHFarbe->click();
        QVERIFY(chart().Header().Interior().BackgroundColor() == RGB(255, 255, 255));
        rec().colorAnswers.push_back(QColor(200, 220, 255));
        s().cmdSchriftHFarbe->click();
        QCOMPARE(chart().Header().Interior().BackgroundColor(), RGB(200, 220, 255));

        // the X title has no frame: the box shows the frame of nothing
        g().mnuTextDesign_Click(3);
        s().schrift->setPlainText("t in s");
        QCOMPARE(chart().ChartArea().Axes(AxisId::X).Title().Text(), std::string("t in s"));
        QCOMPARE(chart().Header().Text(), std::string("Line one\r\nLine two"));

        // "Additional Text" of the Add menu
        g().mnuAddText->trigger();
        QCOMPARE(g().TextElement, 2);
        QCOMPARE(s().caption->text(), QString("Design Additional text"));
        QVERIFY(!s().chkTextFrame->isChecked());

        // "Curve Label/Legend" opens the curve panel beside the text panel
        g().mnuTextDesign_Click(5);
        QCOMPARE(g().TextElement, 5);
        QCOMPARE(s().caption->text(), QString("Design Additional text"));
        QVERIFY(s().isVisible() && k().isVisible());

        s().cmdSchriftFertig->click();
        QVERIFY(!s().isVisible());
        // the Add and Image menus hide every panel
        g().mnuPunktDesign_Click();
        openMenu(g().mnuMark);
        QVERIFY(!k().isVisible() && !p().isVisible());
    }

    // ---- right click and the marker texts ---------------------------------------------------------

    void rightClickOpensThePanelOfWhatIsUnderTheMouse()
    {
        setPoints({CtPoint({.t = 2, .A = 0.9}), CtPoint({.t = 8, .A = 0.55}), CtPoint({.t = 14, .A = 0.3})});
        d().MitPunkten = true;
        simulate(2); // A => P, and the measured A beside its course
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 3);

        // curve 2 (P)
        rightClick(onSeries(1, 2));
        QVERIFY(k().isVisible());
        QCOMPARE(curveTab(), 1);
        k().cmdKurven_OK->click();

        // the measured points
        rightClick(onSeries(2, 1));
        QVERIFY(p().isVisible());
        QCOMPARE(p().tabPunkte->currentIndex(), 0);
        QVERIFY(p().tabPunkte->isTabEnabled(0));
        p().cmdPunkte_OK->click();

        // the header
        rightClick(Centre(drawn().header.box));
        QVERIFY(s().isVisible());
        QCOMPARE(g().TextElement, 1);
        QCOMPARE(s().caption->text(), QString("Design Header"));
        s().cmdSchriftFertig->click();

        // the Y axis title
        rightClick(Centre(drawn().axis(AxisId::Y).title.box));
        QCOMPARE(g().TextElement, 4);

        // the legend line of curve 2
        k().txtLegendCurves[1]->setText("A");
        k().txtLegendCurves[2]->setText("P");
        k().cmdKurven_OK->click();
        const ChartLayout& L = drawn();
        QVERIFY(L.legend.shown);
        QCOMPARE(int(L.legend.entries.size()), 2);
        rightClick(Centre(L.legend.entries[1].row));
        QVERIFY(k().isVisible());
        QCOMPARE(curveTab(), 1);

        // the plot area
        const RectF plot = drawn().plot;
        rightClick(QPointF(plot.right() - 3, plot.y + 3));
        QVERIFY(g().fraTabs->isVisible());
    }

    void markerTextOfAHalfLifeMark()
    {
        simulate(2); // k1 = 0.15: tau(A) = ln 2 / 0.15 = 4.62 s
        g().mnuHalbA->trigger();
        QCOMPARE(chart().ChartGroups(1).Data().NumPoints(26), 2);
        QVERIFY(!chart().ChartLabels(26).IsShowing());

        const QPointF onMark = onSeries(1, 26);
        QVERIFY(onMark.x() > 0);
        Mouse(g().Chart2D1, QEvent::MouseButtonPress, onMark, Qt::LeftButton, Qt::LeftButton);
        const ChartLabel& label = chart().ChartLabels(26);
        QVERIFY(label.IsShowing());
        QCOMPARE(label.Text(), std::string("tau(A) = 4.62 s"));
        QVERIFY(g().mnuDelMarkLabels->isEnabled());
        // dragged and let go elsewhere: it stays where it was let go
        const QPointF to = onMark + QPointF(60, 40);
        Mouse(g().Chart2D1, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        Mouse(g().Chart2D1, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        double x = 0, y = 0;
        QVERIFY(g().Chart2D1->dataAt(to, x, y));
        QCOMPARE(label.AttachMethod(), int(AttachMethod::DataCoord));
        QVERIFY(std::fabs(label.AttachDataX() - x) < 1e-9);
        QVERIFY(std::fabs(label.AttachDataY() - y) < 1e-9);
        // a later move without a press moves nothing
        Mouse(g().Chart2D1, QEvent::MouseMove, to + QPointF(30, 30), Qt::NoButton, Qt::NoButton);
        QVERIFY(std::fabs(label.AttachDataX() - x) < 1e-9);
        // a left press on a curve shows no marker text
        chart().ChartLabels(26).setIsShowing(false);
        Mouse(g().Chart2D1, QEvent::MouseButtonPress, onSeries(1, 2), Qt::LeftButton, Qt::LeftButton);
        Mouse(g().Chart2D1, QEvent::MouseButtonRelease, onSeries(1, 2), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!chart().ChartLabels(26).IsShowing());
    }

    void aDraggedPanelStaysInsideTheWindow()
    {
        simulate(2);
        g().mnuKurvenDesign_Click();
        QWidget* caption = k().caption;
        const QPointF grip(5, 5);
        Mouse(caption, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        Mouse(caption, QEvent::MouseMove, grip + QPointF(5000, 5000), Qt::NoButton, Qt::LeftButton);
        Mouse(caption, QEvent::MouseButtonRelease, grip + QPointF(5000, 5000), Qt::LeftButton, Qt::NoButton);
        QVERIFY(g().rect().contains(k().geometry()));
        QVERIFY(k().x() > 0);
        Mouse(caption, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        Mouse(caption, QEvent::MouseMove, grip - QPointF(5000, 5000), Qt::NoButton, Qt::LeftButton);
        Mouse(caption, QEvent::MouseButtonRelease, grip - QPointF(5000, 5000), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(k().x(), 0);
        QCOMPARE(k().y(), g().menuBar->height());
    }
};

QTEST_MAIN(TestDesign1)
#include "test_design1.moc"
