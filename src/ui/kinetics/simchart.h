#pragma once
// How the simulation windows reach the chart window.

namespace kinhom {

// Whether the chart window is loaded.
bool ChartWindowLoaded();

// Hands the finished simulation (the courses of the shared state, the diagram
// code DiagrammTyp) to the chart window. With discardOld the chart window is
// unloaded first, the plot ranges of the measured data are computed and the
// titles set, so that the fresh chart window draws on loading; otherwise the
// titles are set and the open window's Draw is pressed, so that the new curves
// are added to the old ones.
void DrawSimulationChart(bool discardOld);

} // namespace kinhom
