#include "core/kinetics/stoffmuster.h"

namespace kinhom {

void SetStoffMuster(Declare& d, int code)
{
    d.kTDiagramm = false;
    d.Stoffmuster = "00000";
    d.kMuster = "000";
    auto muster = [&d](const char* stoffe, const char* konstanten) {
        d.Stoffmuster = stoffe;
        d.kMuster = konstanten;
    };
    switch (code) {
    case 1: case 5:
        muster("10010", "100");
        break;
    case 2:
        // the non-isothermal first-order fit fits A and EA: both boxes are shown
        muster("10010", d.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder ? "110" : "100");
        break;
    case 3:
        // the non-isothermal second-order fit follows A only and fits A and EA
        if (d.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder)
            muster("10000", "110");
        else
            muster("10010", "100");
        break;
    case 4:
        muster("11010", "100");
        break;
    case 6:
        muster("10110", "110");
        break;
    case 7: case 9:
        muster("11110", "110");
        break;
    case 8:
        muster("10010", "110");
        break;
    case 10: case 13: case 18:
        muster("11110", "111");
        break;
    case 11:
        muster("10011", "110");
        break;
    case 12: case 17:
        muster("11010", "110");
        break;
    case 14: case 15:
        muster("10110", "111");
        break;
    case 16:
        muster("10011", "100");
        break;
    case 20:
        // the order fit treats the order n as the second parameter
        muster("10010", d.Arbeitsmodus == TaskMode::FitKAndOrder ? "110" : "100");
        break;
    case DiagramCode::LambdaSecondOrder: case DiagramCode::LambdaFirstOrder:
        d.Stoffmuster = "10010";
        break;
    case DiagramCode::FittingPoints: case DiagramCode::ConcentrationPoints:
        d.Stoffmuster = "11111";
        break;
    case DiagramCode::UnequalStartPlot: case DiagramCode::WilkinsonPlot:
    case DiagramCode::SecondOrderPlot: case DiagramCode::FirstOrderPlot:
        d.Stoffmuster = "00002";
        break;
    case DiagramCode::Eyring: case DiagramCode::Arrhenius: case DiagramCode::RateConstantPoints:
        d.kTDiagramm = true;
        break;
    default:
        // the rate codes 51 to 70 and every other code: nothing in use
        break;
    }
}

} // namespace kinhom
