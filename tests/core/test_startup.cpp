#include <gtest/gtest.h>

#include <cmath>

#include "core/shell/startup.h"

using namespace kinhom;

TEST(ZeitFaktor, ProductsOfMirroredEntriesAreOneAndLiteralsHold)
{
    Array2<double> z;
    FillZeitFaktor(z);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) EXPECT_NEAR(z(i, j) * z(j, i), 1.0, 1e-15) << i << "," << j;
    const struct { int i, j; double v; } literals[] = {
        {1, 0, 60}, {2, 0, 3600}, {2, 1, 60}, {3, 0, 86400}, {3, 1, 1440}, {3, 2, 24},
        {4, 0, 31536000}, {4, 1, 525600}, {4, 2, 8760}, {4, 3, 365}};
    for (const auto& l : literals) {
        EXPECT_EQ(z(l.i, l.j), l.v);
        EXPECT_EQ(z(l.j, l.i), 1.0 / l.v);
    }
    EXPECT_EQ(z(0, 4), 1.0 / 31536000);
    // every entry agrees with the seconds of the units
    const double sec[5] = {1, 60, 3600, 86400, 31536000};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) EXPECT_NEAR(z(i, j) / (sec[i] / sec[j]), 1.0, 1e-14);
}

TEST(Startup, DefaultsAndFolders)
{
    Declare d;
    SetStartupValues(d, "/opt/kinhom", ".");
    EXPECT_EQ(d.SimT.size(), 201u);
    EXPECT_EQ(d.SimRQ.size(), 201u);
    EXPECT_EQ(d.KurvenPunkte.size(), 2001u);
    EXPECT_EQ(d.ExpPunkte.size(), 2u);
    EXPECT_TRUE(d.EnglischeVersion);
    EXPECT_EQ(d.CRLF, "\r\n");
    for (const auto* p : {&d.ProjektPfad, &d.TabellePfad, &d.ExpDatenPfad, &d.OC2Pfad, &d.XYPfad})
        EXPECT_EQ(*p, "/opt/kinhom");
    EXPECT_EQ(d.Zeiteinheit, "s");
    EXPECT_EQ(d.ModellNr, 2);
    EXPECT_FLOAT_EQ(d.Ordnung, 1.5f);
    EXPECT_EQ(d.k[1], 0.15);
    EXPECT_EQ(d.ArrheniusA, 100.0);
    EXPECT_EQ(d.ArrheniusEA, 100.0);
    EXPECT_EQ(d.Reaktionszeit, 5.0);
    EXPECT_FALSE(d.MitPunkten);
    EXPECT_TRUE(d.AlteKurvenLoeschen);
    EXPECT_EQ(d.Vorwahlfarbe, RGB(0, 0, 255));
    EXPECT_EQ(d.GrafikLinks, 3800);
    EXPECT_EQ(d.kTFunktion, 1);
    EXPECT_TRUE(d.MMNormiert);
    EXPECT_EQ(d.FarbeP, RGB(0, 0, 255));
    EXPECT_EQ(d.FarbeA, RGB(255, 0, 0));
    EXPECT_EQ(d.Punktgroesse, 4) << "particles must be visible from the start";
    EXPECT_EQ(d.LastSessionDatei, "/opt/kinhom/KinLastSession.KC3");
    EXPECT_FALSE(d.TipsPerMenue);
    EXPECT_TRUE(d.DateiName.empty());
    EXPECT_FLOAT_EQ(d.S0max, 0.15f);
    EXPECT_EQ(d.Trennzeichen, ";");
    EXPECT_EQ(d.tEnde, 0.0f);
    EXPECT_EQ(d.AnzahlPunkte, 0);
    EXPECT_EQ(d.Arbeitsmodus, 0);
}

TEST(Startup, ModelNames)
{
    Declare d;
    SetStartupValues(d, "/x", ".");
    EXPECT_TRUE(d.ModellNamen[0].empty());
    EXPECT_TRUE(d.ModellNamen[19].empty());
    EXPECT_EQ(d.ModellNamen[20].back(), ' ');
    // The short names appear in chart titles and captions: every blank counts.
    const char* const names[21] = {
        "",
        "A => P   (n = 0)",
        "A => P   (n = 1)",
        "2A => P   (n = 2)",
        "A + B => P   (n = 2)",
        "A => P   (autocatalysis)",
        "A => C => P",
        "A + B => C; A + C => P",
        "A <=> P",
        "A + B => C => P",
        "E + S <=> ES => P + E",
        "A => P; A => Q",
        "A + B <=> 2P",
        "A + B => C <=> P",
        "A => C <=> P",
        "A <=> C => P",
        "A => P + Q (autocatalysis P)",
        "A + B <=> P",
        "A + B <=> C => P",
        "",
        "A => P, n-th order ",
    };
    ASSERT_EQ(d.ModellNamen.size(), 21u);
    for (int m = 0; m <= 20; ++m) EXPECT_EQ(d.ModellNamen[m], names[m]) << m;
}

TEST(Startup, DecimalCommaTest)
{
    Declare comma, point;
    SetStartupValues(comma, "/x", ",");
    SetStartupValues(point, "/x", ".");
    EXPECT_TRUE(comma.Dezimalkomma);
    EXPECT_FALSE(point.Dezimalkomma);
}
