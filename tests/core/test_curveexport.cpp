#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/chart/chartcontent.h"
#include "core/chart/curveexport.h"
#include "core/chart/diagramfile.h"
#include "core/shell/numtext.h"

using namespace kinhom;

namespace {

struct Recorder : KinNotify {
    int boxes = 0;
    int beeps = 0;
    void message(const std::string&, const std::string&, int) override { ++boxes; }
    void beep() override { ++beeps; }
    void captionsChanged(int) override {}
};

// A chart with the window's content layout.
void WindowLayout(Chart2D& c)
{
    ChartContentOptions o;
    o.vorwahlfarbe = RGB(0, 0, 255);
    SetupChartContent(c, o);
}

void PutCurve(Chart2D& c, int slot, const std::vector<double>& x, const std::vector<double>& y)
{
    c.ChartGroups(1).Data().setPoints(slot, x.data(), y.data(), static_cast<int>(x.size()));
    c.ChartGroups(1).Data().setDisplay(slot, DisplayState::Shown);
}

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return lines;
}

} // namespace

// ---- curve number of a tab ------------------------------------------------------------------

TEST(CurveExport, TabCaptionNamesTheCurveSlot)
{
    const struct {
        const char* caption;
        int n;
    } cases[] = {
        {"C. 1", 1},   {"  C. 24  ", 24}, {"C.7", 7}, {"C. 3.6", 4}, // rounded like an integer conversion
        {"C. 25", 0},  {"C. 0", 0},       {"C. -2", 0}, {"C.", 0},
        {"", 0},       {"   ", 0},        {"C 3", 0},   {"C. x", 0},
        {"C. 1E30", 0}, {"C. 1E999", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CurveNumberFromTabCaption(c.caption), c.n) << '"' << c.caption << '"';
}

// ---- clipboard text ----------------------------------------------------------------------

TEST(CurveExport, ClipboardTextHasOneCrLfLinePerPoint)
{
    Chart2D c;
    WindowLayout(c);
    PutCurve(c, 3, {0, 0.5, 1.25, 2}, {1, 0.75, -0.5, 1e-5});
    const std::string text = CurveClipboardText(c, 3, '.');
    EXPECT_EQ(text, "0\t1\r\n0.5\t0.75\r\n1.25\t-0.5\r\n2\t1E-05\r\n");
    const auto lines = SplitCrLf(text);
    EXPECT_EQ(lines.size(), 4u);
    // No bare LF anywhere: every line end is CR LF.
    std::size_t lf = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ++lf;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r');
        }
    EXPECT_EQ(lf, 4u);
    // The tab names the same curve.
    EXPECT_EQ(CurveClipboardTextForTab(c, "C. 3", '.'), text);
}

TEST(CurveExport, ClipboardValuesAreRoundedToSinglePrecision)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0.1234567891, "0.1234568"},
        {1.0 / 3.0, "0.3333333"},
        {123456789.0, "1.234568E+08"},
        {-2.5e-7, "-2.5E-07"},
        {1e300, "1E+300"}, // beyond a single: written in full rather than as "Inf"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CurvePointValueText(c.v, '.'), c.text) << c.v;
        EXPECT_EQ(CurveClipboardText({c.v}, {c.v}, '.'), std::string(c.text) + "\t" + c.text + "\r\n");
    }
}

TEST(CurveExport, ClipboardTextUsesTheLocalesDecimalSign)
{
    const std::string text = CurveClipboardText({0.5, 12.25}, {1.0 / 3.0, -3}, ',');
    EXPECT_EQ(text, "0,5\t0,3333333\r\n12,25\t-3\r\n");
    EXPECT_EQ(text.find('.'), std::string::npos);
}

TEST(CurveExport, EmptyOrUnnamedCurvesGiveAnEmptyClipboardText)
{
    Chart2D c;
    WindowLayout(c);
    PutCurve(c, 1, {1, 2}, {3, 4});
    EXPECT_EQ(CurveClipboardText(c, 2, '.'), "");           // an empty series
    EXPECT_EQ(CurveClipboardTextForTab(c, "", '.'), "");    // a cleared caption names no curve
    EXPECT_EQ(CurveClipboardTextForTab(c, "C. ", '.'), "");
    EXPECT_EQ(CurveClipboardText(c, 0, '.'), "");
    EXPECT_EQ(CurveClipboardText(c, 26, '.'), "");          // a half-life mark is no curve
    Chart2D bare;                                           // a chart without series
    EXPECT_EQ(CurveClipboardText(bare, 1, '.'), "");
    EXPECT_EQ(CurveClipboardText({}, {}, '.'), "");
    EXPECT_EQ(CurveClipboardText({1, 2, 3}, {4}, '.'), "1\t4\r\n");
}

// ---- curve point file --------------------------------------------------------------------

TEST(CurveExport, CurvePointFileHoldsTitleThenXSeparatorY)
{
    Chart2D c;
    WindowLayout(c);
    PutCurve(c, 2, {0, 0.1234567891, 10}, {1, 0.5, 2.5e-6});
    c.ChartGroups(1).SeriesLabels().setItem(2, "c(B) sim.");
    EXPECT_EQ(CurvePointFileText(c, 2, ";"), "c(B) sim.\r\n0;1\r\n0.1234568;0.5\r\n10;2.5E-06\r\n");
    EXPECT_EQ(CurvePointFileText(c, 2, "\t"), "c(B) sim.\r\n0\t1\r\n0.1234568\t0.5\r\n10\t2.5E-06\r\n");
    // "," separates while "." stays the decimal sign, so the numbers stay apart.
    EXPECT_EQ(CurvePointFileText("t", {1.5}, {2.25}, ","), "t\r\n1.5,2.25\r\n");
    // A separator that could run into the numbers is not used.
    for (const char* bad : {"", " ", ".", "-", "E", ";;"})
        EXPECT_EQ(CurvePointFileText("t", {1.5}, {-2}, bad), "t\r\n1.5;-2\r\n") << '"' << bad << '"';
    // An empty curve gives the title line alone.
    EXPECT_EQ(CurvePointFileText(c, 4, ";"), "Curve 4\r\n");
}

TEST(CurveExport, CurvePointFileReadsBackToTheSinglePoints)
{
    std::vector<double> x, y;
    for (int i = 0; i <= 200; ++i) {
        x.push_back(i * 0.37);
        y.push_back(std::exp(-0.15 * i * 0.37) * 1.23456789);
    }
    for (const std::string sep : {";", ",", "\t"}) {
        const auto lines = SplitCrLf(CurvePointFileText("A => P\r\nsecond line", x, y, sep));
        ASSERT_EQ(lines.size(), x.size() + 1);
        EXPECT_EQ(lines[0], "A => P  second line"); // the title stays one line
        for (std::size_t i = 0; i < x.size(); ++i) {
            const std::string& l = lines[i + 1];
            const std::size_t at = l.find(sep);
            ASSERT_NE(at, std::string::npos) << l;
            // Seven significant digits: within half a unit of the seventh digit.
            const double rx = Val(l.substr(0, at)), ry = Val(l.substr(at + sep.size()));
            EXPECT_NEAR(rx, x[i], 6e-7 * std::fabs(x[i])) << l;
            EXPECT_NEAR(ry, y[i], 6e-7 * std::fabs(y[i])) << l;
            EXPECT_NE(l.find('.'), std::string::npos) << l; // "." decimal sign, never ","
        }
    }
}

TEST(CurveExport, CurvePointFileTitleNamesTheCurve)
{
    Chart2D c;
    WindowLayout(c);
    c.ChartGroups(1).SeriesLabels().setItem(1, "  legend of 1 ");
    c.ChartLabels(1).setText("c(A) ");
    c.ChartLabels(2).setText("c(B) ");
    c.ChartLabels(3).setText("3");       // the bare slot number of a deleted curve
    c.ChartLabels(4).setText("T/K =\r\n298.15");
    EXPECT_EQ(CurvePointFileTitle(c, 1), "legend of 1");
    EXPECT_EQ(CurvePointFileTitle(c, 2), "c(B)");
    EXPECT_EQ(CurvePointFileTitle(c, 3), "Curve 3");
    EXPECT_EQ(CurvePointFileTitle(c, 4), "T/K =  298.15");
    EXPECT_EQ(CurvePointFileTitle(c, 5), "Curve 5");
}

// ---- deleting ------------------------------------------------------------------------------

TEST(CurveExport, DeletingCurveTwoOfThree)
{
    Chart2D c;
    WindowLayout(c);
    KurvenSlots frei;
    frei.fill(true);
    int anzahl = 0;
    for (int i = 1; i <= 3; ++i) {
        int slot = 0;
        ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
        ASSERT_EQ(slot, i);
        PutCurve(c, slot, {0, 1}, {1, 0.5});
        c.ChartLabels(slot).setText("c(X) ");
    }

    ClearCurveSeries(c, 2);
    EXPECT_FALSE(FreeCurveSlots(frei, anzahl, 2));
    EXPECT_EQ(anzahl, 2);
    const ChartData& d = c.ChartGroups(1).Data();
    EXPECT_EQ(d.NumPoints(2), 0);
    EXPECT_EQ(d.Display(2), DisplayState::Hidden);
    EXPECT_EQ(c.ChartLabels(2).Text(), "2");
    for (int other : {1, 3}) {
        EXPECT_EQ(d.NumPoints(other), 2);
        EXPECT_EQ(d.Display(other), DisplayState::Shown);
        EXPECT_EQ(c.ChartLabels(other).Text(), "c(X) ");
    }
    // Deleting the same slot again leaves the count of existing curves alone.
    EXPECT_FALSE(FreeCurveSlots(frei, anzahl, 2));
    EXPECT_EQ(anzahl, 2);

    int slot = 0;
    ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(anzahl, 3);

    // The last curves gone: the count reports empty.
    EXPECT_FALSE(FreeCurveSlots(frei, anzahl, 1));
    EXPECT_FALSE(FreeCurveSlots(frei, anzahl, 2));
    EXPECT_TRUE(FreeCurveSlots(frei, anzahl, 3));
    EXPECT_EQ(anzahl, 0);
}

TEST(CurveExport, DeletingAllCurvesRenumbersTheLabelsAndKeepsTheirShownState)
{
    Chart2D c;
    WindowLayout(c);
    for (int i = 1; i <= 24; ++i) {
        PutCurve(c, i, {0, 1}, {i * 1.0, 0});
        c.ChartLabels(i).setText("curve text");
        c.ChartLabels(i).setIsShowing(i % 3 != 0);
    }
    const double mx[2] = {4.6, 4.6}, my[2] = {-1e4, 1e4};
    c.ChartGroups(1).Data().setPoints(kHalfLifeSeriesA, mx, my, 2);

    KurvenSlots frei;
    frei.fill(false);
    int anzahl = 24;
    ClearCurveSeries(c, 0);
    EXPECT_TRUE(FreeCurveSlots(frei, anzahl, 0));
    EXPECT_EQ(anzahl, 0);
    for (int i = 1; i <= 24; ++i) {
        EXPECT_EQ(c.ChartLabels(i).Text(), std::to_string(i));
        EXPECT_EQ(c.ChartLabels(i).IsShowing(), i % 3 != 0) << i;
        EXPECT_EQ(c.ChartGroups(1).Data().NumPoints(i), 0);
        EXPECT_EQ(c.ChartGroups(1).Data().Display(i), DisplayState::Excluded);
        EXPECT_TRUE(frei[static_cast<std::size_t>(i)]);
    }
    // The half-life mark is left to Delete > Mark half-lives.
    EXPECT_EQ(c.ChartGroups(1).Data().NumPoints(kHalfLifeSeriesA), 2);
    ClearHalfLifeMarks(c);
    EXPECT_EQ(c.ChartGroups(1).Data().NumPoints(kHalfLifeSeriesA), 0);
    EXPECT_FALSE(c.ChartLabels(kHalfLifeSeriesA).IsShowing());
    EXPECT_FALSE(c.ChartLabels(kHalfLifeSeriesB).IsShowing());

    // Indices outside 0..24 change nothing.
    const auto rev = c.Revision();
    ClearCurveSeries(c, 25);
    ClearCurveSeries(c, -1);
    EXPECT_EQ(c.Revision(), rev);
}

TEST(CurveExport, DeletingPointSets)
{
    Chart2D c;
    WindowLayout(c);
    ChartGroup& g = c.ChartGroups(2);
    const double px[3] = {1, 2, 3}, py[3] = {0.9, 0.8, 0.7};
    for (int j = 1; j <= 7; ++j) {
        g.Data().setPoints(j, px, py, 3);
        g.SeriesLabels().setItem(j, "set " + std::to_string(j));
    }
    ClearPointSets(c, 3);
    EXPECT_EQ(g.Data().NumPoints(3), 0);
    EXPECT_EQ(g.SeriesLabels().Item(3), "");
    EXPECT_EQ(g.Data().NumPoints(4), 3);
    EXPECT_EQ(g.SeriesLabels().Item(4), "set 4");

    // "all": also on a group whose legend list was longer, one empty text per set.
    g.SeriesLabels().Add("stray");
    ClearPointSets(c, 0);
    EXPECT_EQ(g.SeriesLabels().Count(), 7);
    for (int j = 1; j <= 7; ++j) {
        EXPECT_EQ(g.Data().NumPoints(j), 0);
        EXPECT_EQ(g.SeriesLabels().Item(j), "");
    }
}

TEST(CurveExport, AddLegendNeedsSomeLegendText)
{
    Chart2D c;
    WindowLayout(c);
    const std::vector<std::string> none(8);
    EXPECT_FALSE(LegendTextsGiven(c, none));
    std::vector<std::string> points = none;
    points[5] = "k-T";
    EXPECT_TRUE(LegendTextsGiven(c, points));
    c.ChartGroups(1).SeriesLabels().setItem(24, "c(Q) ");
    EXPECT_TRUE(LegendTextsGiven(c, none));
    // A legend text of a series beyond the curves (here 25, if it had one) does not count.
    Chart2D d;
    WindowLayout(d);
    d.ChartGroups(1).SeriesLabels().Add("");
    d.ChartGroups(1).SeriesLabels().setItem(25, "axis window");
    EXPECT_FALSE(LegendTextsGiven(d, none));
    EXPECT_EQ(NoLegendTextsMessage().substr(0, 25), "No legend texts given\r\n\r\n");
}

// ---- half-life marks -------------------------------------------------------------------

TEST(CurveExport, HalfLifeMenuByDiagramCodeAndModel)
{
    const struct {
        int typ, modell;
        bool a, b;
        const char* captionA;
        const char* captionB;
    } cases[] = {
        {20, 20, true, false, "Half-life of A", "Half-life of B"}, // n-th order: no B
        {70, 20, true, false, "Half-life of A", "Half-life of B"},
        {18, 18, true, true, "Half-life of A", "Half-life of B"},
        {10, 10, true, true, "Half-life of E", "Half-life of S"},
        {60, 10, true, true, "Half-life of E", "Half-life of S"},
        {2, 2, true, false, "Half-life of A", "Half-life of B"},
        {54, 4, true, true, "Half-life of A", "Half-life of B"},
        {-8, 4, true, true, "Half-life of A", "Half-life of B"},
        {-5, 2, true, false, "Half-life of A", "Half-life of B"},
        {-4, 2, false, false, "Half-life of A", "Half-life of B"},
        {-9, 2, false, false, "Half-life of A", "Half-life of B"},
        {0, 2, false, false, "Half-life of A", "Half-life of B"},
        {21, 2, false, false, "Half-life of A", "Half-life of B"},
        {50, 2, false, false, "Half-life of A", "Half-life of B"},
        {71, 2, false, false, "Half-life of A", "Half-life of B"},
        {100, 2, false, false, "Half-life of A", "Half-life of B"},
    };
    for (const auto& c : cases) {
        const HalfLifeMenuItems m = HalfLifeMenu(c.typ, c.modell);
        EXPECT_EQ(m.enabledA, c.a) << c.typ;
        EXPECT_EQ(m.enabledB, c.b) << c.typ;
        EXPECT_EQ(m.captionA, c.captionA) << c.modell;
        EXPECT_EQ(m.captionB, c.captionB) << c.modell;
    }
}

TEST(CurveExport, HalfLifeStatusTexts)
{
    EXPECT_EQ(HalfLifeStatusText(4.621f, false, "s", '.'), "Half-life tau(A) = 4.62 s");
    EXPECT_EQ(HalfLifeStatusText(4.621f, false, "s", ','), "Half-life tau(A) = 4,62 s");
    EXPECT_EQ(HalfLifeStatusText(0.005f, true, "min", '.'), "Half-life tau(B) = 0.01 min");
    EXPECT_EQ(HalfLifeStatusText(123456.7f, true, "h", '.'), "Half-life tau(B) = 123456.70 h");
    EXPECT_EQ(HalfLifeStatusText(2.675f, false, "a", '.'), "Half-life tau(A) = 2.68 a");

    const std::string notA = "c(A) = c(A)(0)/2 can not be reached under this conditions ";
    const std::string notB = "c(B) = c(B)(0)/2 can not be reached under this conditions ";
    const struct {
        float tau;
        bool b, numerisch;
        HalfLifeOutcome::Kind kind;
        std::string status;
    } cases[] = {
        {4.621f, false, false, HalfLifeOutcome::Kind::Mark, "Half-life tau(A) = 4.62 s"},
        {4.621f, true, true, HalfLifeOutcome::Kind::Mark, "Half-life tau(B) = 4.62 s"},
        {0.0f, false, false, HalfLifeOutcome::Kind::NoHalfLife, notA},
        {0.0f, true, false, HalfLifeOutcome::Kind::NoHalfLife, notB},
        {0.0f, true, true, HalfLifeOutcome::Kind::NoHalfLife, "half-life is not in the diagram range"},
        {NAN, false, false, HalfLifeOutcome::Kind::NoHalfLife, notA},
        {INFINITY, false, true, HalfLifeOutcome::Kind::NoHalfLife, "half-life is not in the diagram range"},
        {-1.0f, false, false, HalfLifeOutcome::Kind::Nothing, ""},
    };
    for (const auto& c : cases) {
        const HalfLifeOutcome o = HalfLifeOutcomeFor(c.tau, c.b, c.numerisch, "s", '.');
        EXPECT_EQ(o.kind, c.kind) << c.tau;
        EXPECT_EQ(o.statusText, c.status) << c.tau;
        EXPECT_EQ(o.series, c.b ? 27 : 26);
    }
}

TEST(CurveExport, HalfLifeRequestTakesClosedFormOrSimulation)
{
    Declare d;
    d.Zeiteinheit = "s";
    d.ModellNr = 2; // A => P, first order: tau = ln 2 / k1
    d.DiagrammTyp = 2;
    d.c0[1] = 1.0;
    d.k[1] = 0.15;
    Recorder r;
    HalfLifeOutcome o = HalfLifeRequest(d, false, r, '.');
    EXPECT_EQ(o.kind, HalfLifeOutcome::Kind::Mark);
    EXPECT_NEAR(o.tau, std::log(2.0) / 0.15, 1e-5);
    EXPECT_EQ(o.statusText, "Half-life tau(A) = 4.62 s");

    // A numerical model shows the half-life its last simulation found.
    d.ModellNr = 7;
    d.DiagrammTyp = 7;
    d.NumerischesModell = true;
    d.HalbwertszeitA = 12.345f;
    d.HalbwertszeitB = 0.0f;
    d.Zeiteinheit = "min";
    o = HalfLifeRequest(d, false, r, ',');
    EXPECT_EQ(o.statusText, "Half-life tau(A) = 12,35 min");
    o = HalfLifeRequest(d, true, r, '.');
    EXPECT_EQ(o.kind, HalfLifeOutcome::Kind::NoHalfLife);
    EXPECT_EQ(o.statusText, "half-life is not in the diagram range");
    EXPECT_EQ(r.boxes, 0);
}

TEST(CurveExport, HalfLifeMarkIsAVerticalLineThatAlwaysReappears)
{
    Chart2D c;
    WindowLayout(c);
    c.ChartLabels(26).setIsShowing(true);
    DrawHalfLifeMark(c, HalfLifeOutcomeFor(4.621f, false, false, "s", '.'), RGB(200, 0, 0));
    const ChartGroup& g = c.ChartGroups(1);
    ASSERT_EQ(g.Data().NumPoints(26), 2);
    EXPECT_EQ(g.Data().X(26, 1), static_cast<double>(4.621f));
    EXPECT_EQ(g.Data().X(26, 2), static_cast<double>(4.621f));
    EXPECT_EQ(g.Data().Y(26, 1), -10000.0);
    EXPECT_EQ(g.Data().Y(26, 2), 10000.0);
    EXPECT_EQ(g.Styles(26).LineStyle().Pattern(), LinePattern::LongDash);
    EXPECT_EQ(g.Styles(26).LineStyle().Color(), RGB(200, 0, 0));
    EXPECT_EQ(g.Styles(26).SymbolStyle().Size(), 1);
    EXPECT_FALSE(c.ChartLabels(26).IsShowing());
    EXPECT_EQ(g.Data().NumPoints(27), 0);

    // A second request replaces the mark of the same species.
    DrawHalfLifeMark(c, HalfLifeOutcomeFor(7.5f, false, false, "s", '.'), RGB(0, 200, 0));
    ASSERT_EQ(g.Data().NumPoints(26), 2);
    EXPECT_EQ(g.Data().X(26, 1), 7.5);
    EXPECT_EQ(g.Styles(26).LineStyle().Color(), RGB(0, 200, 0));

    // No half-life and a message leave the mark as it was.
    const auto rev = c.Revision();
    DrawHalfLifeMark(c, HalfLifeOutcomeFor(0.0f, false, false, "s", '.'), RGB(1, 1, 1));
    DrawHalfLifeMark(c, HalfLifeOutcomeFor(-1.0f, false, false, "s", '.'), RGB(1, 1, 1));
    EXPECT_EQ(c.Revision(), rev);

    // After Delete > All (which excludes the series of the whole group here) a
    // new request shows its mark again.
    ClearCurveSeries(c, 0);
    ClearPointSets(c, 0);
    ClearHalfLifeMarks(c);
    c.ChartGroups(1).Data().setDisplay(27, DisplayState::Excluded);
    DrawHalfLifeMark(c, HalfLifeOutcomeFor(3.0f, true, false, "s", '.'), RGB(0, 0, 255));
    EXPECT_EQ(g.Data().NumPoints(27), 2);
    EXPECT_EQ(g.Data().Display(27), DisplayState::Shown);

    // A chart loaded with fewer series gets room for the marks.
    Chart2D small;
    small.ChartGroups(1).Data().setNumSeries(10);
    DrawHalfLifeMark(small, HalfLifeOutcomeFor(2.0f, true, false, "s", '.'), RGB(0, 0, 255));
    EXPECT_EQ(small.ChartGroups(1).Data().NumSeries(), 27);
    EXPECT_EQ(small.ChartGroups(1).Data().NumPoints(27), 2);
}

// ---- loaded diagram files ----------------------------------------------------------------

namespace {

// The chart as a diagram file would bring it back.
void SaveAndLoad(const Chart2D& saved, Chart2D& loaded)
{
    const auto lines = SplitCrLf(DiagramText(saved));
    std::string error;
    ASSERT_TRUE(ParseDiagramText(lines, loaded, error)) << error;
}

} // namespace

TEST(CurveExport, LoadedFileWithCurvesInSlotsTwoAndFive)
{
    Chart2D saved;
    WindowLayout(saved);
    PutCurve(saved, 2, {0, 1, 2}, {1, 0.5, 0.25});
    PutCurve(saved, 5, {0, 1}, {0, 0.5});
    const double hx[2] = {4, 4}, hy[2] = {-1e4, 1e4};
    saved.ChartGroups(1).Data().setPoints(26, hx, hy, 2); // a mark is no curve
    saved.ChartArea().Axes("X").setMin(0);
    saved.ChartArea().Axes("X").setMax(20);
    saved.ChartArea().Axes("Y").setMin(-0.1);
    saved.ChartArea().Axes("Y").setMax(1.2);

    Chart2D loaded;
    SaveAndLoad(saved, loaded);
    const LoadedDiagramState st = StateAfterDiagramLoad(loaded);
    EXPECT_EQ(st.n, 24);
    EXPECT_EQ(st.kurvenAnzahl, 2);
    for (int i = 1; i <= 24; ++i) EXPECT_EQ(st.kurveFrei[static_cast<std::size_t>(i)], i != 2 && i != 5) << i;

    KurvenSlots frei = st.kurveFrei;
    int anzahl = st.kurvenAnzahl;
    int slot = 0;
    ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(anzahl, 3);

    // No point set in the file: every set unavailable, nothing to select.
    EXPECT_FALSE(st.punkteVorhanden);
    EXPECT_EQ(st.punktSatzNr, 0);
    for (int j = 1; j <= 7; ++j) EXPECT_FALSE(st.punktSatzBelegt[static_cast<std::size_t>(j)]);

    ASSERT_TRUE(st.axisWindowValid);
    DiagrammInfo dia;
    EXPECT_TRUE(ApplyLoadedAxisWindow(st, dia));
    EXPECT_EQ(dia.xMin, 0.0f);
    EXPECT_EQ(dia.xMax, 20.0f);
    EXPECT_EQ(dia.yMin, -0.1f);
    EXPECT_EQ(dia.yMax, 1.2f);
}

TEST(CurveExport, LoadedFileWithTenSeriesExaminesNine)
{
    Chart2D saved;
    saved.ChartGroups(1).Data().setNumSeries(10);
    for (int i : {1, 9, 10}) PutCurve(saved, i, {0, 1}, {1, 2});
    Chart2D loaded;
    SaveAndLoad(saved, loaded);
    const LoadedDiagramState st = StateAfterDiagramLoad(loaded);
    EXPECT_EQ(st.n, 9);
    EXPECT_EQ(st.kurvenAnzahl, 2); // series 10 lies beyond the slots taken
    EXPECT_FALSE(st.kurveFrei[1]);
    EXPECT_FALSE(st.kurveFrei[9]);
    // The loaded chart holds no curve above slot 9.
    for (int i = 10; i <= 24; ++i) EXPECT_TRUE(st.kurveFrei[static_cast<std::size_t>(i)]) << i;

    Chart2D empty;
    EXPECT_EQ(StateAfterDiagramLoad(empty).n, 0);
    EXPECT_EQ(StateAfterDiagramLoad(empty).kurvenAnzahl, 0);
}

TEST(CurveExport, LoadedPointSetsAndAxisWindow)
{
    Chart2D saved;
    WindowLayout(saved);
    const double px[2] = {1, 2}, py[2] = {0.5, 0.25};
    saved.ChartGroups(2).Data().setPoints(2, px, py, 2);
    saved.ChartGroups(2).Data().setPoints(4, px, py, 1);
    Chart2D loaded;
    SaveAndLoad(saved, loaded);
    LoadedDiagramState st = StateAfterDiagramLoad(loaded);
    EXPECT_TRUE(st.punkteVorhanden);
    EXPECT_EQ(st.punktSatzNr, 4); // the last set with points is selected
    for (int j = 1; j <= 7; ++j) EXPECT_EQ(st.punktSatzBelegt[static_cast<std::size_t>(j)], j == 2 || j == 4) << j;

    // An inverted or empty window gives the nearest sound window, which the
    // diagram takes; it never takes an inverted or empty one.
    struct Window {
        double xMin, xMax, yMin, yMax;
        float wantXMin, wantXMax, wantYMin, wantYMax;
    } windows[] = {
        {10, 0, 0, 1, 0, 10, 0, 1},        // x inverted: turned round
        {0, 10, 2, -2, 0, 10, -2, 2},      // y inverted
        {5, 5, 0, 1, 4.5f, 5.5f, 0, 1},     // x empty: widened by a tenth
        {0, 10, 0, 0, 0, 10, -1, 1},        // y empty at 0
    };
    for (const Window& w : windows) {
        loaded.ChartArea().Axes("X").setMin(w.xMin);
        loaded.ChartArea().Axes("X").setMax(w.xMax);
        loaded.ChartArea().Axes("Y").setMin(w.yMin);
        loaded.ChartArea().Axes("Y").setMax(w.yMax);
        st = StateAfterDiagramLoad(loaded);
        ASSERT_TRUE(st.axisWindowValid);
        DiagrammInfo into;
        ASSERT_TRUE(ApplyLoadedAxisWindow(st, into));
        EXPECT_LT(into.xMin, into.xMax);
        EXPECT_LT(into.yMin, into.yMax);
        EXPECT_FLOAT_EQ(into.xMin, w.wantXMin);
        EXPECT_FLOAT_EQ(into.xMax, w.wantXMax);
        EXPECT_FLOAT_EQ(into.yMin, w.wantYMin);
        EXPECT_FLOAT_EQ(into.yMax, w.wantYMax);
    }
    // A window too narrow for single precision keeps the diagram's window.
    loaded.ChartArea().Axes("X").setMin(1);
    loaded.ChartArea().Axes("X").setMax(1 + 1e-12);
    EXPECT_FALSE(StateAfterDiagramLoad(loaded).axisWindowValid);
    loaded.ChartArea().Axes("X").setMin(0);
    loaded.ChartArea().Axes("X").setMax(10);

    // An axis limit beyond single precision keeps the diagram's window.
    loaded.ChartArea().Axes("Y").setMax(1e300);
    st = StateAfterDiagramLoad(loaded);
    EXPECT_FALSE(st.axisWindowValid);
    DiagrammInfo dia;
    dia.yMax = 7;
    EXPECT_FALSE(ApplyLoadedAxisWindow(st, dia));
    EXPECT_EQ(dia.yMax, 7.0f);
}
