#pragma once
// The remembered axis window of every diagram kind.
//
// AchsenBereiche keeps one pair of limits per plotted quantity (t, c, r, T, k,
// 1/T, ln k, ln(k/T)), per linearised plot (-5, -6, -7, -8, -10, -11) and for
// the two axes of the Michaelis-Menten diagram. A diagram code owns an x pair
// and a y pair among them; SaveAxisScales stores the visible window of the
// chart there and LoadAxisScales brings it back when the next chart of the same
// kind opens. The pairs of codes -7 and -8 are kept maximum first (position 20
// and 22 hold the maximum), every other pair minimum first.

#include <cstdint>
#include <optional>

#include "core/shell/declare.h"

namespace kinhom {

// What besides the code decides the kind of a diagram.
struct AxisKindContext {
    std::uint8_t Arbeitsmodus = TaskMode::Simulation; // modes 6 and 7 overwrite the c maximum
    float c0ExpA = 0;                                 // c0Exp(1): the c maximum in task mode 7
    bool MMDiagramm = false;                          // the Michaelis-Menten diagram is shown ...
    int ModellNr = 0;                                 // ... for the enzyme model 10
};

AxisKindContext AxisContextOf(const Declare& d);

// Positions of AchsenBereiche that hold the four limits of a diagram kind.
struct AxisPositions {
    int xMin, xMax, yMin, yMax;
};

// The positions that belong to a code, or nothing for a code without a stored
// window (0, 19, 69 ...). The Michaelis-Menten diagram (the flag set, model 10
// and its concentration or rate code 10 or 60) has the positions 28 to 31.
std::optional<AxisPositions> AxisPositionsFor(int code, const AxisKindContext& ctx);

// True when the code draws the Michaelis-Menten diagram in this context.
bool IsMichaelisMentenChart(int code, const AxisKindContext& ctx);

// Stores xMin, xMax, yMin, yMax of the diagram into the code's positions; a
// code without positions stores nothing. Afterwards task mode 6 sets the c
// maximum (position 3) to 1 and task mode 7 to c0Exp(1), whatever the code.
void SaveAxisScales(int code, AchsenInfo& achsen, const DiagrammInfo& diagramm, const AxisKindContext& ctx);

// Copies the code's positions back into the diagram's limits; a code without
// positions leaves the diagram as it is.
void LoadAxisScales(int code, const AchsenInfo& achsen, DiagrammInfo& diagramm, const AxisKindContext& ctx);

// The same on the shared state: the code's kind, d.AchsenBereiche and d.Diagramm.
void SaveAxisScales(Declare& d, int code);
void LoadAxisScales(Declare& d, int code);

} // namespace kinhom
