// The chart window's drawing pass, its curves and point sets, and deleting them.

#include "ui/chart/frmgraph2d.h"
#include "ui/shell/qtext.h"

#include <algorithm>

#include <QMenu>

#include "core/chart/chartcontent.h"
#include "core/chart/exppoints.h"
#include "ui/chart/chartview.h"
#include "ui/shell/application.h"

namespace kinhom {

namespace {

char LocaleDecimalSign() { return App::localeDecimalSign() == QStringLiteral(",") ? ',' : '.'; }

} // namespace

// ---- the drawing pass ------------------------------------------------------------------------

void frmGraph2D::cmdDraw_Click()
{
    // Nothing inside the pass yields to the event loop, but a message box does:
    // a press of cmdDraw while a box of the pass is open starts no second pass.
    if (passRunning_) return;
    passRunning_ = true;
    App& a = app();
    Declare& d = a.declare();
    Services& services = a.services();
    BusyCursor busy;

    mnuDelKurv->setEnabled(true);
    mnuSubDelKurv[0]->setEnabled(true);
    bool outside = true;
    FehlerFlag = 0;

    const int code = d.DiagrammTyp;
    // The point charts (-9 k fitting, -2 k-T points, -1 c-t points) and code 0
    // prepare no curve: for them the pass does not start.
    const bool prepares = code > 0 || (code < DiagramCode::RateConstantPoints && code != DiagramCode::FittingPoints);
    while (prepares && d.KurvenZuZeichnen > 0) {
        // 1. a slot
        int slot = KurvenNr;
        if (!NextCurveSlot(KurveFrei, d.KurvenAnzahl, slot)) {
            services.msgBox(Q(NoCurveSlotMessage()), MsgButtons::OK, MsgIcon::Exclamation, "WARNING");
            break;
        }
        KurvenNr = slot;
        mnuDelKurv->setEnabled(true);
        mnuSubDelKurv[0]->setEnabled(true);
        SeriesLabelList& legend = chart().ChartGroups(1).SeriesLabels();
        if (legend.Count() < slot) legend.Add("");

        // 2. the curve
        setStatusText(QString());
        FehlerText.clear();
        const int pending = d.KurvenZuZeichnen;
        CurveOutcome out = PrepareCurveData(d, code, KurvenNr, PunktDichte, outside, LocaleDecimalSign());
        RegA = out.RegA;
        RegB = out.RegB;
        RegR2 = out.RegR2;
        if (out.hasLabel) {
            chart().ChartLabels(KurvenNr).setText(out.label);
            KurvenTab[static_cast<std::size_t>(KurvenNr)].txtLabel = Q(out.label);
        }
        if (out.showPoints) mnuAddPunkte_Click();
        if (!out.statusText.empty()) setStatusText(Q(out.statusText));

        // 3. a fault ends the pass; its slot is given back
        if (out.kind == CurveOutcome::Kind::Failed) {
            FehlerFlag = -1;
            FehlerText = Q(out.fehlerText);
            ReleaseCurveSlot(KurveFrei, d.KurvenAnzahl, KurvenNr);
            d.KurvenZuZeichnen = 0;
            services.msgBox(Q("Critical error occured:" + d.CRLF + out.fehlerText), MsgButtons::OK,
                            MsgIcon::Critical, "Aborted");
            break;
        }
        // a preparation without a curve (a count above the model's species, an
        // evaluation without a line) gives its slot back; the pass goes on with
        // the curves still pending
        if (out.kind == CurveOutcome::Kind::NoCurve) {
            ReleaseCurveSlot(KurveFrei, d.KurvenAnzahl, KurvenNr);
            if (d.KurvenZuZeichnen >= pending) d.KurvenZuZeichnen = 0; // nothing counted: stop
            continue;
        }

        // 4. warn, draw all the same
        if (outside)
            services.msgBox(
                Q("Curve outside the actual coordinates" + d.CRLF + d.CRLF + "Enlarge the coordinates"),
                MsgButtons::OK, MsgIcon::Exclamation, "WARNING");

        // 5.-7. colour, count and the label's place on the curve
        Chart2D& c = chart();
        const int count = std::clamp(static_cast<int>(d.KurvenPunkte[0].x), 0,
                                     static_cast<int>(d.KurvenPunkte.size()) - 1);
        {
            Chart2D::Batch batch(c);
            c.ChartGroups(1).Styles(KurvenNr).LineStyle().setColor(d.Vorwahlfarbe);
            c.ChartGroups(1).Data().setNumPoints(KurvenNr, count);
            const int at = LabelPointIndex(d.KurvenPunkte, d.Diagramm.xMax, KurvenNr);
            ChartLabel& label = c.ChartLabels(KurvenNr);
            label.setAttachMethod(AttachMethod::DataIndex);
            label.setAttachGroup(1);
            label.setAttachSeries(KurvenNr);
            label.setAttachPoint(std::max(at, 1));
            KurvenTab[static_cast<std::size_t>(KurvenNr)].scrShiftLab = at;
        }
        // 8. legend text into the curve's box
        KurvenTab[static_cast<std::size_t>(KurvenNr)].txtLegendCurves = Q(legend.Item(KurvenNr));
        // 9.
        zeichneKurve(KurvenNr, d.KurvenPunkte);
        // 10.
        if (c.ChartLabels(KurvenNr).IsShowing()) mnuDelLabels->setEnabled(true);
    }

    passRunning_ = false;
}

void frmGraph2D::zeichneKurve(int slot, const std::vector<KurvenPunkt>& points)
{
    if (slot < 1 || slot > kMaxKurven || points.empty()) return;
    const int n = std::clamp(static_cast<int>(points[0].x), 0, static_cast<int>(points.size()) - 1);
    std::vector<double> xs(static_cast<std::size_t>(n)), ys(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        xs[static_cast<std::size_t>(i - 1)] = points[static_cast<std::size_t>(i)].x;
        ys[static_cast<std::size_t>(i - 1)] = points[static_cast<std::size_t>(i)].y;
    }
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    ChartData& data = c.ChartGroups(1).Data();
    data.setIsBatched(true);
    c.ChartGroups(1).Styles(slot).LineStyle().setColor(app().declare().Vorwahlfarbe);
    data.setDisplay(slot, DisplayState::Shown);
    data.setPoints(slot, xs.data(), ys.data(), n);
    data.setIsBatched(false);
    c.ChartLabels(slot).setIsShowing(true);
    // The new curve has its tab on the curve panel at once.
    fillCurveTab(slot);
    if (fraKurven) showCurveTab(slot);
}

// ---- measured points --------------------------------------------------------------------------

void frmGraph2D::zeigeExperPunkte(bool& inside) { inside = ShowMeasuredPoints(chart(), app().declare()); }

void frmGraph2D::mnuAddPunkte_Click()
{
    App& a = app();
    const Declare& d = a.declare();
    mnuDelPoints->setEnabled(true);
    mnuDelTotal->setEnabled(true);

    if (!MeasuredPointsFitDiagram(d)) {
        a.services().msgBox(Q("For this diagram no c-t points are loaded." + d.CRLF +
                              "Do load concentration data from file or do use the Data Editor for input."),
                            MsgButtons::OK, MsgIcon::Critical, "Execution not possible");
        return;
    }
    bool inside = false;
    zeigeExperPunkte(inside);
    if (!inside)
        a.services().msgBox(Q("all experimental points are outside the diagram coordinates" + d.CRLF +
                              "Enlarge the range of coordinates."),
                            MsgButtons::OK, MsgIcon::Exclamation, "WARNING");

    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    ChartGroup& g = c.ChartGroups(2);
    for (int j = 1; j <= kPunktSaetze; ++j) {
        PointTab& tab = PunkteTab[static_cast<std::size_t>(j)];
        tab.available = g.Data().NumPoints(j) >= 1;
        if (tab.available) {
            g.SeriesLabels().setItem(j, tab.txtLegendPoints.toStdString());
            g.Styles(j).SymbolStyle().setColor(d.Vorwahlfarbe);
        }
    }
}

// ---- deleting ----------------------------------------------------------------------------------
// (DeleteCurves and the Delete and Add items: frmgraph2d_edit.cpp)

void frmGraph2D::mnuDelete_Click()
{
    for (int i = 1; i <= kMaxKurven; ++i) {
        const bool used = !KurveFrei[static_cast<std::size_t>(i)];
        mnuSubDelKurv[static_cast<std::size_t>(i)]->setEnabled(used);
        if (used) mnuSubDelKurv[0]->setEnabled(true);
    }
    const ChartData& points = chart().ChartGroups(2).Data();
    for (int j = 1; j <= kPunktSaetze; ++j) {
        const bool held = points.NumPoints(j) > 0;
        mnuSubDelPoints[static_cast<std::size_t>(j)]->setEnabled(held);
        if (held) mnuSubDelPoints[0]->setEnabled(true);
    }
}

} // namespace kinhom
