#pragma once
// Scaling of one chart axis: the window it can soundly show, its automatic
// spacings ("nice" steps of 1, 2 or 5 times a power of ten on a linear axis,
// whole decades on a logarithmic one), the values that carry numbers, ticks and
// grid lines, and the text of the numbers.
//
// Spacings on a logarithmic axis are given in decades (1 = every power of ten).

#include <string>
#include <vector>

namespace kinhom {

// An axis window, min < max (on a logarithmic axis 0 < min).
struct AxisWindow {
    double min = 0;
    double max = 1;
};

// A set spacing that would give more lines than this is replaced by the automatic one.
constexpr int kMaxAxisLines = 1000;

// The nearest window that can be drawn:
// - a limit that is not finite is taken from the other limit (0..1, on a
//   logarithmic axis 1..10, when neither is finite); limits beyond +-1e300 are
//   pulled back to it;
// - an inverted window is turned round;
// - an empty window (or one too narrow for the precision of a double) is widened
//   by a tenth of its value on each side (-1..1 around 0; on a logarithmic axis
//   to the decade that holds it);
// - on a logarithmic axis a window that reaches 0 or below keeps its positive
//   part: from the decade of smallestPositive (the smallest positive data value,
//   when there is one below max) or three decades below max, and never more than
//   twelve decades below max; with no positive part at all it is 1..10.
AxisWindow SoundWindow(double min, double max, bool log, double smallestPositive = 0);

// The automatic numbering spacing of a sound window: the smallest step of 1, 2 or
// 5 times a power of ten that puts at most 10 numbered values into the window; on
// a logarithmic axis the smallest of 1, 2, 5, 10, 20 ... decades doing the same.
double AutoSpacing(const AxisWindow& w, bool log);

// True when a set spacing can be used on the window: finite, positive and giving
// at most kMaxAxisLines lines.
bool SpacingUsable(double spacing, const AxisWindow& w, bool log);

// The multiples of a (usable) spacing inside the window, ascending: k * spacing on
// a linear axis, 10^(k * spacing) on a logarithmic one. Values within a billionth
// of a step of zero are exactly 0.
std::vector<double> SpacedValues(const AxisWindow& w, double spacing, bool log);

// The window an automatic axis shows for a data range: the sound window of the
// data widened outwards to whole automatic steps (whole decades on a logarithmic
// axis).
AxisWindow AutoWindow(double dataMin, double dataMax, bool log, double smallestPositive = 0);

// Texts of the numbered values of an axis: a linear axis writes all its numbers
// alike, with as many decimals as the spacing needs ("0", "0.2", "-1.5", "250"),
// or, when that would need five or more decimals or a number reaches 1e7, in the
// exponent form ("1E-06", "2.5E-06", "1E+08"); zero is always "0". A logarithmic
// axis writes its decades 0.001 to 10000 plainly and the others as "1E-04",
// "1E+05"; values between decades get as few digits as they need.
std::vector<std::string> FormatAxisNumbers(const std::vector<double>& values, double spacing, bool log);

// One number in its shortest form with up to 6 significant digits ("0.5", "1E-06",
// "12345", "1.5E+07").
std::string ShortNumber(double v);

// What the chart knows of one axis.
struct AxisScaleInput {
    double min = 0;
    double max = 1;
    bool log = false;
    double smallestPositive = 0; // smallest positive data value; 0 when none
    double gridSpacing = 0;
    bool gridAuto = true;
    double tickSpacing = 0;
    bool tickAuto = true;
    double numSpacing = 0;
    bool numAuto = true;
    int originPlacement = 2; // OriginPlacement codes of chart2d.h
    double originValue = 0;
};

// How an axis is drawn.
struct AxisScale {
    bool log = false;
    double min = 0; // the sound window
    double max = 1;
    double autoSpacing = 0.2;  // the automatic numbering spacing of the window
    double numSpacing = 0.2;   // spacings in effect (automatic ones, or usable set ones)
    double tickSpacing = 0.2;
    double gridSpacing = 0.2;
    std::vector<double> numbers; // values that carry a number, ascending
    std::vector<std::string> numberTexts;
    std::vector<double> ticks;      // tick values (a tick on a numbered value is long)
    std::vector<double> minorTicks; // short ticks of the 2..9 steps inside decades (logarithmic axes)
    std::vector<double> grid;       // grid line values
    double origin = 0;              // where the crossing axis stands, inside the window

    // Position of v in the window, 0 at min and 1 at max (logarithmic on a
    // logarithmic axis); NaN for a value that cannot be shown (not finite, or not
    // positive on a logarithmic axis). Values outside the window give fractions
    // outside 0..1.
    double fraction(double v) const;
    // The value at a fraction of the window.
    double valueAt(double f) const;
    // True when v lies in the window (with a tolerance of a millionth of the window).
    bool contains(double v) const;
};

// The automatic spacing of a kind follows the numbering: automatic numbering takes
// AutoSpacing; automatic tick and grid spacings take the numbering spacing in
// effect. Set spacings that are not usable are replaced by the automatic ones.
// An automatic logarithmic numbering that finds fewer than two decades in the
// window numbers the 1-2-5 values instead (or plain steps inside one of them).
AxisScale ComputeAxisScale(const AxisScaleInput& in);

} // namespace kinhom
