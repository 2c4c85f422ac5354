// The chart window's editing commands and files: deleting and adding curves,
// point sets, labels, marker texts, the legend and the half-life marks; saving
// and loading diagram files; the export of a curve to the clipboard and to a
// curve point file. The rules behind them are in core/chart/curveexport.h and
// core/chart/diagramfile.h; the handlers here gather, call and show.
//
// The panels' controls are mirrored in KurvenTab and PunkteTab; the commands
// here keep both in step with the chart.

#include "ui/chart/frmgraph2d.h"
#include "ui/chart/panelwidgets.h"
#include "ui/shell/qtext.h"

#include <exception>
#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTabWidget>

#include "core/chart/chart2d.h"
#include "core/chart/curveexport.h"
#include "core/chart/designeffects.h"
#include "core/chart/diagramfile.h"
#include "core/shell/filenames.h"
#include "core/shell/textfile.h"
#include "ui/chart/chartview.h"
#include "ui/chart/frakurven.h"
#include "ui/chart/fraschrift.h"
#include "ui/chart/fratabs.h"
#include "ui/kinetics/kinnotifyui.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

char LocaleDecimalSign() { return App::localeDecimalSign() == QStringLiteral(",") ? ',' : '.'; }

const QString kNotPossible = QStringLiteral("Execution not possible");
const QString kDiagramFilter = QStringLiteral("Diagram File (*.oc2)|*.oc2");

std::size_t At(int i) { return static_cast<std::size_t>(i); }

} // namespace

// ---- menus ------------------------------------------------------------------------------

void frmGraph2D::connectEditing()
{
    connect(mnuDelHalbAB, &QAction::triggered, this, Guarded([this] { mnuDelHalbAB_Click(); }));
    connect(mnuDelMarkLabels, &QAction::triggered, this, Guarded([this] { mnuDelMarkLabels_Click(); }));
    connect(mnuDelLegendZeile, &QAction::triggered, this, Guarded([this] { mnuDelLegendZeile_Click(); }));
    connect(mnuDelLegend, &QAction::triggered, this, Guarded([this] { mnuDelLegend_Click(); }));
    connect(mnuAddLegend, &QAction::triggered, this, Guarded([this] { mnuAddLegend_Click(); }));
    connect(mnuHalbA, &QAction::triggered, this, Guarded([this] { mnuHalbA_Click(); }));
    connect(mnuHalbB, &QAction::triggered, this, Guarded([this] { mnuHalbB_Click(); }));
    connect(mnuSaveOC2, &QAction::triggered, this, Guarded([this] { mnuSaveOC2_Click(); }));
    connect(mnuLoadOC2, &QAction::triggered, this, Guarded([this] { mnuLoadOC2_Click(); }));
    // Hiding the marker texts and the diagram files are always possible.
    mnuDelMarkLabels->setEnabled(true);
    mnuSaveOC2->setEnabled(true);
    mnuLoadOC2->setEnabled(true);
}

void frmGraph2D::SetHalfLifeMenu()
{
    const Declare& d = app().declare();
    const HalfLifeMenuItems m = HalfLifeMenu(d.DiagrammTyp, d.ModellNr);
    mnuHalbA->setText(Q(m.captionA));
    mnuHalbB->setText(Q(m.captionB));
    mnuHalbA->setEnabled(m.enabledA);
    mnuHalbB->setEnabled(m.enabledB);
}

// ---- the design panels' controls ------------------------------------------------------------

QString frmGraph2D::selectedCurveTabCaption() const
{
    if (!fraKurven) return {};
    const QTabWidget* tabs = fraKurven->tabKurven;
    return tabs->tabText(tabs->currentIndex());
}

void frmGraph2D::setCurveTabAvailable(int slot, bool available)
{
    if (slot < 1 || slot > kMaxKurven) return;
    KurvenTab[At(slot)].available = available;
    if (!fraKurven) return;
    // The panel shows the tabs of the slots in use only.
    ShowTab(fraKurven->tabKurven, slot - 1, available);
}

void frmGraph2D::setPointTabAvailable(int set, bool available)
{
    if (set < 1 || set > kPunktSaetze) return;
    PunkteTab[At(set)].available = available;
    if (fraPunkte) fraPunkte->tabPunkte->setTabEnabled(set - 1, available);
}

void frmGraph2D::setLegendBoxes(bool checked)
{
    // The boxes all follow the one that changes.
    if (fraLabelLegend) fraLabelLegend->chkLegend->setChecked(checked);
    if (fraKurven)
        for (QCheckBox* b : fraKurven->chkLegend1) b->setChecked(checked);
}

void frmGraph2D::setLabelBoxes(bool checked)
{
    for (int i = 1; i <= kMaxKurven; ++i) {
        KurvenTab[At(i)].chkEinzelLabelSichtbar = checked;
        if (fraKurven) fraKurven->chkEinzelLabelSichtbar[At(i)]->setChecked(checked);
    }
}

void frmGraph2D::refreshTabsFromChart()
{
    const Chart2D& c = chart();
    const ChartGroup& curves = c.ChartGroups(1);
    for (int i = 1; i <= kMaxKurven; ++i) {
        if (KurveFrei[At(i)]) continue;
        CurveTab& t = KurvenTab[At(i)];
        const ChartLabel& label = c.ChartLabels(i);
        t.txtLabel = Q(label.Text());
        t.chkEinzelLabelSichtbar = label.IsShowing();
        t.scrShiftLab = c.LabelPointIndex(i);
        t.txtLegendCurves = Q(curves.SeriesLabels().Item(i));
        t.cmbKStil = CurveStyleListPos(curves.Styles(i).LineStyle().Pattern());
        t.cmdKurvenFarbe = curves.Styles(i).LineStyle().Color();
        t.Label39 = QString::number(curves.Styles(i).LineStyle().Width());
        if (fraKurven) showCurveTab(i);
    }
    const ChartGroup& sets = c.ChartGroups(2);
    for (int j = 1; j <= kPunktSaetze; ++j) {
        PointTab& p = PunkteTab[At(j)];
        p.txtLegendPoints = Q(sets.SeriesLabels().Item(j));
        if (sets.Data().NumPoints(j) > 0) {
            p.cmdPunktFarbe = sets.Styles(j).SymbolStyle().Color();
            p.Label56 = QString::number(sets.Styles(j).SymbolStyle().Size());
        }
        if (fraPunkte) showPointTab(j);
    }
}

// ---- deleting curves ------------------------------------------------------------------------

void frmGraph2D::DeleteCurves(int n)
{
    if (n < 0 || n > kMaxKurven) return;
    Declare& d = app().declare();
    ClearCurveSeries(chart(), n);
    const bool none = FreeCurveSlots(KurveFrei, d.KurvenAnzahl, n);
    if (n != 0) {
        setCurveTabAvailable(n, false);
        mnuSubDelKurv[At(n)]->setEnabled(false);
    } else {
        for (int i = 1; i <= kMaxKurven; ++i) setCurveTabAvailable(i, false);
    }
    if (none) {
        // No curve is left for the curve panel to design.
        if (fraKurven) fraKurven->hide();
        mnuDelKurv->setEnabled(false);
        mnuDelLabels->setEnabled(false);
    }
}

void frmGraph2D::mnuSubDelKurv_Click(int Index) { DeleteCurves(Index); }

void frmGraph2D::cmdDelKurv_Click()
{
    // A tab without a curve number names no curve: deleting "curve 0" would
    // delete every curve on the chart.
    const int n = CurveNumberFromTabCaption(S(selectedCurveTabCaption().trimmed()));
    if (n == 0) return;
    mnuSubDelKurv_Click(n);
}

// ---- deleting point sets ----------------------------------------------------------------------

void frmGraph2D::mnuSubDelPoints_Click(int Index)
{
    if (Index < 0 || Index > kPunktSaetze) return;
    for (QFrame* f : {static_cast<QFrame*>(fraKurven), static_cast<QFrame*>(fraTabs), static_cast<QFrame*>(fraPunkte)})
        if (f) f->hide();
    ClearPointSets(chart(), Index);
    if (Index == 0) {
        for (int j = 1; j <= kPunktSaetze; ++j) setPointTabAvailable(j, false);
    } else {
        mnuSubDelPoints[At(Index)]->setEnabled(false);
        setPointTabAvailable(Index, false);
    }
}

void frmGraph2D::cmdDelPoints_Click(int Index) { mnuSubDelPoints_Click(Index); }

// ---- Delete > All, half-life marks, marker texts --------------------------------------------------

void frmGraph2D::mnuDelTotal_Click()
{
    // Curves 1 to 24 are excluded; the half-life marks are emptied by
    // mnuDelHalbAB_Click, and a later half-life request shows its mark again.
    mnuSubDelKurv_Click(0);
    mnuSubDelPoints_Click(0);
    mnuDelHalbAB_Click();
    for (QAction* m : {mnuDelHalbAB, mnuDelLabels, mnuDelLegend, mnuDelLegendZeile}) m->setEnabled(false);
}

void frmGraph2D::mnuDelHalbAB_Click()
{
    mnuDelHalbAB->setEnabled(false);
    ClearHalfLifeMarks(chart());
    // The value of the mark stood in the status line.
    setStatusText(QString());
}

void frmGraph2D::mnuDelMarkLabels_Click()
{
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    c.ChartLabels(kHalfLifeSeriesA).setIsShowing(false);
    c.ChartLabels(kHalfLifeSeriesB).setIsShowing(false);
}

void frmGraph2D::mnuHalbA_Click() { halfLifeMark(false); }
void frmGraph2D::mnuHalbB_Click() { halfLifeMark(true); }

void frmGraph2D::halfLifeMark(bool speziesB)
{
    App& a = app();
    const Declare& d = a.declare();
    mnuDelTotal->setEnabled(true);
    mnuDelHalbAB->setEnabled(true);
    HalfLifeOutcome outcome;
    try {
        KinNotifyUi notify;
        outcome = HalfLifeRequest(d, speziesB, notify, LocaleDecimalSign());
    } catch (const std::exception& e) {
        a.services().msgBox(Q("Critical error occured:" + d.CRLF + e.what()), MsgButtons::OK, MsgIcon::Critical,
                            "Aborted");
        return;
    }
    DrawHalfLifeMark(chart(), outcome, d.Vorwahlfarbe);
    // A message of the half-life routine has been shown: the status line stays.
    if (outcome.kind != HalfLifeOutcome::Kind::Nothing) setStatusText(Q(outcome.statusText));
}

// ---- labels and legend -------------------------------------------------------------------------

void frmGraph2D::mnuDelLabels_Click()
{
    mnuDelLabels->setEnabled(false);
    mnuAddLabels->setEnabled(true);
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    for (int i = 1; i <= kMaxKurven; ++i) c.ChartLabels(i).setIsShowing(false);
    setLabelBoxes(false);
}

void frmGraph2D::mnuAddLabels_Click()
{
    mnuAddLabels->setEnabled(false);
    mnuDelLabels->setEnabled(true);
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    for (int i = 1; i <= kMaxKurven; ++i) c.ChartLabels(i).setIsShowing(true);
    setLabelBoxes(true);
}

void frmGraph2D::mnuDelLegend_Click()
{
    chart().Legend().setIsShowing(false);
    setLegendBoxes(false);
    // What the legend boxes' handlers give a hidden legend.
    mnuDelLegend->setEnabled(false);
    mnuDelLegendZeile->setEnabled(false);
    mnuAddLegend->setEnabled(true);
}

void frmGraph2D::mnuAddLegend_Click()
{
    App& a = app();
    std::vector<std::string> pointTexts;
    for (int j = 1; j <= kPunktSaetze; ++j) pointTexts.push_back(S(PunkteTab[At(j)].txtLegendPoints));
    if (!LegendTextsGiven(chart(), pointTexts)) {
        a.services().msgBox(Q(NoLegendTextsMessage()), MsgButtons::OK, MsgIcon::Critical, kNotPossible);
        return;
    }
    chart().Legend().setIsShowing(true);
    mnuDelLegend->setEnabled(true);
    setLegendBoxes(true);
    // What the legend boxes' handlers give a shown legend.
    mnuDelLegendZeile->setEnabled(true);
    mnuAddLegend->setEnabled(false);
}

void frmGraph2D::mnuDelLegendZeile_Click()
{
    app().services().msgBox(Q(LegendLineHint()), MsgButtons::OK, MsgIcon::Information, "Hint");
}

// ---- diagram files ---------------------------------------------------------------------------

void frmGraph2D::mnuSaveOC2_Click()
{
    App& a = app();
    Declare& d = a.declare();
    FileDialogRequest r;
    r.title = "Save this diagram design";
    r.folder = Q(d.OC2Pfad);
    r.filter = kDiagramFilter;
    r.defaultExtension = "oc2";
    r.overwritePrompt = true;
    const std::optional<QString> chosen = a.services().saveFileName(r);
    if (!chosen || chosen->isEmpty()) return;
    const std::string path = S(WithDefaultExtension(*chosen, r.defaultExtension));

    std::string error;
    bool saved = false;
    {
        BusyCursor busy;
        saved = SaveDiagram(chart(), std::filesystem::path(path), error);
    }
    if (!saved) {
        // The user must not believe the diagram was saved.
        a.services().msgBox(Q(error), MsgButtons::OK, MsgIcon::Critical, kNotPossible);
        return;
    }
    d.OC2Pfad = FolderPart(path);
}

void frmGraph2D::mnuLoadOC2_Click()
{
    App& a = app();
    Declare& d = a.declare();
    FileDialogRequest r;
    r.title = "Load a saved pattern (*.oc2)";
    r.folder = Q(d.OC2Pfad);
    r.filter = kDiagramFilter;
    r.defaultExtension = "oc2";
    r.fileMustExist = true;
    const std::optional<QString> chosen = a.services().openFileName(r);
    if (!chosen || chosen->isEmpty()) return;
    const std::string path = S(*chosen);

    // The whole file is read before the chart changes; a file that cannot be
    // read leaves chart and bookkeeping as they were.
    Chart2D& c = chart();
    std::string error;
    bool loaded = false;
    {
        BusyCursor busy;
        loaded = LoadDiagram(c, std::filesystem::path(path), error);
    }
    if (!loaded) {
        a.services().msgBox(Q(error), MsgButtons::OK, MsgIcon::Critical, kNotPossible);
        return;
    }
    d.OC2Pfad = FolderPart(path);

    Chart2D::Batch batch(c);
    const LoadedDiagramState st = StateAfterDiagramLoad(c);

    // Curves: slots, count, their tabs and delete items.
    d.KurvenAnzahl = st.kurvenAnzahl;
    for (int i = 1; i <= kMaxKurven; ++i) {
        const bool used = !st.kurveFrei[At(i)];
        KurveFrei[At(i)] = !used;
        KurvenTab[At(i)].caption = used ? Q(CurveTabCaption(i)) : QString();
        setCurveTabAvailable(i, used);
        mnuSubDelKurv[At(i)]->setEnabled(used);
    }
    // Loaded curves can be deleted like drawn ones.
    if (st.kurvenAnzahl > 0) {
        mnuDelKurv->setEnabled(true);
        mnuSubDelKurv[0]->setEnabled(true);
        mnuDelTotal->setEnabled(true);
    }
    for (int i = 1; i <= kMaxKurven; ++i)
        if (!KurveFrei[At(i)] && c.ChartLabels(i).IsShowing()) mnuDelLabels->setEnabled(true);
    // The legend items follow the legend the file brought: a diagram saved
    // without its legend can have it added again.
    const bool legendShown = c.Legend().IsShowing();
    mnuDelLegend->setEnabled(legendShown);
    mnuDelLegendZeile->setEnabled(legendShown);
    mnuAddLegend->setEnabled(!legendShown);
    const ChartData& curves = c.ChartGroups(1).Data();
    if (curves.NumPoints(kHalfLifeSeriesA) > 0 || curves.NumPoints(kHalfLifeSeriesB) > 0) {
        mnuDelHalbAB->setEnabled(true);
        mnuDelTotal->setEnabled(true);
    }

    // Point sets: the tabs of the sets with points; the last of them selected.
    for (int j = 1; j <= kPunktSaetze; ++j) {
        const bool held = st.punktSatzBelegt[At(j)];
        setPointTabAvailable(j, held);
        mnuSubDelPoints[At(j)]->setEnabled(held);
    }
    if (st.punkteVorhanden) {
        PunktSatzNr = st.punktSatzNr;
        if (fraPunkte) fraPunkte->tabPunkte->setCurrentIndex(PunktSatzNr - 1);
        mnuDelTotal->setEnabled(true);
        mnuDelPoints->setEnabled(true);
        mnuSubDelPoints[0]->setEnabled(true);
    }

    // The panels show the loaded curves and sets as they are.
    refreshTabsFromChart();

    // Axis window: the file's limits become the diagram's and go through the
    // coordinates panel; then the spacings manual and automatic, twice.
    ApplyLoadedAxisWindow(st, d.Diagramm);
    mnuCoord_Click();
    cmdCoord_OK_Click();
    for (int index : {1, 0, 1, 0}) optScaling_Click(index);
}

// ---- curve export -----------------------------------------------------------------------------

void frmGraph2D::cmdClipboard_Click()
{
    const std::string text =
        CurveClipboardTextForTab(chart(), S(selectedCurveTabCaption()), LocaleDecimalSign());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(Q(text));
}

void frmGraph2D::cmdSaveCurveAsXY_Click()
{
    App& a = app();
    Declare& d = a.declare();
    const int n = CurveNumberFromTabCaption(S(selectedCurveTabCaption()));
    if (n == 0) return; // the tab names no curve

    FileDialogRequest r;
    r.title = "Save Curve to File";
    r.folder = Q(d.XYPfad);
    r.filter = "Curve point file (*.XY)|*.XY";
    r.defaultExtension = "XY";
    r.overwritePrompt = true;
    const std::optional<QString> chosen = a.services().saveFileName(r);
    if (!chosen || chosen->isEmpty()) return;
    const std::string path = S(WithDefaultExtension(*chosen, r.defaultExtension));

    std::string error;
    if (!WriteTextFileAtomic(std::filesystem::path(path), CurvePointFileText(chart(), n, d.Trennzeichen), error)) {
        a.services().msgBox(Q(error), MsgButtons::OK, MsgIcon::Critical, "message from SaveCurveAsXY");
        return;
    }
    d.XYPfad = FolderPart(path);
}

} // namespace kinhom
