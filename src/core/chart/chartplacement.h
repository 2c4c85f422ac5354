#pragma once
// Where the chart window opens: inside the main window's client area, so its
// legend, menu and close button are always in sight. In the simulation mode it
// opens where it was last closed (GrafikLinks), in every fitting mode at the
// right edge, beside the fitting window.

namespace kinhom {

struct ChartWindowPlace {
    int left = 0, top = 0, width = 0, height = 0; // twips
};

// The chart window's frame for a client area of areaWidth x areaHeight twips:
// 72 % of the area wide in task mode 0 (Arbeitsmodus), 68 % in the others,
// 75 % of it high, 500 twips from the top; in task mode 0 at grafikLinks, in
// the others 50 twips from the right edge. The frame is moved, never shrunk
// further, to lie inside the area (an area of no size gives a frame of none).
ChartWindowPlace PlaceChartWindow(int areaWidth, int areaHeight, int arbeitsmodus, int grafikLinks);

} // namespace kinhom
