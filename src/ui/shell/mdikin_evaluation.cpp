// The main window's task menus for the evaluation of measured data (graph-
// assisted c-t, lambda-t and k-T evaluations, the tangent submenu), the
// Reactors menu's model check and the Data menu's new data. The rules live in
// core/shell/evaluationmenus.h; these handlers show their messages and the chart.

#include <QAction>
#include <QMenu>

#include "core/shell/evaluationmenus.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/dataedit/frmdatedit.h"
#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

// A refusal of a task menu: critical icon, "Execution not possible".
void Refuse(const std::string& text)
{
    app().services().msgBox(Q(text), MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
}

// The fresh chart window of the prepared diagram code draws on loading.
void ShowDataChart() { SetDiagramTitles(); }

} // namespace

void MDIKIN::mnuExpctAuswertung_Click() { app().declare().LambdaAuswertung = false; }

void MDIKIN::mnuctAusw_Click(int Index)
{
    Declare& d = app().declare();
    closeTips();
    const std::string refusal = CtEvaluationCheck(d, Index);
    if (!refusal.empty()) return Refuse(refusal);
    app().unload<frmGraph2D>();
    CtEvaluationSetup(d, Index);
    ShowDataChart();
}

void MDIKIN::mnuLambdaAusw_Click(int Index)
{
    Declare& d = app().declare();
    closeTips();
    MenuNote note;
    const std::string refusal = LambdaEvaluationCheck(d, Index, note);
    if (!refusal.empty()) return Refuse(refusal);
    if (!note.text.empty())
        app().services().msgBox(Q(note.text), MsgButtons::OK, MsgIcon::Exclamation, Q(note.title));
    app().unload<frmGraph2D>();
    LambdaEvaluationSetup(d, Index);
    ShowDataChart();
}

void MDIKIN::mnukT_Click(int Index)
{
    Declare& d = app().declare();
    closeTips();
    const std::string refusal = KTEvaluationCheck(d);
    if (!refusal.empty()) return Refuse(refusal);
    app().unload<frmGraph2D>();
    KTEvaluationSetup(d, Index);
    ShowDataChart();
}

void MDIKIN::mnuCalcTangente_Click()
{
    // Only species with measured values can be chosen.
    const Declare& d = app().declare();
    for (int i = 1; i <= 5; ++i) mnuSubTangente[std::size_t(i)]->setEnabled(d.DatenVorhanden[i]);
}

void MDIKIN::mnuReaktor_Click()
{
    if (app().declare().ModellNr == 0) Refuse("First select a kinetic model!");
}

void MDIKIN::mnuNeudat_Click()
{
    Declare& d = app().declare();
    // Changed data are offered for saving before they are dropped.
    if (d.DatenGeaendert && d.AnzahlPunkte >= 1) {
        bool cancelled = false;
        AskSaveExpData(cancelled);
        if (cancelled) return;
    }
    // An open editor shows the old table: it starts afresh on the empty one.
    if (!app().unload<frmDatedit>()) return;
    NewExpData(d);
    ShowDataEditor();
}

void MDIKIN::ShowDataEditor() { app().show<frmDatedit>(); }

} // namespace kinhom
