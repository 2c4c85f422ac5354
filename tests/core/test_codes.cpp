// The named task modes, diagram codes and axis positions stand for the numbers
// that the shared state, the project and session files and the diagram files
// hold; renumbering one would misread every file written before.

#include <iterator>

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

TEST(Codes, DiagramCodesKeepTheirValues)
{
    EXPECT_EQ(DiagramCode::None, 0);
    EXPECT_EQ(DiagramCode::ConcentrationPoints, -1);
    EXPECT_EQ(DiagramCode::RateConstantPoints, -2);
    EXPECT_EQ(DiagramCode::Arrhenius, -3);
    EXPECT_EQ(DiagramCode::Eyring, -4);
    EXPECT_EQ(DiagramCode::FirstOrderPlot, -5);
    EXPECT_EQ(DiagramCode::SecondOrderPlot, -6);
    EXPECT_EQ(DiagramCode::WilkinsonPlot, -7);
    EXPECT_EQ(DiagramCode::UnequalStartPlot, -8);
    EXPECT_EQ(DiagramCode::FittingPoints, -9);
    EXPECT_EQ(DiagramCode::LambdaFirstOrder, -10);
    EXPECT_EQ(DiagramCode::LambdaSecondOrder, -11);
    EXPECT_EQ(DiagramCode::Tangent, 100);

    // A model's rate chart is the model number plus 50: 51 to 68 and 70.
    EXPECT_EQ(DiagramCode::RateOffset, 50);
    EXPECT_EQ(DiagramCode::Rate(1), 51);
    EXPECT_EQ(DiagramCode::Rate(20), 70);

    Declare d;
    d.DiagrammTyp = DiagramCode::LambdaSecondOrder;
    EXPECT_EQ(d.DiagrammTyp, -11);
}

TEST(Codes, AxisSlotsKeepTheirPositions)
{
    using namespace AxisSlot;
    const int positions[] = {TimeMin,         TimeMax,         ConcMin,        ConcMax,       RateMin,
                             RateMax,         TempMin,         TempMax,        KMin,          KMax,
                             InvTempMin,      InvTempMax,      LnKMin,         LnKMax,        LnKOverTMin,
                             LnKOverTMax,     LnCAMin,         LnCAMax,        InvCAMin,      InvCAMax,
                             WilkinsonMax,    WilkinsonMin,    LnCARatioMax,   LnCARatioMin,  LambdaFirstMin,
                             LambdaFirstMax,  LambdaSecondMin, LambdaSecondMax, MichaelisYMin, MichaelisYMax,
                             MichaelisXMin,   MichaelisXMax};
    // In the order of the record: position i has the i-th name, so the -7 and
    // -8 pairs stay maximum first.
    ASSERT_EQ(std::size(positions), std::size_t(Count));
    for (int i = 0; i < Count; ++i) EXPECT_EQ(positions[i], i) << "position " << i;
    EXPECT_EQ(Count, 32);
    EXPECT_EQ(sizeof(AchsenInfo), 32 * sizeof(float));
}
