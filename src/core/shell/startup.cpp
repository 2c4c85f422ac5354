#include "core/shell/startup.h"

namespace kinhom {

const char* const kZeiteinheiten[kTimeUnitCount] = {"s", "min", "h", "d", "a"};

void FillZeitFaktor(Array2<double>& z)
{
    z.resize(kTimeUnitCount, kTimeUnitCount, 0.0);
    for (int i = 0; i < kTimeUnitCount; ++i) z(i, i) = 1.0;
    auto set = [&z](int i, int j, double v) {
        z(i, j) = v;
        z(j, i) = 1.0 / v;
    };
    set(1, 0, 60);
    set(2, 0, 3600);
    set(2, 1, 60);
    set(3, 0, 86400);
    set(3, 1, 1440);
    set(3, 2, 24);
    set(4, 0, 31536000);
    set(4, 1, 525600);
    set(4, 2, 8760);
    set(4, 3, 365);
}

void FillModellNamen(std::vector<std::string>& n)
{
    n.assign(21, std::string());
    n[1] = "A => P   (n = 0)";
    n[2] = "A => P   (n = 1)";
    n[3] = "2A => P   (n = 2)";
    n[4] = "A + B => P   (n = 2)";
    n[5] = "A => P   (autocatalysis)";
    n[6] = "A => C => P";
    n[7] = "A + B => C; A + C => P";
    n[8] = "A <=> P";
    n[9] = "A + B => C => P";
    n[10] = "E + S <=> ES => P + E";
    n[11] = "A => P; A => Q";
    n[12] = "A + B <=> 2P";
    n[13] = "A + B => C <=> P";
    n[14] = "A => C <=> P";
    n[15] = "A <=> C => P";
    n[16] = "A => P + Q (autocatalysis P)";
    n[17] = "A + B <=> P";
    n[18] = "A + B <=> C => P";
    n[20] = "A => P, n-th order ";
}

void SetStartupValues(Declare& d, const std::string& programFolder, const std::string& localeDecimalSign)
{
    SetStartupValues(d, ProgramFileFolders(programFolder), localeDecimalSign);
}

void SetStartupValues(Declare& d, const FileFolders& folders, const std::string& localeDecimalSign)
{
    // 1. dimensions
    const std::size_t sim = kSimIntervals + 1;
    for (auto* v : {&d.SimT, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ}) v->assign(sim, 0.0);
    for (auto* v : {&d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ}) v->assign(sim, 0.0f);
    d.RegBasis.assign(6, 0.0);
    d.KurvenPunkte.assign(kKurvenPunkteMax + 1, KurvenPunkt{});
    d.ExpPunkte.assign(2, ExpPunkt{});
    d.ZeitFaktor.resize(kTimeUnitCount, kTimeUnitCount);

    // 2. the tips window reads the English tips file
    d.EnglischeVersion = true;

    // 3. decimal-comma test: 3/4 in the locale's general form contains ","?
    d.Dezimalkomma = ("0" + localeDecimalSign + "75").find(',') != std::string::npos;

    // 4.
    d.CRLF = "\r\n";

    // 5. the folders, in this order: where the dialogs start
    d.ProjektPfad = folders.userFiles;
    d.TabellePfad = folders.userFiles;
    d.ExpDatenPfad = folders.userFiles;
    d.OC2Pfad = folders.userFiles;
    d.XYPfad = folders.userFiles;
    d.ProgrammPfad = folders.program;

    // 6. to 8.
    d.Zeiteinheit = "s";
    FillZeitFaktor(d.ZeitFaktor);
    FillModellNamen(d.ModellNamen);

    // 9. defaults
    d.ModellNr = 2;
    d.Ordnung = 1.5f;
    d.k[1] = 0.15;
    d.ArrheniusA = 100.0;
    d.ArrheniusEA = 100.0;
    d.Reaktionszeit = 5.0;
    d.Glaettung = 0;
    d.MitPunkten = false;
    d.AlteKurvenLoeschen = true;
    d.Vorwahlfarbe = RGB(0, 0, 255);
    d.GrafikLinks = 3800;
    d.kTFunktion = 1;
    d.MMNormiert = true;
    d.FarbeP = RGB(0, 0, 255);
    d.FarbeA = RGB(255, 0, 0);
    // A particle size of 0 would draw no particle at all.
    d.Punktgroesse = 4;

    // 11. the last-session file among the program's own files
    d.LastSessionDatei = LastSessionFileIn(folders.ownFiles);

    // 14.
    d.TipsPerMenue = false;
    d.DateiName.clear();
    d.S0max = 0.15f;
    d.Trennzeichen = ";";
}

} // namespace kinhom
