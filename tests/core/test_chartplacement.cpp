#include <gtest/gtest.h>

#include "core/chart/chartplacement.h"

using namespace kinhom;

namespace {
void ExpectInside(const ChartWindowPlace& p, int w, int h)
{
    EXPECT_GE(p.left, 0);
    EXPECT_GE(p.top, 0);
    EXPECT_LE(p.left + p.width, w);
    EXPECT_LE(p.top + p.height, h);
}
} // namespace

// The frame is taken from the main window's client area, not from the screen,
// so it never runs past the area's right or bottom edge.
TEST(ChartPlacement, SharesOfTheClientArea)
{
    // a client area of 1260 x 880 pixels
    const int w = 1260 * 15, h = 880 * 15;
    const ChartWindowPlace sim = PlaceChartWindow(w, h, 0, 3800);
    EXPECT_EQ(sim.left, 3800);
    EXPECT_EQ(sim.top, 500);
    EXPECT_EQ(sim.width, 13608); // 72 %
    EXPECT_EQ(sim.height, 9900); // 75 %
    ExpectInside(sim, w, h);

    // every fitting mode: 68 % wide, 50 twips from the right edge
    for (int mode : {1, 2, 6, 7}) {
        const ChartWindowPlace fit = PlaceChartWindow(w, h, mode, 0);
        EXPECT_EQ(fit.width, 12852);
        EXPECT_EQ(fit.left, w - 12852 - 50);
        ExpectInside(fit, w, h);
    }
}

TEST(ChartPlacement, RememberedLeftIsKeptInsideTheArea)
{
    const int w = 9000, h = 6000;
    const struct {
        int grafikLinks, left;
    } cases[] = {{0, 0}, {1000, 1000}, {2520, 2520}, {2521, 2520}, {9000, 2520}, {-300, 0}};
    for (const auto& c : cases) {
        const ChartWindowPlace p = PlaceChartWindow(w, h, 0, c.grafikLinks);
        EXPECT_EQ(p.left, c.left) << c.grafikLinks;
        ExpectInside(p, w, h);
    }
}

TEST(ChartPlacement, SmallAndEmptyAreas)
{
    // too low for 500 twips above three quarters: moved up, not shrunk
    const ChartWindowPlace low = PlaceChartWindow(3000, 1200, 0, 0);
    EXPECT_EQ(low.height, 900);
    EXPECT_EQ(low.top, 300);
    ExpectInside(low, 3000, 1200);
    for (int mode : {0, 1}) {
        const ChartWindowPlace none = PlaceChartWindow(0, -15, mode, 3800);
        EXPECT_EQ(none.left, 0);
        EXPECT_EQ(none.top, 0);
        EXPECT_EQ(none.width, 0);
        EXPECT_EQ(none.height, 0);
    }
}
