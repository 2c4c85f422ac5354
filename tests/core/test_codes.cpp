// The named task modes, diagram codes and axis positions stand for the numbers
// that the shared state, the project and session files and the diagram files
// hold; renumbering one would misread every file written before.

#include <gtest/gtest.h>

#include "core/shell/codes.h"
#include "core/shell/declare.h"

using namespace kinhom;

TEST(Codes, TaskModesKeepTheirValues)
{
    EXPECT_EQ(TaskMode::Simulation, 0);
    EXPECT_EQ(TaskMode::FitK, 1);
    EXPECT_EQ(TaskMode::FitKAndOrder, 2);
    EXPECT_EQ(TaskMode::NonIsothermalFirstOrder, 6);
    EXPECT_EQ(TaskMode::NonIsothermalSecondOrder, 7);

    EXPECT_FALSE(TaskMode::IsNonIsothermal(TaskMode::Simulation));
    EXPECT_FALSE(TaskMode::IsNonIsothermal(TaskMode::FitKAndOrder));
    EXPECT_TRUE(TaskMode::IsNonIsothermal(TaskMode::NonIsothermalFirstOrder));
    EXPECT_TRUE(TaskMode::IsNonIsothermal(TaskMode::NonIsothermalSecondOrder));

    // Every mode fits the byte the shared state keeps it in.
    Declare d;
    d.Arbeitsmodus = TaskMode::NonIsothermalSecondOrder;
    EXPECT_EQ(d.Arbeitsmodus, 7);
}
