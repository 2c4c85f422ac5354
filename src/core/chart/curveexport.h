#pragma once
// Curves out of the chart, and the chart window's bookkeeping around its Delete
// and Add menus, the half-life marks and loaded diagram files: everything of it
// that is a rule on the chart model or on the window's slot table, so that the
// window only gathers its inputs, calls these and shows the result.
//
//   curve export        the clipboard text of a curve (x Tab y per line) and
//                       the content of a curve point file (.XY)
//   deleting            curve series and slots, point sets, half-life marks,
//                       the legend check of Add > Legend
//   half-life marks     menu captions and enabling, status-line texts, the mark
//   diagram files       curve slots, curve count, point sets and axis window
//                       rebuilt from a loaded chart

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart/chart2d.h"
#include "core/chart/curveprep.h"
#include "core/chart/exppoints.h"
#include "core/kinetics/notify.h"
#include "core/shell/declare.h"
#include "core/shell/rgb.h"

namespace kinhom {

// ---- curve number of a tab -------------------------------------------------------------

// The curve slot named by a caption of the curve tabs ("C. 3" -> 3): the caption
// is trimmed and the number after its first "." is read (leading blanks
// ignored; with no "." the whole caption is read), rounded to a whole number.
// 0 when there is no number or it is not a curve slot 1 to 24, so a cleared
// caption names no curve.
int CurveNumberFromTabCaption(std::string_view caption);

// ---- clipboard text ----------------------------------------------------------------------

// One coordinate of an exported point: the value rounded to single precision
// and written in the general form ("0.1234568", "1E-05", "-3") with the decimal
// sign dec. A value that a single cannot hold (beyond its range, or not finite)
// is written with double precision instead of turning into "Inf".
std::string CurvePointValueText(double v, char dec);

// The clipboard text of a curve: for each point one line x, Tab, y, CR LF (the
// last line included). Points beyond the shorter of x and y are ignored; no
// points give "".
std::string CurveClipboardText(const std::vector<double>& x, const std::vector<double>& y, char dec);

// The same for series n of the curve group of chart (its points 1..NumPoints).
// A series that does not exist, or n outside 1 to 24, gives "".
std::string CurveClipboardText(const Chart2D& chart, int n, char dec);

// The clipboard text for the curve whose tab carries caption: "" when the
// caption names no curve (CurveNumberFromTabCaption gives 0).
std::string CurveClipboardTextForTab(const Chart2D& chart, std::string_view caption, char dec);

// ---- curve point file --------------------------------------------------------------------

// The separator a curve point file is written with: Trennzeichen when it is ";",
// "," or Tab, otherwise ";" (any other text could run into the numbers and the
// file would not read back).
std::string CurvePointFileSeparator(const std::string& trennzeichen);

// The title line of the file of curve n: the curve's legend text, else its label
// text (when that is more than the bare slot number), else "Curve n"; trimmed,
// with line breaks and tabs turned into blanks so that it stays one line.
std::string CurvePointFileTitle(const Chart2D& chart, int n);

// The content of a curve point file: the title line (line breaks in it turned
// into blanks), then per point one line x, separator, y; "." as decimal sign,
// each value in single precision as for the clipboard; every line, the last
// included, ends in CR LF. The separator is CurvePointFileSeparator(trennzeichen).
std::string CurvePointFileText(const std::string& title, const std::vector<double>& x,
                               const std::vector<double>& y, const std::string& trennzeichen);

// The same for series n of the curve group, titled CurvePointFileTitle(chart, n).
// A curve without points gives the title line alone.
std::string CurvePointFileText(const Chart2D& chart, int n, const std::string& trennzeichen);

// ---- deleting ------------------------------------------------------------------------------

// The text of curve label n after its curve was deleted: the slot number ("3").
std::string CurveLabelText(int n);

// The chart side of deleting curves, in one batch (the curve group's data batch
// switch included). n = 1 to 24: series n loses its points and is hidden, label
// n's text becomes "n". n = 0: series 1 to 24 lose their points and are
// excluded, labels 1 to 24 read "1" to "24". Whether a label is shown does not
// change; the half-life marks (26, 27) are left to ClearHalfLifeMarks. Any
// other n changes nothing.
void ClearCurveSeries(Chart2D& chart, int n);

// The slot side of deleting curves. n = 1 to 24: slot n is free afterwards; the
// count drops by one only when the slot held a curve (a second delete of the
// same slot cannot push the count below the curves that exist, which would let
// the next drawing overwrite them). n = 0: every slot free, count 0. Returns
// whether the count is 0 afterwards (the window then disables its curve
// delete menus and hides the curve panel). Any other n changes nothing and
// returns kurvenAnzahl == 0.
bool FreeCurveSlots(KurvenSlots& kurveFrei, int& kurvenAnzahl, int n);

// Deleting point sets in one batch. index = 0: every legend text of the point
// group is removed, then sets 1 to 7 lose their points and get one empty legend
// text each. index = 1 to 7: set index loses its points and its legend text
// becomes "". Any other index changes nothing.
void ClearPointSets(Chart2D& chart, int index);

// Delete > Mark half-lives on the chart, in one batch: the marker texts (labels
// 26, 27) hidden and the mark series 26 and 27 emptied.
void ClearHalfLifeMarks(Chart2D& chart);

// Add > Legend: true when the legend texts of the 24 curves (series labels of the
// curve group) and the texts of the point sets' legend boxes, joined, are not
// empty.
bool LegendTextsGiven(const Chart2D& chart, const std::vector<std::string>& txtLegendPoints);

// The box of Add > Legend without any legend text (title "Execution not possible").
std::string NoLegendTextsMessage();

// The hint of Delete > Selected lines of the legend (title "Hint").
std::string LegendLineHint();

// ---- half-life marks -------------------------------------------------------------------

constexpr int kHalfLifeSeriesA = 26;       // series of the mark of A (label 26: its text)
constexpr int kHalfLifeSeriesB = 27;       // series of the mark of B (label 27)
constexpr double kHalfLifeMarkLow = -10000.0;
constexpr double kHalfLifeMarkHigh = 10000.0;
// A dashed pattern that the curve style list does not offer, so a mark never
// looks like a curve.
constexpr int kHalfLifeMarkPattern = LinePattern::LongDash;

// Captions and enabling of the two half-life items of the Add menu. A is
// offered on the linearised concentration charts (-8 to -5), the concentration
// charts (1 to 20) and the rate charts (51 to 70); B only where the model has a
// species B whose half-life exists (-8, 4, 7, 9, 10, 12, 13, 17, 18 and their
// rate charts), so not for the n-th order model 20. The enzyme model (10)
// names its first two species E and S.
struct HalfLifeMenuItems {
    std::string captionA;
    std::string captionB;
    bool enabledA = false;
    bool enabledB = false;
};
HalfLifeMenuItems HalfLifeMenu(int diagrammTyp, int modellNr);

// What a half-life request shows.
struct HalfLifeOutcome {
    enum class Kind {
        Mark,       // a mark at tau, statusText the value
        NoHalfLife, // no mark drawn or removed, statusText says why
        Nothing,    // a message was already shown; status line unchanged
    };
    Kind kind = Kind::Nothing;
    float tau = 0;
    int series = kHalfLifeSeriesA;
    std::string statusText;
};

// "Half-life tau(A) = 4.62 s": tau with two decimals (all integer digits kept)
// and the decimal sign dec, a blank and the time unit. B for speziesB.
std::string HalfLifeStatusText(float tau, bool speziesB, const std::string& zeiteinheit, char dec);

// The outcome of a half-life tau: tau > 0 a mark; tau = 0 (and a value that is
// not a number at all) no half-life: "half-life is not in the diagram range"
// after a numerical model, else "c(A) = c(A)(0)/2 can not be reached under this
// conditions " (B alike); tau < 0 nothing (the routine has shown its message).
HalfLifeOutcome HalfLifeOutcomeFor(float tau, bool speziesB, bool numerischesModell,
                                   const std::string& zeiteinheit, char dec);

// The whole request: tau by HalbwertszeitMarke (the simulation's half-life for
// the numerical models, the closed form otherwise; its messages go to notify),
// then HalfLifeOutcomeFor with d's NumerischesModell and Zeiteinheit.
HalfLifeOutcome HalfLifeRequest(const Declare& d, bool speziesB, KinNotify& notify, char dec);

// Draws the mark of an outcome of kind Mark into its series of the curve group,
// in one batch: the two points (tau, -10000) and (tau, 10000), line pattern
// kHalfLifeMarkPattern in colour, symbol size 1, the series shown (so a mark
// reappears after Delete > All excluded the series), its marker text hidden. A
// second mark of the same species replaces the first. A chart loaded with fewer
// series gets the curve group's 27 series first. Other outcomes change nothing.
void DrawHalfLifeMark(Chart2D& chart, const HalfLifeOutcome& outcome, Rgb color);

// ---- loaded diagram files ----------------------------------------------------------------

// The window's bookkeeping rebuilt from a chart that a diagram file replaced.
struct LoadedDiagramState {
    // Series of the curve group taken as curve slots: NumSeries - 1, at most 24
    // (a file of this window has 27 series: 24).
    int n = 0;
    // Slot flags (true = free): slots 1..n free exactly when their series holds
    // no point; slots above n free as well, since the loaded chart has no curve
    // there.
    KurvenSlots kurveFrei{};
    int kurvenAnzahl = 0;
    // Point sets 1..7 holding at least one point (their tab available, their
    // delete entry enabled); element 0 unused.
    std::array<bool, kPunktSaetze + 1> punktSatzBelegt{};
    // The last set with points (the tab to select); 0 when none has points
    // (the window keeps its PunktSatzNr then).
    int punktSatzNr = 0;
    // Some set holds points: Delete > All, Delete > Experimental points and its
    // "all" entry are enabled (nothing is disabled when none has points).
    bool punkteVorhanden = false;
    // The axis window of the chart (axes X and Y), an inverted or empty one
    // replaced by the nearest sound window; axisWindowValid is false when a
    // limit is not finite or beyond single precision, or when the window is too
    // narrow for single precision: Diagramm is then kept.
    bool axisWindowValid = false;
    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};
LoadedDiagramState StateAfterDiagramLoad(const Chart2D& chart);

// Writes the axis window of a loaded state into diagramm (only when valid);
// returns whether it did.
bool ApplyLoadedAxisWindow(const LoadedDiagramState& state, DiagrammInfo& diagramm);

} // namespace kinhom
