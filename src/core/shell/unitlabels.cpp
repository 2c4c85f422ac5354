#include "core/shell/unitlabels.h"

namespace kinhom {

UnitTexts MakeUnitTexts(const std::string& zeiteinheit)
{
    UnitTexts t;
    const auto last = zeiteinheit.find_last_not_of(' ');
    t.u = last == std::string::npos ? std::string() : zeiteinheit.substr(0, last + 1);
    t.K1 = "/(1/" + t.u + ")";
    t.K2 = "/(l/(" + t.u + "*mol))";
    t.K0 = "/(mol/(" + t.u + "*l))";
    t.Kn = "/((l/mol)^(n-1)/" + t.u + ")";
    return t;
}

UnitCaptions UnitCaptionsFor(int modellNr, const std::string& zeiteinheit)
{
    const UnitTexts t = MakeUnitTexts(zeiteinheit);
    UnitCaptions c;
    c.unit1 = c.unit2 = c.unit3 = t.K1;
    switch (modellNr) {
    case 1: c.unit1 = t.K0; break;                    // zeroth order
    case 3:
    case 4:
    case 9:
    case 10:
    case 13:
    case 18: c.unit1 = t.K2; break;                   // k1 of a second-order step
    case 7:
    case 12: c.unit1 = c.unit2 = t.K2; break;         // k1 and k2 second order
    case 17: c.unit1 = t.K2; c.unit2 = t.K1; break;   // A + B <=> P
    case 20: c.unit1.clear(); break;                  // unit depends on the order n
    default: break;
    }
    c.lblZeitEinheit = t.u;
    c.lblVPunktInput = "V* /m^3/" + t.u;
    c.unit4 = t.u;
    c.Bz1_2 = "Time t/" + t.u;
    c.lblKopf_5 = "  time t/" + t.u;
    return c;
}

} // namespace kinhom
