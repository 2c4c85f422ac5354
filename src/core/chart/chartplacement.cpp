#include "core/chart/chartplacement.h"

#include <algorithm>
#include <cmath>

#include "core/shell/codes.h"

namespace kinhom {

namespace {
int Share(double fraction, int whole) { return static_cast<int>(std::lround(fraction * std::max(0, whole))); }
} // namespace

ChartWindowPlace PlaceChartWindow(int areaWidth, int areaHeight, int arbeitsmodus, int grafikLinks)
{
    areaWidth = std::max(0, areaWidth);
    areaHeight = std::max(0, areaHeight);
    ChartWindowPlace p;
    p.height = Share(0.75, areaHeight);
    p.top = std::min(500, areaHeight - p.height);
    if (arbeitsmodus == TaskMode::Simulation) {
        p.width = Share(0.72, areaWidth);
        p.left = std::clamp(grafikLinks, 0, areaWidth - p.width);
    } else {
        p.width = Share(0.68, areaWidth);
        p.left = std::max(0, areaWidth - p.width - 50);
    }
    return p;
}

} // namespace kinhom
