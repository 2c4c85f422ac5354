#pragma once
// F1 on a window opens the help page of its context number.

class QWidget;

namespace kinhom {

// Help context numbers of windows that have a page of their own.
constexpr int kHelpCalcTangente = 10320;
constexpr int kHelpManuInput = 10330;
constexpr int kHelpArrheniusRechner = 10340;

// F1 anywhere inside window (while it has the focus) shows the page `context`
// through the help service.
void InstallHelpKey(QWidget* window, int context);

} // namespace kinhom
