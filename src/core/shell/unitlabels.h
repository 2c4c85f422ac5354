#pragma once
// The unit captions of the input windows for the current time unit and model.

#include <string>

namespace kinhom {

// The unit texts of rate constants for the time unit u (trailing blanks
// removed): K0 "/(mol/(u*l))" (zeroth order), K1 "/(1/u)" (first order),
// K2 "/(l/(u*mol))" (second order), Kn "/((l/mol)^(n-1)/u)" (order n).
struct UnitTexts {
    std::string K0, K1, K2, Kn, u;
};

UnitTexts MakeUnitTexts(const std::string& zeiteinheit);

// The captions that the unit relabelling writes: unit1 to unit3 next to k1 to
// k3 (K1 unless the model's reaction order says otherwise; model 20 leaves
// unit1 empty because its unit depends on the order), lblZeitEinheit u,
// lblVPunktInput "V* /m^3/" & u, unit4 u, the data editor's Bz1(2)
// "Time t/" & u and lblKopf(5) "  time t/" & u.
struct UnitCaptions {
    std::string unit1, unit2, unit3;
    std::string lblZeitEinheit;
    std::string lblVPunktInput;
    std::string unit4;
    std::string Bz1_2;
    std::string lblKopf_5;
};

UnitCaptions UnitCaptionsFor(int modellNr, const std::string& zeiteinheit);

} // namespace kinhom
