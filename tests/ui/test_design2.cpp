// The chart window's "Diagram Settings" panel: grid, colour presets and
// background colours, automatic and manual spacing, logarithmic axes, frames,
// margins, numbering and origins, as the user sets them through the controls.

#include <QtTest>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>
#include <functional>

#include "core/chart/axisscale.h"
#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "chart_fixture.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;

namespace {

const Rgb kBlack = RGB(0, 0, 0);
const Rgb kWhite = RGB(255, 255, 255);
const Rgb kGrey = RGB(210, 210, 210);

} // namespace

class TestDesign2 : public QObject, public test::ChartFixture {
    Q_OBJECT

    FraTabs& t() { return *g().fraTabs; }
    Axis& axis(AxisId id) { return chart().ChartArea().Axes(id); }

    // The axis window through the coordinates dialog.
    void setWindow(double xMin, double xMax, double yMin, double yMax)
    {
        const double v[5] = {0, xMin, xMax, yMin, yMax};
        for (int i = 1; i <= 4; ++i) g().coord[std::size_t(i)]->setText(QString::number(v[i]));
        g().cmdCoord_OK->click();
    }

    QStringList boxTexts()
    {
        QStringList s;
        for (QLineEdit* e : t().spacingBoxes()) s << e->text();
        return s;
    }

private slots:
    void init()
    {
        start(1000, 750);
        QApplication::setActiveWindow(&app().mainWindow()); // Esc needs the focus in the panel
        // a first-order simulation A => P drawn in a fresh chart window (t 0..20)
        simulate(2, 20);
        if (QTest::currentTestFailed()) return;
        QVERIFY(g().fraTabs);
    }
    void cleanup() { stop(); }

    void loadSetsTheControlsAndTheChart()
    {
        // the controls the load sets, and what their handlers did
        QVERIFY(t().opt1Gitter[3]->isChecked());
        QVERIFY(t().opt2Gitter[0]->isChecked());
        QCOMPARE(g().GitterModus, 3);
        QCOMPARE(g().GitterLinienart, int(LinePattern::Dotted));
        QVERIFY(t().optFrameType[0]->isChecked());
        QCOMPARE(chart().Border().Type(), int(BorderType::None));
        QVERIFY(!t().UpDownRBreite->isEnabled());
        QCOMPARE(t().labRBreite->text(), QString("1"));
        QCOMPARE(chart().Border().Width(), 1);
        QVERIFY(t().optSM[4]->isChecked());
        QCOMPARE(chart().ChartArea().Border().Type(), int(BorderType::Plain));
        QVERIFY(t().chkDiaFrame->isChecked());
        QVERIFY(chart().ChartArea().PlotArea().IsBoxed());
        QVERIFY(t().optStandardOrigin[0]->isChecked());
        QVERIFY(t().fraXOrigin->isHidden());
        QCOMPARE(axis(AxisId::X).OriginPlacement(), int(OriginPlacement::Minimum));
        QVERIFY(t().optXZiffern[0]->isChecked() && t().optYZiffern[0]->isChecked());
        QCOMPARE(axis(AxisId::Y).NumberingPlacement(), int(NumberingPlacement::Minimum));
        QVERIFY(t().chkAutoRand->isChecked());
        QVERIFY(!t().scrHL->isEnabled() && !t().frRandBreite->isEnabled());
        QVERIFY(chart().ChartArea().PlotArea().Margins().LeftAuto());
        QVERIFY(t().optScaling[0]->isChecked());
        for (QLineEdit* e : t().spacingBoxes()) QVERIFY(!e->isEnabled());
        QCOMPARE(t().tabDesign->currentIndex(), 5);
        QCOMPARE(t().tabDesign->tabText(5), QString("Grid and Colours"));
        // the white preset of the load: the colour buttons show it
        QCOMPARE(ButtonColor(t().cmdRandCol_out), kWhite);
        QCOMPARE(ButtonColor(t().cmdRandCol_in), kWhite);
        QCOMPARE(ButtonColor(t().cmdGitterFarbe), RGB(143, 143, 143));

        // "Diagram" opens the panel, "Close" and Esc close it
        QVERIFY(g().mnuDesignMore->isEnabled());
        QVERIFY(t().isHidden());
        g().mnuDesignMore->trigger();
        QVERIFY(!t().isHidden());
        t().cmdTabs_OK->click();
        QVERIFY(t().isHidden());
        g().mnuDesignMore->trigger();
        t().tabDesign->setFocus();
        QTest::keyClick(t().tabDesign, Qt::Key_Escape);
        QVERIFY(t().isHidden());
        g().mnuDesignMore_Click();
        g().HideDesignFrames();
        QVERIFY(t().isHidden());
    }

    void gridChoiceAndLineStyle()
    {
        const Axis& x = axis(AxisId::X);
        const Axis& y = axis(AxisId::Y);
        // "Full grid" after "solid line": solid on both axes
        t().opt2Gitter[1]->click();
        t().opt1Gitter[0]->click();
        t().opt1Gitter[3]->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::Solid));
        QCOMPARE(y.GridStyle().Pattern(), int(LinePattern::Solid));
        // "Curve dotted" redraws them dotted and keeps the choice
        t().opt2Gitter[0]->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::Dotted));
        QCOMPARE(y.GridStyle().Pattern(), int(LinePattern::Dotted));
        QCOMPARE(g().GitterModus, 3);
        QVERIFY(t().opt1Gitter[3]->isChecked());
        // "Y-Grid only" / "X-Grid only"
        t().opt1Gitter[1]->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::None));
        QCOMPARE(y.GridStyle().Pattern(), int(LinePattern::Dotted));
        t().opt1Gitter[2]->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::Dotted));
        QCOMPARE(y.GridStyle().Pattern(), int(LinePattern::None));

        // "without Grid", then the white preset: a grid on both axes in the line
        // style, while "without Grid" stays selected
        t().opt2Gitter[1]->click();
        t().opt1Gitter[0]->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::None));
        t().cmdFullWhite->click();
        QCOMPARE(x.GridStyle().Pattern(), int(LinePattern::Solid));
        QCOMPARE(y.GridStyle().Pattern(), int(LinePattern::Solid));
        QVERIFY(t().opt1Gitter[0]->isChecked());
        QCOMPARE(g().GitterModus, 0);
    }

    void presetsAgainstTheirTable()
    {
        struct Row {
            QPushButton* FraTabs::*button;
            Rgb back;          // chart, header, footer, chart area backgrounds; the two border buttons
            Rgb areaFore;      // chart area foreground
            Rgb grid;          // grid colour of X and Y
            Rgb plot;          // plot area background
            Rgb legendFore;
        };
        // the grey preset leaves what the black one set before it
        const Row rows[] = {
            {&FraTabs::cmdFullBlack, kBlack, kWhite, RGB(130, 130, 130), kBlack, kWhite},
            {&FraTabs::cmdRandColGrau, kGrey, kWhite, RGB(130, 130, 130), kBlack, kWhite},
            {&FraTabs::cmdFullWhite, kWhite, kBlack, RGB(143, 143, 143), kWhite, kBlack},
            {&FraTabs::cmdRandColGrau, kGrey, kBlack, RGB(143, 143, 143), kWhite, kBlack},
        };
        for (const Row& r : rows) {
            (t().*(r.button))->click();
            const Chart2D& c = chart();
            QVERIFY(!c.IsBatched());
            QCOMPARE(c.Interior().BackgroundColor(), r.back);
            QCOMPARE(c.Header().Interior().BackgroundColor(), r.back);
            QCOMPARE(c.Footer().Interior().BackgroundColor(), r.back);
            QCOMPARE(c.ChartArea().Interior().BackgroundColor(), r.back);
            QCOMPARE(c.Header().Interior().ForegroundColor(), r.back == kBlack ? kWhite : kBlack);
            QCOMPARE(c.ChartArea().Interior().ForegroundColor(), r.areaFore);
            QCOMPARE(c.ChartArea().Axes(AxisId::X).GridStyle().Color(), r.grid);
            QCOMPARE(c.ChartArea().Axes(AxisId::Y).GridStyle().Color(), r.grid);
            QCOMPARE(c.ChartArea().PlotArea().Interior().BackgroundColor(), r.plot);
            QVERIFY(c.Legend().Interior().IsTransparent());
            QCOMPARE(c.Legend().Interior().ForegroundColor(), r.legendFore);
            // the buttons show the colours the chart now has
            QCOMPARE(ButtonColor(t().cmdRandCol_out), r.back);
            QCOMPARE(ButtonColor(t().cmdRandCol_in), r.back);
            QCOMPARE(ButtonColor(t().cmdColor_in), r.plot);
            QCOMPARE(ButtonColor(t().cmdGitterFarbe), r.grid);
        }
    }

    void colourButtonsApplyAChoiceAndCancelChangesNothing()
    {
        struct Row {
            QPushButton* FraTabs::*button;
            std::function<Rgb(const Chart2D&)> colour;
            std::function<void(Chart2D&, Rgb)> set;
            bool dialogFromChart; // the dialog starts from the chart's colour, else the button's
        };
        const Row rows[] = {
            {&FraTabs::cmdRandCol_out, [](const Chart2D& c) { return c.Interior().BackgroundColor(); },
             [](Chart2D& c, Rgb v) { c.Interior().setBackgroundColor(v); }, false},
            {&FraTabs::cmdRandCol_in, [](const Chart2D& c) { return c.ChartArea().Interior().BackgroundColor(); },
             [](Chart2D& c, Rgb v) { c.ChartArea().Interior().setBackgroundColor(v); }, false},
            {&FraTabs::cmdColor_in,
             [](const Chart2D& c) { return c.ChartArea().PlotArea().Interior().BackgroundColor(); },
             [](Chart2D& c, Rgb v) { c.ChartArea().PlotArea().Interior().setBackgroundColor(v); }, false},
            {&FraTabs::cmdGitterFarbe,
             [](const Chart2D& c) { return c.ChartArea().Axes(AxisId::Y).GridStyle().Color(); },
             [](Chart2D& c, Rgb v) {
                 c.ChartArea().Axes(AxisId::X).GridStyle().setColor(v);
                 c.ChartArea().Axes(AxisId::Y).GridStyle().setColor(v);
             },
             true},
        };
        const Rgb chosen = RGB(12, 140, 200);
        const Rgb other = RGB(77, 1, 5);
        for (const Row& r : rows) {
            QPushButton* b = t().*(r.button);
            // the chart has a colour the button does not show (as after loading a
            // diagram file): Cancel keeps both as they are
            const Rgb shown = ButtonColor(b);
            r.set(chart(), other);
            rec().colorAnswers.push_back(std::nullopt);
            b->click();
            QCOMPARE(r.colour(chart()), other);
            QCOMPARE(ButtonColor(b), shown);
            const Rgb start = r.dialogFromChart ? other : shown;
            QCOMPARE(rec().colorRequests.back(), QColor(start.r, start.g, start.b));
            // a choice colours the element and the button
            rec().colorAnswers.push_back(QColor(chosen.r, chosen.g, chosen.b));
            b->click();
            QCOMPARE(r.colour(chart()), chosen);
            QCOMPARE(ButtonColor(b), chosen);
        }
        // the grid colour is the colour of both axes' grids
        QCOMPARE(axis(AxisId::X).GridStyle().Color(), chosen);
    }

    void automaticSpacingFillsTheBoxes()
    {
        setWindow(0, 100, 0, 1);
        QVERIFY(rec().messages.empty());
        QCOMPARE(boxTexts(), QStringList({" 20", " 0.2", " 20", " 0.2", " 20", " 0.2"}));
        for (QLineEdit* e : t().spacingBoxes()) QVERIFY(!e->isEnabled());
        QVERIFY(axis(AxisId::X).GridSpacing().IsAuto());
        QCOMPARE(chart().Scale(AxisId::X).grid.size(), std::size_t(6));

        // "manual" opens the boxes and takes the two grid boxes' numbers
        t().txtXGridValue->setText("25");
        t().optScaling[1]->click();
        for (QLineEdit* e : t().spacingBoxes()) QVERIFY(e->isEnabled());
        QVERIFY(!axis(AxisId::X).GridSpacing().IsAuto());
        QVERIFY(!axis(AxisId::Y).TickSpacing().IsAuto());
        QCOMPARE(chart().Scale(AxisId::X).gridSpacing, 25.0);
        // a box edited under "manual" takes effect at once; "," is read as "."
        t().txtYGridValue->setText("0,25");
        QCOMPARE(t().txtYGridValue->text(), QString("0.25"));
        QCOMPARE(chart().Scale(AxisId::Y).gridSpacing, 0.25);
        // a tick box also runs the numbering box of its axis
        QVERIFY(axis(AxisId::X).NumSpacing().IsAuto());
        t().txtXTickValue->setText("5");
        QCOMPARE(chart().Scale(AxisId::X).tickSpacing, 5.0);
        QVERIFY(!axis(AxisId::X).NumSpacing().IsAuto());
        QCOMPARE(chart().Scale(AxisId::X).numSpacing, 20.0);
        t().txtXZiffValue->setText("50");
        QCOMPARE(chart().Scale(AxisId::X).numbers, (std::vector<double>{0, 50, 100}));

        // "automat." again: computed spacings, shown in the boxes
        t().optScaling[0]->click();
        QCOMPARE(boxTexts(), QStringList({" 20", " 0.2", " 20", " 0.2", " 20", " 0.2"}));
        QVERIFY(axis(AxisId::X).NumSpacing().IsAuto());
        QCOMPARE(chart().Scale(AxisId::X).numSpacing, 20.0);
    }

    void manualBoxThatCannotBeUsedKeepsTheAutomaticSpacing()
    {
        // letters only in the X grid box: the spacing is 0, drawn automatically
        t().txtXGridValue->setText("abc");
        t().optScaling[1]->click();
        QCOMPARE(axis(AxisId::X).GridSpacing().Value(), 0.0);
        QVERIFY(!axis(AxisId::X).GridSpacing().IsAuto());
        QCOMPARE(chart().Scale(AxisId::X).gridSpacing, 5.0); // t 0..20
        QCOMPARE(t().txtXGridValue->text(), QString("abc"));

        // 0, negative, or so fine that it would draw millions of lines
        for (const QString& text : {QString("0"), QString("-2"), QString("0.000001"), QString("1e-300")}) {
            for (QLineEdit* e : {t().txtXGridValue, t().txtXTickValue, t().txtXZiffValue}) e->setText(text);
            const AxisScale& s = chart().Scale(AxisId::X);
            QCOMPARE(s.gridSpacing, 5.0);
            QCOMPARE(s.tickSpacing, 5.0);
            QCOMPARE(s.numSpacing, 5.0);
            QCOMPARE(s.grid.size(), std::size_t(5));
            QCOMPARE(t().txtXGridValue->text(), text);
            QCOMPARE(t().txtXZiffValue->text(), text);
        }
        // the Y axis keeps its own spacing
        QCOMPARE(chart().Scale(AxisId::Y).gridSpacing, 0.2);
    }

    void logarithmicAxes()
    {
        t().optScaling[1]->click();
        t().txtXGridValue->setText("3");
        // the X log button: the X axis logarithmic, every spacing automatic again
        t().cmdXLog->click();
        QVERIFY(axis(AxisId::X).IsLogarithmic());
        QVERIFY(chart().Scale(AxisId::X).log);
        QVERIFY(axis(AxisId::X).GridSpacing().IsAuto());
        QVERIFY(axis(AxisId::X).TickSpacing().IsAuto());
        // spaced in decades
        QCOMPARE(chart().Scale(AxisId::X).gridSpacing, 1.0);
        QCOMPARE(t().txtXGridValue->text(), QString(" 1"));
        for (QLineEdit* e : t().spacingBoxes()) QVERIFY(!e->isEnabled());
        // the option buttons are not changed, and the axis window stays
        QVERIFY(t().optScaling[1]->isChecked());
        QCOMPARE(axis(AxisId::X).Min(), 0.0);
        QCOMPARE(axis(AxisId::X).Max(), 20.0);
        // twice: linear again, automatic spacings
        t().cmdXLog->click();
        QVERIFY(!axis(AxisId::X).IsLogarithmic());
        QVERIFY(axis(AxisId::X).GridSpacing().IsAuto());
        QCOMPARE(t().txtXGridValue->text(), QString(" 5"));
        // clicking the selected "manual" opens the boxes again
        t().optScaling[1]->click();
        for (QLineEdit* e : t().spacingBoxes()) QVERIFY(e->isEnabled());

        // the Y log button inverts Y and Y2 each by itself
        Axis& y2 = axis(AxisId::Y2);
        y2.setIsLogarithmic(true);
        t().cmdYLog->click();
        QVERIFY(axis(AxisId::Y).IsLogarithmic());
        QVERIFY(!y2.IsLogarithmic());
        // the concentration 0..1 window shows decades of its positive part
        QCOMPARE(t().txtYGridValue->text(), QString(" 1"));
        QVERIFY(chart().Scale(AxisId::Y).min > 0);
        t().cmdYLog->click();
        QVERIFY(!axis(AxisId::Y).IsLogarithmic());
        QCOMPARE(t().txtYGridValue->text(), QString(" 0.2"));
    }

    void frameTypeAndWidth()
    {
        const int types[4] = {BorderType::None, BorderType::Raised3D, BorderType::Plain, BorderType::Etched};
        for (int i : {2, 0, 1, 3}) {
            t().optFrameType[std::size_t(i)]->click();
            QCOMPARE(chart().Border().Type(), types[i]);
            QCOMPARE(t().UpDownRBreite->isEnabled(), i != 0);
            QCOMPARE(t().labRBreite->isEnabled(), i != 0);
        }
        t().optFrameType[2]->click();
        t().UpDownRBreite->upButton()->click();
        t().UpDownRBreite->upButton()->click();
        QCOMPARE(t().labRBreite->text(), QString("3"));
        QCOMPARE(chart().Border().Width(), 3);
        t().UpDownRBreite->downButton()->click();
        QCOMPARE(chart().Border().Width(), 2);
        // the width stays inside its range
        for (int k = 0; k < 5; ++k) t().UpDownRBreite->downButton()->click();
        QCOMPARE(t().labRBreite->text(), QString("1"));
        QCOMPARE(chart().Border().Width(), 1);

        // the chart area's frame and the plot area's box
        const int areaTypes[5] = {0, 1, 2, 3, 4};
        for (int i = 0; i < 5; ++i) {
            t().optSM[std::size_t(i)]->click();
            QCOMPARE(chart().ChartArea().Border().Type(), areaTypes[i]);
        }
        t().chkDiaFrame->click();
        QVERIFY(!chart().ChartArea().PlotArea().IsBoxed());
        t().chkDiaFrame->click();
        QVERIFY(chart().ChartArea().PlotArea().IsBoxed());
    }

    void automaticBordersAndTheMarginScrollBars()
    {
        const MarginSet& m = chart().ChartArea().PlotArea().Margins();
        const int left = m.Left();
        QVERIFY(left > 0);
        // unchecking opens the bars and changes no margin
        t().chkAutoRand->click();
        QVERIFY(t().scrHL->isEnabled() && t().scrHU->isEnabled() && t().frRandBreite->isEnabled());
        QVERIFY(t().lb[0]->isEnabled() && t().lb[4]->isEnabled());
        QVERIFY(m.LeftAuto() && m.TopAuto() && m.RightAuto() && m.BottomAuto());
        QCOMPARE(t().scrHL->value(), left);
        // a bar sets its own margin only
        t().scrHL->setValue(120);
        QCOMPARE(m.Left(), 120);
        QVERIFY(!m.LeftAuto());
        QVERIFY(m.TopAuto() && m.BottomAuto());
        t().scrHO->setValue(30);
        t().scrHU->setValue(70);
        t().scrHR->setValue(25);
        QCOMPARE(m.Top(), 30);
        QCOMPARE(m.Bottom(), 70);
        QCOMPARE(m.Right(), 25);
        QCOMPARE(chart().Layout().plot.x - chart().Layout().chartArea.x, 120.0);
        // checking makes all four automatic again and closes the bars
        t().chkAutoRand->click();
        QVERIFY(m.LeftAuto() && m.TopAuto() && m.RightAuto() && m.BottomAuto());
        QCOMPARE(m.Left(), left);
        QVERIFY(!t().scrHL->isEnabled() && !t().frRandBreite->isEnabled());
    }

    void numberingPlacement()
    {
        const int placements[3] = {NumberingPlacement::Minimum, NumberingPlacement::AtAxis,
                                   NumberingPlacement::Maximum};
        for (int i : {1, 2, 0}) {
            t().optXZiffern[std::size_t(i)]->click();
            QCOMPARE(axis(AxisId::X).NumberingPlacement(), placements[i]);
            t().optYZiffern[std::size_t((i + 1) % 3)]->click();
            QCOMPARE(axis(AxisId::Y).NumberingPlacement(), placements[(i + 1) % 3]);
        }
    }

    void eachOriginOption()
    {
        // automatic: both origins in the minimum (t 0..20, c 0..1), shown in the boxes
        QCOMPARE(t().txtXOrigin->text(), QString(" 0"));
        QCOMPARE(t().txtYOrigin->text(), QString(" 0"));
        setWindow(-10, 10, -2, 2);
        t().optStandardOrigin[1]->click();
        t().optStandardOrigin[0]->click();
        QCOMPARE(t().txtXOrigin->text(), QString("-10"));
        QCOMPARE(t().txtYOrigin->text(), QString("-2"));
        t().optStandardOrigin[1]->click();
        QVERIFY(!t().fraXOrigin->isHidden() && !t().fraYOrigin->isHidden());
        QVERIFY(t().optXOrigin[0]->isChecked());

        struct Row {
            int index;
            int placement;
            double x; // where the Y axis stands on -10..10
        };
        const Row rows[] = {{1, OriginPlacement::Zero, 0},
                            {2, OriginPlacement::Maximum, 10},
                            {3, OriginPlacement::Value, -10},
                            {0, OriginPlacement::Minimum, -10}};
        for (const Row& r : rows) {
            t().optXOrigin[std::size_t(r.index)]->click();
            QCOMPARE(axis(AxisId::X).OriginPlacement(), r.placement);
            QCOMPARE(chart().Scale(AxisId::X).origin, r.x);
        }
        // "at X =": the value in the box, also when the box is edited afterwards
        t().txtXOrigin->setText("4");
        t().optXOrigin[3]->click();
        QCOMPARE(chart().Scale(AxisId::X).origin, 4.0);
        t().txtXOrigin->setText("-2,5");
        QCOMPARE(t().txtXOrigin->text(), QString("-2.5"));
        QCOMPARE(chart().Scale(AxisId::X).origin, -2.5);
        // the Y axis line stands at 37.5 % of the plot width
        const ChartLayout& L = chart().Layout();
        QVERIFY(std::abs(L.axis(AxisId::Y).linePos - (L.plot.x + 0.375 * L.plot.w)) < 1.0);
        // beyond the window: at its edge
        t().txtXOrigin->setText("99");
        QCOMPARE(chart().Scale(AxisId::X).origin, 10.0);
        // "at Y =" alike
        QCOMPARE(t().optXOrigin[3]->text(), QString("at X ="));
        QCOMPARE(t().optYOrigin[3]->text(), QString("at Y = 0"));
        t().txtYOrigin->setText("1.5");
        t().optYOrigin[3]->click();
        QCOMPARE(axis(AxisId::Y).OriginPlacement(), int(OriginPlacement::Value));
        QCOMPARE(chart().Scale(AxisId::Y).origin, 1.5);
        t().optYOrigin[1]->click();
        QCOMPARE(chart().Scale(AxisId::Y).origin, 0.0);

        // back to automatic: both in the minimum, the manual options hidden
        t().optStandardOrigin[0]->click();
        QCOMPARE(axis(AxisId::X).OriginPlacement(), int(OriginPlacement::Minimum));
        QCOMPARE(axis(AxisId::Y).OriginPlacement(), int(OriginPlacement::Minimum));
        QVERIFY(t().fraXOrigin->isHidden());
        QVERIFY(t().optXOrigin[0]->isChecked() && t().optYOrigin[0]->isChecked());
        QCOMPARE(t().txtYOrigin->text(), QString("-2"));
    }
};

QTEST_MAIN(TestDesign2)
#include "test_design2.moc"
