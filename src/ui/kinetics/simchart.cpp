#include "ui/kinetics/simchart.h"

#include "core/shell/expdata.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/application.h"

namespace kinhom {

bool ChartWindowLoaded() { return app().isLoaded<frmGraph2D>(); }

void DrawSimulationChart(bool discardOld)
{
    App& a = app();
    Declare& d = a.declare();
    if (discardOld) {
        a.unload<frmGraph2D>();
        CalcExpDataRanges(d, d.DiagrammTyp, d.MitPunkten);
        SetDiagramTitles();
    } else {
        frmGraph2D& chart = SetDiagramTitles();
        chart.DrawCurves();
    }
}

} // namespace kinhom
