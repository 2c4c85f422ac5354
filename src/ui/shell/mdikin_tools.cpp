// The main window's items of the tangent method and the two calculators:
// "from points c(A) - t" ... "from points c(Q) - t", "ARRHENIUS Calculator"
// and "EYRING Calculator" (toolbar buttons 14 and 16 follow the last two).

#include "core/shell/evaluationmenus.h"
#include "core/shell/expdata.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/evaluation/frmarrheniusrechner.h"
#include "ui/evaluation/frmcalctangente.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

#include <QSlider>

namespace kinhom {

void MDIKIN::mnuSubTangente_Click(int Index)
{
    App& a = app();
    Declare& d = a.declare();
    // Without points of the species there is nothing to draw a tangent on.
    if (const std::string refusal = TangentCheck(d, Index); !refusal.empty()) {
        a.services().msgBox(Q(refusal), MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
        return;
    }
    a.unload<frmGraph2D>();
    d.TangenteSpalte = static_cast<std::uint8_t>(Index);
    d.DiagrammTyp = DiagramCode::Tangent;
    d.MitPunkten = true;
    a.unloadForms(names::kClosedByEvaluation);
    // A window still open for another species would keep that species'
    // captions: it starts afresh.
    a.unload<frmCalcTangente>();
    frmCalcTangente& tangente = a.show<frmCalcTangente>();
    d.Glaettung = 0;
    tangente.scrGlaettung->setValue(0);
    CalcScaleCt(d, Index);
    SetDiagramTitles();
    // the chart window opened over it: the tangent window stays in front
    tangente.Show();
}

namespace {

void OpenCalculator()
{
    App& a = app();
    a.unload<frmArrheniusRechner>();
    a.show<frmArrheniusRechner>();
}

} // namespace

void MDIKIN::mnuToolArrhenius_Click()
{
    Declare& d = app().declare();
    d.kTFunktion = 1;
    d.Arbeitsmodus = TaskMode::Simulation;
    d.ArrheniusEA = 0;
    d.ArrheniusA = 0;
    OpenCalculator();
}

void MDIKIN::mnuToolEyring_Click()
{
    Declare& d = app().declare();
    d.kTFunktion = 2;
    d.Arbeitsmodus = TaskMode::Simulation;
    d.hAkt = 0;
    d.sAkt = 0;
    OpenCalculator();
}

} // namespace kinhom
