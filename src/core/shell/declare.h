#pragma once
// The program's shared working state. Every window and module reads and writes
// it; the application object owns the one instance and core functions take it
// (or the parts they need) by reference, so each test builds its own.
//
// Arrays are sized to their upper bound + 1 and indexed as the program indexes
// them (element 0 unused where the program leaves it unused). The sizes below are
// the ones set when the main window loads (SetStartupValues).

#include <cstdint>
#include <string>
#include <vector>

#include "core/shell/array2.h"
#include "core/shell/codes.h"
#include "core/shell/rgb.h"

namespace kinhom {

// One measured point.
struct ExpPunkt {
    double t = 0;                  // time in the current time unit
    double c[6] = {0, 0, 0, 0, 0, 0}; // concentrations; 1 to 5 = A, B, C, P, Q
    double T = 0;                  // temperature in K
    double k = 0;                  // measured rate constant
    float lambda = 0;              // measured quantity proportional to concentration
    float res3 = 0;                // reserved, kept and written back
    float res4 = 0;                // reserved, kept and written back
    std::int16_t exclude = 0;      // -1 = excluded from evaluations, 0 = active

    bool operator==(const ExpPunkt&) const = default;
};

// One point of a curve. In the buffer KurvenPunkte record 0 carries the number
// of points in x.
struct KurvenPunkt {
    float x = 0;
    float y = 0;
    float Aus = 0; // -1.0 = point excluded (XY editor)

    bool operator==(const KurvenPunkt&) const = default;
};

// The current diagram: axis window and texts.
struct DiagrammInfo {
    float xMin = 0;
    float yMin = 0;
    float xMax = 0;
    float yMax = 0;
    std::string xTitel;
    std::string yTitel;
    std::string Titel;
    bool flag = false;

    bool operator==(const DiagrammInfo&) const = default;
};

// Plot ranges of every quantity and diagram kind, positions 0 to 31 (named in
// AxisSlot, core/shell/codes.h). Pairs are stored minimum first, except those
// of codes -7 (20/21) and -8 (22/23), which are stored maximum first.
struct AchsenInfo {
    float v[AxisSlot::Count] = {};

    float& operator[](int i) { return v[i]; }
    const float& operator[](int i) const { return v[i]; }
    bool operator==(const AchsenInfo&) const = default;
};

// Index of the time units "s", "min", "h", "d", "a".
constexpr int kTimeUnitCount = 5;
// Simulated intervals of every course.
constexpr int kSimIntervals = 200;
// Upper index of the curve point buffer.
constexpr int kKurvenPunkteMax = 2000;

// Spline tables whose set-up a simulation run has left to their first reader
// (kinetics/akima.h, BuildPendingSplines).
struct PendingSplines {
    bool pending = false;
    unsigned columns = 0; // bit s set: column s (1 to 5) is to be splined
    float smoothing = 0;  // the smoothing factor in force at the run
    int nodes = 0;
};

struct Declare {
    // ---- model and kinetics ------------------------------------------------
    std::int16_t ModellNr = 0;
    std::vector<std::string> ModellNamen = std::vector<std::string>(21);
    std::vector<double> k = std::vector<double>(4, 0.0);        // k1..k3 at 1..3
    std::vector<double> c0 = std::vector<double>(6, 0.0);       // start concentrations, slots 1..5
    std::vector<double> cAktuell = std::vector<double>(6, 0.0); // current/final concentrations
    float Ordnung = 0;
    Array2<float> Stoechiometrie = Array2<float>(6, 4);         // (species 0..5, reaction 0..3)
    std::string Stoffmuster = "00000";
    std::string kMuster = "000";
    bool EinzelReaktion = false;
    bool NumerischesModell = false;
    std::vector<double> FitParameter = std::vector<double>(4, 0.0);
    double ArrheniusA = 0;
    double ArrheniusEA = 0;
    double EyringFaktor = 0;
    double hAkt = 0;
    double sAkt = 0;
    std::uint8_t kTFunktion = 0;
    std::uint8_t kTZeiteinheit = 0;
    float MichaelisKonstante = 0;
    float S0max = 0;
    bool MMDiagramm = false;
    bool MMNormiert = false;
    // k1..k3 as read from a project or last-session file or as an input
    // window used them, and the model they belong to (0: none). The model
    // window's reopenings put them back while that model is the current one;
    // picking a model drops them.
    std::int16_t FileRateConstantsModel = 0;
    std::vector<double> FileRateConstants = std::vector<double>(4, 0.0);
    // The rate constant the last linearised evaluation of measured data gave,
    // the model it is k1 of (0: none) and the measured points it came from; it
    // counts only while the data are those points (core/evaluation/fitstart.h).
    // Never written to a file.
    std::int16_t EvaluatedKModel = 0;
    double EvaluatedK = 0;
    std::vector<ExpPunkt> EvaluatedKPoints;

    // ---- time ---------------------------------------------------------------
    std::string Zeiteinheit;
    std::int16_t ZeiteinheitIndex = 0;
    Array2<double> ZeitFaktor;        // (0..4, 0..4)
    float tEnde = 0;
    double Zeitschritt = 0;
    double Reaktionszeit = 0;

    // ---- simulated courses --------------------------------------------------
    std::vector<double> SimT;
    std::vector<double> SimCA, SimCB, SimCC, SimCP, SimCQ;
    std::vector<float> SimRA, SimRB, SimRC, SimRP, SimRQ;
    std::int16_t SimAnzahl = 0;
    float HalbwertszeitA = 0;
    float HalbwertszeitB = 0;
    // The Akima tables are a cache: after a simulation run only AkimaX and
    // AkimaYRoh hold its nodes, and the splines are built when first read
    // (AkimaWert, CalcCAtTime, or BuildPendingSplines before reading directly).
    mutable std::vector<double> AkimaX;       // (0..n+5); AkimaX(0) holds n
    mutable Array2<double> AkimaY, AkimaT, AkimaC, AkimaD, AkimaYRoh; // (0..5, 0..n+5)
    // What built the Akima tables (kinetics/akima.h): 0 nothing valid, -1 measured
    // data (tangent chart), otherwise the number of the simulated model.
    mutable std::int16_t AkimaQuelle = 0;
    mutable PendingSplines AkimaPending;

    // ---- measured data ------------------------------------------------------
    std::vector<ExpPunkt> ExpPunkte;  // records 1..AnzahlPunkte in use
    int AnzahlPunkte = 0;
    bool DatenGeaendert = false;
    std::string DateiName;
    std::string Kommentar;
    bool AppendExpData = false;
    double Lambda0 = 0;
    double LambdaUnendlich = 0;
    bool DatenVorhanden[6] = {};
    float c0Exp[6] = {};
    std::vector<float> Temperaturen = std::vector<float>(1, 0.0f); // from 1
    int AnzahlTemperaturen = 0;
    bool ctDaten = false;
    bool ctTDaten = false;
    bool kTDaten = false;
    bool LambdaDaten = false;
    double tMaxExp = 0;
    bool GleicheStartkonz = false;
    bool LambdaAuswertung = false;
    std::uint8_t TangenteSpalte = 0;
    float Glaettung = 0;

    // ---- chart --------------------------------------------------------------
    std::int16_t DiagrammTyp = DiagramCode::None;
    DiagrammInfo Diagramm;
    AchsenInfo AchsenBereiche;
    std::vector<KurvenPunkt> KurvenPunkte;  // (0..2000); record 0 x = count
    std::vector<KurvenPunkt> ManuPunkte;    // record 0 x = count
    int KurvenZuZeichnen = 0;
    int KurvenAnzahl = 0;
    Rgb Vorwahlfarbe;
    bool AlteKurvenLoeschen = false;
    bool MitPunkten = false;
    bool RateDiagramm = false;
    bool kTDiagramm = false;
    int GrafikLinks = 0;                    // twips
    std::vector<float> RegX, RegY, RegW;
    std::vector<double> RegBasis;           // (1..5)
    int AnzahlXYPunkte = 0;
    std::string XYDateiName;
    // The title line of the XY editor's curve point file (loaded or last
    // saved), written again when the points are saved.
    std::string XYTitel;
    // The XY editor's points 1..AnzahlXYPunkte (Aus -1 = excluded), kept while
    // the editor is closed; element 0 unused.
    std::vector<KurvenPunkt> XYPunkte;

    // ---- tasks, reactors, protocol and Monte-Carlo --------------------------
    std::uint8_t Arbeitsmodus = TaskMode::Simulation;
    double Umsatz = 0;
    std::vector<double> ksi = std::vector<double>(4, 0.0);
    std::int16_t BatchInpSelect = 0;
    std::int16_t ContiCalcSelect = 0;
    std::int16_t RohrInpSelect = 0;
    std::vector<double> ProtokollZeile = std::vector<double>(20, 0.0);
    Array2<float> ProtMatrix;               // (0..19, 1..n)
    int ProtZeilen = 0;
    bool ProtDatenVorhanden = false;
    std::string ProtDateiName;
    std::string Trennzeichen;
    std::uint8_t MCModus = 0;
    float MCVerzoegerung = 0;
    std::int16_t Punktgroesse = 0;
    Rgb FarbeA;
    Rgb FarbeP;
    bool PunkteSolid = false;

    // ---- files, folders and environment ------------------------------------
    std::string ExpDatenPfad;
    std::string ProjektPfad;
    std::string XYPfad;
    std::string OC2Pfad;
    std::string TabellePfad;
    std::string TabelleDateiTitel;
    std::string LastSessionDatei;
    std::string ProjektDatei;
    std::string ProjektKommentar;
    std::string CRLF;
    bool Dezimalkomma = false;
    bool EnglischeVersion = false;
    bool TipsPerMenue = false;
    bool KeineTipsBeimStart = false;
    int HourglassCount = 0;
    int SavedMousePointer = 0;

    // The folder of the program (tips, help, last session, protocol files).
    std::string ProgrammPfad;

    // The simulated concentration and rate columns by species slot 1 to 5
    // (any other slot gives the Q column).
    std::vector<double>& SimC(int slot)
    {
        switch (slot) {
        case 1: return SimCA;
        case 2: return SimCB;
        case 3: return SimCC;
        case 4: return SimCP;
        default: return SimCQ;
        }
    }
    const std::vector<double>& SimC(int slot) const { return const_cast<Declare*>(this)->SimC(slot); }
    std::vector<float>& SimR(int slot)
    {
        switch (slot) {
        case 1: return SimRA;
        case 2: return SimRB;
        case 3: return SimRC;
        case 4: return SimRP;
        default: return SimRQ;
        }
    }
    const std::vector<float>& SimR(int slot) const { return const_cast<Declare*>(this)->SimR(slot); }
};

} // namespace kinhom
