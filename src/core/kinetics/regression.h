#pragma once
// Weighted linear least squares for a polynomial of degree 1 to 4: the engine of
// every straight-line evaluation of the linearised plots (ln c, 1/c, Arrhenius,
// Eyring, lambda plots).

#include <cstdint>
#include <vector>

#include "core/shell/array2.h"

namespace kinhom {

// Fits the basis functions chosen by mode to the weighted points 1 to N of
// regX/regY/regW (N = upper index of regX; element 0 is not used).
//
//  regX, regY, regW  x, y and weight of each point (regY and regW must reach at
//                    least the upper index of regX; otherwise KinError)
//  np                number of basis functions (coefficients), 1 to 5
//  mode              1 and 2: (1, x); 3: (1, x, x^2); 4: (.., x^3); 5: (.., x^4).
//                    Basis functions beyond the mode are 0, so an np larger than
//                    the mode provides ends as a singular system.
//  ohneKonstante     1 drops the constant: x becomes the first basis function,
//                    x^2 the second, and so on; any other value keeps it
//  A                 the normal matrix, rows 1..np, columns 1..np+1 (enlarged
//                    when the caller's table is smaller). On success column np+1
//                    holds the coefficients: A(1, np+1) the first basis function's
//                    (the intercept), A(2, np+1) the next one's, ...; the left
//                    np x np block holds the identity.
//  s                 standard error sqrt(SSE / (Sw - np))
//  relAbweichung     relative deviation in percent sqrt(SREL / Sw); points with
//                    y = 0 add nothing to SREL but their weight counts in Sw
//  r2                coefficient of determination SSR / SST; when SST = 0 it is
//                    1 if SSE = 0 and 0 otherwise
//  failed            set to true when the normal equations are singular (no
//                    usable pivot: no weighted point, all x equal, ...) or a
//                    result is not finite; left untouched otherwise. When set,
//                    s, relAbweichung and r2 keep their old values.
//
// When the sum of the weights Sw is not greater than np, the coefficients are
// computed but s, relAbweichung and r2 are 0.
void CalcRegression(const std::vector<float>& regX, const std::vector<float>& regY,
                    const std::vector<float>& regW, int np, int mode, std::int16_t ohneKonstante,
                    Array2<double>& A, float& s, float& relAbweichung, float& r2, bool& failed);

} // namespace kinhom
