#pragma once
// The names by which windows address each other: window classes (their
// objectName) and the controls another window presses or writes. Code that
// reaches a window it does not include (the main window's pop-up items, the
// model window's search for an input window, the unit captions) uses these constants, never a
// string of its own, so a misspelt name fails to compile instead of silently
// doing nothing. tests/ui/test_formnames.cpp checks that each window and each
// addressed control exists under its name once the window is loaded.

#include <cstddef>
#include <iterator>
#include <string_view>

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

// ---- lists of windows ------------------------------------------------------------------
// The only lists of the input and reactor windows: every loop over them uses
// these. tests/ui/test_formnames.cpp fails when a window class deriving from
// ModellInputForm or ReaktorFenster is missing from its list, and the checks
// below fail to compile when a list of closed windows misses an input window.

// The input windows (ModellInputForm), in the order in which the model window
// looks for the first loaded one to show a chosen model. A reactor menu closes
// the other input windows in this order too.
inline constexpr const char* kInputWindows[] = {frmPrepareTimeDiagram, frmRKconti, frmBatch, frmRohrreaktor,
                                                frmFitting};
// The reactor windows (ReaktorFenster), in the order in which the unit
// captions look for the first loaded one (and then for the fitting window).
inline constexpr const char* kReactorWindows[] = {frmRKconti, frmBatch, frmRohrreaktor};
// The input windows that a fit and a tangent close before they open their
// own, in this order: every input window but the fitting window, the reactors
// in the order of the Reactors menu.
inline constexpr const char* kClosedByEvaluation[] = {frmPrepareTimeDiagram, frmBatch, frmRohrreaktor, frmRKconti};
// The input windows that the model simulation closes, in this order: every
// input window but the set-up window.
inline constexpr const char* kClosedBySimulation[] = {frmBatch, frmRKconti, frmRohrreaktor, frmFitting};

namespace detail {
template <std::size_t N>
constexpr bool Lists(const char* const (&list)[N], std::string_view name)
{
    for (std::string_view n : list)
        if (n == name)
            return true;
    return false;
}
// True when `list` holds every input window but `left`, each once.
template <std::size_t N>
constexpr bool EveryInputWindowBut(const char* const (&list)[N], std::string_view left)
{
    if (N + 1 != std::size(kInputWindows) || Lists(list, left))
        return false;
    for (std::string_view n : kInputWindows)
        if (n != left && !Lists(list, n))
            return false;
    return true;
}
} // namespace detail

static_assert(detail::EveryInputWindowBut(kClosedByEvaluation, frmFitting));
static_assert(detail::EveryInputWindowBut(kClosedBySimulation, frmPrepareTimeDiagram));
static_assert([] {
    for (std::string_view n : kReactorWindows)
        if (!detail::Lists(kInputWindows, n))
            return false;
    return true;
}());

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
