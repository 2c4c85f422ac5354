// The chart window's curves that do not come from the drawing pass: the manual
// curve of the XY editor (cmdManuKurve, "Manual Curve / Points") and the
// tangent line of the tangent window, and the requests other windows make of
// the chart window's curves. They take a curve slot like every curve,
// so they are designed, deleted, exported and saved in diagram files alike.

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "core/chart/chart2d.h"
#include "core/chart/curveprep.h"
#include "core/shell/filenames.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

void frmGraph2D::connectManual()
{
    cmdManuKurve = new QPushButton("Manual curve", fraTop);
    cmdManuKurve->setObjectName(names::cmdManuKurve);
    cmdManuKurve->hide();
    connect(cmdManuKurve, &QPushButton::clicked, this, Guarded([this] { cmdManuKurve_Click(); }));
    mnuManuXY->setEnabled(true);
    connect(mnuManuXY, &QAction::triggered, this, Guarded([this] { mnuManuXY_Click(); }));
}

int frmGraph2D::DrawOwnCurve(const std::vector<KurvenPunkt>& points, const std::string& text)
{
    App& a = app();
    Declare& d = a.declare();
    int slot = KurvenNr;
    if (!NextCurveSlot(KurveFrei, d.KurvenAnzahl, slot)) {
        a.services().msgBox(Q(NoCurveSlotMessage()), MsgButtons::OK, MsgIcon::Exclamation, "WARNING");
        return 0;
    }
    KurvenNr = slot;
    mnuDelKurv->setEnabled(true);
    mnuSubDelKurv[0]->setEnabled(true);
    mnuSubDelKurv[static_cast<std::size_t>(slot)]->setEnabled(true);

    Chart2D& c = chart();
    {
        Chart2D::Batch batch(c);
        SeriesLabelList& legend = c.ChartGroups(1).SeriesLabels();
        while (legend.Count() < slot) legend.Add("");
        legend.setItem(slot, text);
        ChartLabel& label = c.ChartLabels(slot);
        label.setText(text);
        label.setAttachMethod(AttachMethod::DataIndex);
        label.setAttachGroup(1);
        label.setAttachSeries(slot);
        const int at = LabelPointIndex(points, d.Diagramm.xMax, slot);
        label.setAttachPoint(std::max(at, 1));
        CurveTab& tab = KurvenTab[static_cast<std::size_t>(slot)];
        tab.scrShiftLab = at;
        tab.txtLabel = Q(text);
        tab.txtLegendCurves = Q(text);
    }
    zeichneKurve(slot, points);
    if (c.ChartLabels(slot).IsShowing()) mnuDelLabels->setEnabled(true);
    return slot;
}

void frmGraph2D::DrawCurves() { cmdDraw->click(); }

void frmGraph2D::DrawManualCurve() { cmdManuKurve->click(); }

void frmGraph2D::SetCurveColour(int slot, Rgb colour)
{
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    c.ChartGroups(1).Styles(slot).LineStyle().setColor(colour);
    KurvenTab[static_cast<std::size_t>(slot)].cmdKurvenFarbe = colour;
}

bool frmGraph2D::HoldsCurve(int slot, const std::vector<KurvenPunkt>& points) const
{
    if (slot < 1 || slot > kMaxKurven || KurveFrei[static_cast<std::size_t>(slot)] || points.empty()) return false;
    const ChartData& data = chart().ChartGroups(1).Data();
    const int n = static_cast<int>(points[0].x);
    if (slot > data.NumSeries() || data.NumPoints(slot) != n || n + 1 > static_cast<int>(points.size())) return false;
    for (int i = 1; i <= n; ++i)
        if (data.X(slot, i) != static_cast<double>(points[static_cast<std::size_t>(i)].x) ||
            data.Y(slot, i) != static_cast<double>(points[static_cast<std::size_t>(i)].y))
            return false;
    return true;
}

void frmGraph2D::cmdManuKurve_Click()
{
    const Declare& d = app().declare();
    if (d.ManuPunkte.empty() || d.ManuPunkte[0].x < 1) return;
    const std::string name = FileNameOnly(d.XYDateiName);
    DrawOwnCurve(d.ManuPunkte, name.empty() ? "Manual curve" : name);
}

void frmGraph2D::mnuManuXY_Click() { app().mainWindow().mnuEditXY_Click(); }

} // namespace kinhom
