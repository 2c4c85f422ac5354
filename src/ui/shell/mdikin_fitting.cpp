// The main window's fitting items: isothermal fitting of k (task mode 1) and of
// k and the order (2), non-isothermal fitting of first (6) and second order (7).
// Each sets the task, checks the measured data, closes the competing task
// windows, opens the fitting window, re-applies the model, shows the measured
// points and finally lets the fitting window draw its curves.

#include <QPushButton>

#include "core/shell/evaluationmenus.h"
#include "core/shell/expdata.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"

namespace kinhom {

namespace {

void Refuse(const std::string& text)
{
    app().services().msgBox(QString::fromStdString(text), MsgButtons::OK, MsgIcon::Critical,
                            "Execution not possible");
}

std::string Lines(const Declare& d, const char* first, const char* second)
{
    return std::string(first) + d.CRLF + second;
}

// The windows of the tasks that compete with a fit.
void CloseCompetingWindows() { app().unloadForms(names::kClosedByEvaluation); }

} // namespace

void MDIKIN::mnuCtFitting_Click() { IsothermalFitting(TaskMode::FitK); }

void MDIKIN::mnuROFitting_Click() { IsothermalFitting(TaskMode::FitKAndOrder); }

void MDIKIN::IsothermalFitting(int mode)
{
    App& a = app();
    Declare& d = a.declare();
    d.Arbeitsmodus = static_cast<std::uint8_t>(mode);
    closeTips();
    const std::string noData =
        Lines(d, "No or not enough experimental c-t data", "Input data (=> Data / New  exper. data)");
    if (!d.ctDaten) {
        Refuse(noData);
        if (RedrawAfterRefusal(d)) FinishFitting();
        return;
    }
    if (d.AnzahlPunkte < 2) {
        Refuse(noData);
        return;
    }
    a.unload<frmGraph2D>();
    d.DiagrammTyp = DiagramCode::FittingPoints;
    d.MitPunkten = true;
    CloseCompetingWindows();
    a.show<frmFitting>();
    if (mode == TaskMode::FitKAndOrder)
        d.ModellNr = 20;
    OpenFittingWindow();
    FinishFitting();
}

void MDIKIN::mnuNonIsothermFitting_Click(int Index)
{
    App& a = app();
    Declare& d = a.declare();
    d.Arbeitsmodus = Index == 1 ? TaskMode::NonIsothermalFirstOrder : TaskMode::NonIsothermalSecondOrder;
    closeTips();
    if (d.AnzahlTemperaturen == 1)
        a.services().msgBox(QString::fromStdString(Lines(d, "A data set for one temperature only can not produce ",
                                                         "reasonable ARRHENIUS or EYRING parameters resp.")),
                            MsgButtons::OK, MsgIcon::Exclamation, "WARNING");
    if (!d.ctTDaten) {
        Refuse(Lines(d, "No or not enough experimental t-c-T data", "Input data (=> Data / New  exper. data)"));
        if (RedrawAfterRefusal(d)) FinishFitting();
        return;
    }
    a.unload<frmGraph2D>();
    d.DiagrammTyp = DiagramCode::FittingPoints;
    d.MitPunkten = true;
    CloseCompetingWindows();
    if (Index == 1) {
        d.ModellNr = 2;
    } else {
        if (d.c0Exp[1] == 0) {
            Refuse("For this case the initial concentration c(A)(0) has to be given.");
            return;
        }
        d.ModellNr = 3;
    }
    a.show<frmFitting>();
    OpenFittingWindow();
    FinishFitting();
}

// The fitting window is open: the model window applies the model afresh and
// relabels it, the window takes its start values from the measured data, and
// the chart shows the measured points.
void MDIKIN::OpenFittingWindow()
{
    App& a = app();
    Declare& d = a.declare();
    a.unload<frmKinModel>();
    a.show<frmKinModel>();
    if (frmFitting* f = a.find<frmFitting>()) {
        // The start values the measured data give replace the model's defaults.
        f->TakeStartValuesFromData();
        f->Show();
    }
    CalcExpDataRanges(d, d.DiagrammTyp, true);
    SetDiagramTitles();
}

// The last step of every fitting item, also after the refusal for missing data.
void MDIKIN::FinishFitting()
{
    App& a = app();
    Declare& d = a.declare();
    if (d.DiagrammTyp == DiagramCode::FittingPoints)
        d.DiagrammTyp = d.ModellNr;
    if (frmFitting* f = a.find<frmFitting>())
        f->cmdDrawNewCurve->click();
    if (frmFitting* f = a.find<frmFitting>())
        f->Show();
}

} // namespace kinhom
