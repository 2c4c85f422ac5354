#include "core/kinetics/calcattime.h"

#include <cmath>

#include "core/kinetics/akima.h"
#include "core/kinetics/closedforms.h"
#include "core/kinetics/integrator.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

const char* const kSlotName[6] = {"", "A", "B", "C", "P", "Q"};

void Scheitern(bool& failed, std::string* fehlertext, const std::string& text)
{
    failed = true;
    if (fehlertext) *fehlertext = text;
}

} // namespace

void CalcCAtTime(const Declare& d, int model, double t, std::vector<double>& c, bool& failed,
                 std::string* fehlertext)
{
    failed = false;
    if (fehlertext) fehlertext->clear();
    if (c.size() < 6) {
        Scheitern(failed, fehlertext, "The result array has no room for the species A to Q.");
        return;
    }

    if (HatGeschlosseneForm(model)) {
        if (d.c0.size() < 6 || d.k.size() < 4) {
            Scheitern(failed, fehlertext, "The start values are not dimensioned.");
            return;
        }
        double werte[6] = {0, 0, 0, 0, 0, 0};
        GeschlosseneForm(model, t, d.c0.data(), d.k.data(), werte);
        const unsigned slots = GeschlosseneFormSlots(model);
        for (int s = 1; s <= 5; ++s) {
            if (!(slots >> s & 1u)) continue;
            if (!std::isfinite(werte[s])) {
                Scheitern(failed, fehlertext,
                          std::string("The concentration of ") + kSlotName[s] + " at t = " +
                              GenDouble(t) + " is not a finite number.");
                return;
            }
            c[static_cast<std::size_t>(s)] = werte[s];
        }
        return;
    }

    if (!IstNumerischesModell(model)) return;
    if (d.MMDiagramm) return; // the table holds the Michaelis-Menten curve, not a course

    // The spline tables must hold the course of a completed run of this model.
    BuildPendingSplines(d);
    if (d.AkimaQuelle != model || d.AkimaX.empty()) {
        Scheitern(failed, fehlertext,
                  "There is no simulated course of this model to read from: run the simulation "
                  "of the model first.");
        return;
    }
    const double knoten = d.AkimaX[0];
    if (!(knoten >= 3 && knoten <= 32767)) {
        Scheitern(failed, fehlertext, "The spline tables hold no course.");
        return;
    }
    const int n = static_cast<int>(std::lround(knoten));
    for (int s = 1; s <= 5; ++s) {
        const std::size_t si = static_cast<std::size_t>(s - 1);
        if (si >= d.Stoffmuster.size() || d.Stoffmuster[si] != '1') continue;
        const std::optional<double> wert = AkimaWert(d, 0, s, t, n);
        if (!wert || !std::isfinite(*wert)) {
            Scheitern(failed, fehlertext,
                      std::string("The concentration of ") + kSlotName[s] + " at t = " +
                          GenDouble(t) + " cannot be read from the simulated course.");
            return;
        }
        c[static_cast<std::size_t>(s)] = *wert;
    }
}

} // namespace kinhom
