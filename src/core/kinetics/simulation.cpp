#include "core/kinetics/simulation.h"

#include <algorithm>
#include <cmath>

#include "core/kinetics/akima.h"
#include "core/kinetics/closedforms.h"
#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

constexpr std::size_t kZeilen = kSimIntervals + 1;

const char* const kSlotName[6] = {"", "A", "B", "C", "P", "Q"};

// The table must hold rows 0 to 200 whoever dimensioned it.
void TabelleSichern(Declare& d)
{
    for (std::vector<double>* v : {&d.SimT, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ})
        if (v->size() < kZeilen) v->resize(kZeilen, 0.0);
    for (std::vector<float>* v : {&d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ})
        if (v->size() < kZeilen) v->resize(kZeilen, 0.0f);
    if (d.c0.size() < 6) d.c0.resize(6, 0.0);
    if (d.cAktuell.size() < 6) d.cAktuell.resize(6, 0.0);
    if (d.k.size() < 4) d.k.resize(4, 0.0);
}



std::string NichtEndlichText(int slot, double t, bool rate)
{
    return std::string(rate ? "The rate of " : "The concentration of ") + kSlotName[slot] +
           " at t = " + GenDouble(t) +
           " is not a finite number. Check the rate constants and start concentrations.";
}

void Scheitern(SimulationsErgebnis& erg, std::string text)
{
    erg.failed = true;
    erg.Fehlertext = std::move(text);
}

// Inputs that no course can be computed from.
bool EingabenPruefen(const Declare& d, int model, SimulationsErgebnis& erg)
{
    if (!std::isfinite(d.tEnde)) {
        Scheitern(erg, "t(max) is not a finite number.");
        return false;
    }
    for (int i = 1; i <= 3; ++i)
        if (!std::isfinite(d.k[i])) {
            Scheitern(erg, "The rate constant k" + std::to_string(i) + " is not a finite number.");
            return false;
        }
    for (int i = 1; i <= 5; ++i)
        if (!std::isfinite(d.c0[i])) {
            Scheitern(erg, std::string("The start concentration of ") + kSlotName[i] +
                               " is not a finite number.");
            return false;
        }
    if (model == 20 && !std::isfinite(d.Ordnung)) {
        Scheitern(erg, "The order n is not a finite number.");
        return false;
    }
    return true;
}

void GeschlosseneFormen(Declare& d, int model, SimulationsErgebnis& erg)
{
    // The model's slots and their columns, looked up once.
    const unsigned maske = GeschlosseneFormSlots(model);
    int slots[5] = {0, 0, 0, 0, 0};
    double* konz[5] = {};
    float* raten[5] = {};
    int anzahl = 0;
    for (int s = 1; s <= 5; ++s)
        if (maske >> s & 1u) {
            slots[anzahl] = s;
            konz[anzahl] = d.SimC(s).data();
            raten[anzahl] = d.SimR(s).data();
            ++anzahl;
        }

    double c[6] = {0, 0, 0, 0, 0, 0};
    double dc[6] = {0, 0, 0, 0, 0, 0};
    double* aktuell = d.cAktuell.data();
    for (int i = 0; i <= d.SimAnzahl; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        const double t = i * d.Zeitschritt;
        GeschlosseneForm(model, t, d.c0.data(), d.k.data(), c);
        for (int j = 0; j < anzahl; ++j)
            if (!std::isfinite(c[slots[j]])) {
                Scheitern(erg, NichtEndlichText(slots[j], t, false));
                return;
            }
        d.SimT[r] = t;
        for (int j = 0; j < anzahl; ++j) {
            konz[j][r] = c[slots[j]];
            aktuell[slots[j]] = c[slots[j]];
        }
        CalcRates(model, dc, d.k.data(), aktuell, d.Ordnung);
        for (int j = 0; j < anzahl; ++j) {
            const float rate = static_cast<float>(dc[slots[j]]);
            if (!std::isfinite(rate)) {
                Scheitern(erg, NichtEndlichText(slots[j], t, true));
                return;
            }
            raten[j][r] = rate;
        }
        erg.Zeilen = i + 1;
    }
}

void MichaelisMenten(Declare& d, SimulationsErgebnis& erg)
{
    // The normalised initial rate v/vmax = x/(1 + x) over x = S0/KM, the
    // abscissa being either S0/KM from 0 to 20 or S0 from 0 to S0max.
    if (d.MMNormiert)
        d.Zeitschritt = 20.0 / d.SimAnzahl;
    else
        d.Zeitschritt = static_cast<float>(d.S0max / static_cast<float>(d.SimAnzahl));
    for (int i = 0; i <= d.SimAnzahl; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        double x = i * d.Zeitschritt;
        d.SimT[r] = x;
        if (d.MichaelisKonstante > 0 && !d.MMNormiert) x = x / d.MichaelisKonstante;
        const float v = static_cast<float>(x / (1 + x));
        if (!std::isfinite(v)) {
            Scheitern(erg, "The Michaelis-Menten rate at S0 = " + GenDouble(d.SimT[r]) +
                               " is not a finite number.");
            return;
        }
        d.SimRP[r] = v;
        erg.Zeilen = i + 1;
    }
}

void Numerisch(Declare& d, int model, SimulationsErgebnis& erg)
{
    const IntegratorErgebnis ie = IntegriereModell(d, model, d.Zeitschritt);
    erg.RHSAuswertungen = ie.RHSAuswertungen;
    erg.MaxTeilschritte = ie.MaxTeilschritte;
    erg.Zeilen = ie.Zeilen;
    if (ie.failed) {
        Scheitern(erg, ie.Fehlertext);
        return;
    }
    const int n = ie.Zeilen;

    // Rates of every stored row, and the nodes of the splines.
    BeginSimulationSplines(d, n);
    const double* columns[6] = {nullptr, d.SimCA.data(), d.SimCB.data(), d.SimCC.data(),
                                d.SimCP.data(), d.SimCQ.data()};
    float* rates[6] = {nullptr, d.SimRA.data(), d.SimRB.data(), d.SimRC.data(), d.SimRP.data(),
                       d.SimRQ.data()};
    double* nodeX = d.AkimaX.data();
    double c[6] = {0, 0, 0, 0, 0, 0};
    double dc[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        for (int s = 1; s <= 5; ++s) c[s] = columns[s][r];
        CalcRates(model, dc, d.k.data(), c, d.Ordnung);
        float rate[6];
        bool finite = true;
        for (int s = 1; s <= 5; ++s) {
            rate[s] = static_cast<float>(dc[s]);
            finite &= std::isfinite(rate[s]);
        }
        if (!finite) {
            // The rates of the slots before the first one that is not finite
            // are stored, as the row's concentrations are handed on.
            for (int s = 1; s <= 5; ++s) d.cAktuell[static_cast<std::size_t>(s)] = c[s];
            for (int s = 1; s <= 5; ++s) {
                if (!std::isfinite(rate[s])) {
                    Scheitern(erg, NichtEndlichText(s, d.SimT[r], true));
                    return;
                }
                rates[s][r] = rate[s];
            }
        }
        for (int s = 1; s <= 5; ++s) rates[s][r] = rate[s];
        nodeX[r + 1] = d.SimT[r];
        for (std::size_t s = 1; s <= 5; ++s) d.AkimaYRoh(s, r + 1) = c[s];
    }
    for (int s = 1; s <= 5; ++s) d.cAktuell[static_cast<std::size_t>(s)] = c[s];

    // Splines of the species in use, for the concentrations at any time, are
    // built when first read. The run itself stands even when a spline cannot
    // be built (t(max) = 0); the tables are then marked as holding no course.
    unsigned columnsInUse = 0;
    for (std::size_t s = 1; s <= 5 && s <= d.Stoffmuster.size(); ++s)
        if (d.Stoffmuster[s - 1] == '1') columnsInUse |= 1u << s;
    DeferSplines(d, columnsInUse, d.Glaettung);
    d.AkimaQuelle = static_cast<std::int16_t>(model);
}

// Largest (groesste) or smallest value of a column, converted to single
// precision, that is strictly beyond `start`; `start` when there is none.
// Four running extremes break the chain of comparisons; the result is that
// of one pass from the first row to the last (values that are not numbers
// never replace an extreme).
template <bool groesste, class T>
float Extrem(const std::vector<T>& spalte, std::size_t zeilen, float start)
{
    auto weiter = [](float v, float e) { return groesste ? v > e : v < e; };
    float e[4] = {start, start, start, start};
    std::size_t r = 0;
    for (; r + 4 <= zeilen; r += 4)
        for (std::size_t j = 0; j < 4; ++j) {
            const float v = static_cast<float>(spalte[r + j]);
            if (weiter(v, e[j])) e[j] = v;
        }
    for (; r < zeilen; ++r) {
        const float v = static_cast<float>(spalte[r]);
        if (weiter(v, e[0])) e[0] = v;
    }
    for (std::size_t j = 1; j < 4; ++j)
        if (weiter(e[j], e[0])) e[0] = e[j];
    return e[0];
}

void Achsenbereiche(Declare& d)
{
    AchsenInfo& a = d.AchsenBereiche;
    a[AxisSlot::TimeMin] = 0;
    a[AxisSlot::TimeMax] = d.tEnde;
    a[AxisSlot::ConcMin] = 0;
    // The concentration maximum starts at A0 and takes in the columns B to Q
    // (all rows, whatever they hold); the rate pair starts at (0, 0).
    const std::size_t zeilen = static_cast<std::size_t>(d.SimAnzahl) + 1;
    float cMax = static_cast<float>(d.c0[1]);
    for (const std::vector<double>* s : {&d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ})
        cMax = Extrem<true>(*s, zeilen, cMax);
    float rMax = 0, rMin = 0;
    for (const std::vector<float>* s : {&d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ}) {
        rMax = Extrem<true>(*s, zeilen, rMax);
        rMin = Extrem<false>(*s, zeilen, rMin);
    }
    a[AxisSlot::ConcMax] = cMax;
    a[AxisSlot::RateMin] = static_cast<float>(rMin - std::fabs(rMin * 0.05));
    a[AxisSlot::RateMax] = static_cast<float>(rMax * 1.05);
}

} // namespace

SimulationsErgebnis calc_diagram_function(Declare& d, int model)
{
    SimulationsErgebnis erg;
    TabelleSichern(d);

    d.SimAnzahl = kSimIntervals;
    d.Zeitschritt = static_cast<double>(d.tEnde) / d.SimAnzahl;
    d.SimT[0] = 0;
    for (int s = 1; s <= 5; ++s) d.SimC(s)[0] = d.c0[static_cast<std::size_t>(s)];
    d.HalbwertszeitA = 0;
    d.HalbwertszeitB = 0;

    if (EingabenPruefen(d, model, erg)) {
        if (HatGeschlosseneForm(model))
            GeschlosseneFormen(d, model, erg);
        else if (model == 10 && d.MMDiagramm)
            MichaelisMenten(d, erg);
        else if (IstNumerischesModell(model))
            Numerisch(d, model, erg);
    }

    if (erg.failed) {
        // Nothing may read a course of a run that did not complete.
        d.AkimaQuelle = kAkimaQuelleKeine;
        return erg;
    }
    if (d.Arbeitsmodus == TaskMode::Simulation) Achsenbereiche(d);
    return erg;
}

void calc_diagram_function(Declare& d, int model, bool& failed)
{
    failed = calc_diagram_function(d, model).failed;
}

float LinInterpol(double x, double y1, double x1, double y2, double x2)
{
    return static_cast<float>(y1 + (x - x1) * (y2 - y1) / (x2 - x1));
}

void GetStartConcFromData(Declare& d)
{
    for (int i = 1; i <= 5; ++i) d.c0Exp[i] = 0;
    const int letzter = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    for (int p = 1; p <= letzter; ++p) {
        const ExpPunkt& punkt = d.ExpPunkte[static_cast<std::size_t>(p)];
        if (punkt.t < 1e-8) {
            for (int i = 1; i <= 5; ++i) d.c0Exp[i] = static_cast<float>(punkt.c[i]);
            return;
        }
    }
}

} // namespace kinhom
