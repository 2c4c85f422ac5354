#pragma once
// The names by which windows address each other: window classes (their
// objectName) and the controls another window presses or writes. Code that
// reaches a window it does not include (the main window's pop-up items, the
// model window's relabelling, the unit captions) uses these constants, never a
// string of its own, so a misspelt name fails to compile instead of silently
// doing nothing. tests/ui/test_formnames.cpp checks that each window and each
// addressed control exists under its name once the window is loaded.

namespace kinhom::names {

// ---- windows ------------------------------------------------------------------------
inline constexpr char frmKinModel[] = "frmKinModel";
inline constexpr char frmPrepareTimeDiagram[] = "frmPrepareTimeDiagram";
inline constexpr char frmGraph2D[] = "frmGraph2D";
inline constexpr char frmDatedit[] = "frmDatedit";
inline constexpr char frmManuInput[] = "frmManuInput";
inline constexpr char frmFitting[] = "frmFitting";
inline constexpr char frmCalcTangente[] = "frmCalcTangente";
inline constexpr char frmArrheniusRechner[] = "frmArrheniusRechner";
inline constexpr char frmBatch[] = "frmBatch";
inline constexpr char frmRohrreaktor[] = "frmRohrreaktor";
inline constexpr char frmRKconti[] = "frmRKconti";
inline constexpr char frmProtokoll[] = "frmProtokoll";
inline constexpr char frmMonteCarlo[] = "frmMonteCarlo";

// The input windows in the order in which the model window looks for the first
// loaded one to relabel.
inline constexpr const char* kInputWindows[] = {frmPrepareTimeDiagram, frmRKconti, frmBatch, frmRohrreaktor,
                                                frmFitting};
// The reactor windows in the order in which the unit captions look for the
// first loaded one.
inline constexpr const char* kReactorWindows[] = {frmRKconti, frmBatch, frmRohrreaktor};

// ---- controls addressed across windows ----------------------------------------------------
// The grids' edit buttons, pressed by the main window's pop-up menus.
inline constexpr char cmdClipboard[] = "cmdClipboard";
inline constexpr char cmdClipEinfuegen[] = "cmdClipEinfuegen";
inline constexpr char cmdEraseSelected[] = "cmdEraseSelected";
inline constexpr char cmdErase[] = "cmdErase";
// The chart window's hidden buttons, which its DrawCurves and DrawManualCurve press.
inline constexpr char cmdDraw[] = "cmdDraw";
inline constexpr char cmdManuKurve[] = "cmdManuKurve";
// The fitting window's draw button, pressed by the fitting menus.
inline constexpr char cmdDrawNewCurve[] = "cmdDrawNewCurve";
// The Monte-Carlo window's Refresh button, pressed by the options window.
inline constexpr char cmdRefresh[] = "cmdRefresh";
// Unit captions written by SetUnitLabels.
inline constexpr char lblZeitEinheit[] = "lblZeitEinheit";
inline constexpr char lblVPunktInput[] = "lblVPunktInput";
inline constexpr char unit1[] = "unit1";
inline constexpr char unit2[] = "unit2";
inline constexpr char unit3[] = "unit3";
inline constexpr char unit4[] = "unit4";
inline constexpr char Bz1_2[] = "Bz1_2";
inline constexpr char lblKopf_5[] = "lblKopf_5";

} // namespace kinhom::names
