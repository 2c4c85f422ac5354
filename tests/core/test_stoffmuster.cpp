#include <gtest/gtest.h>

#include "core/kinetics/stoffmuster.h"

using namespace kinhom;

TEST(SetStoffMuster, EveryCodeFamilyAndTaskMode)
{
    struct Case {
        int code;
        int modus;
        const char* stoffe;
        const char* konst;
        bool kT;
    };
    const Case cases[] = {
        // models
        {1, 0, "10010", "100", false},
        {2, 0, "10010", "100", false},
        {5, 0, "10010", "100", false},
        {3, 0, "10010", "100", false},
        {3, 1, "10010", "100", false},
        {3, 6, "10010", "100", false},
        {3, 7, "10000", "110", false}, // non-isothermal second-order fit
        {4, 0, "11010", "100", false},
        {6, 0, "10110", "110", false},
        {7, 0, "11110", "110", false},
        {9, 0, "11110", "110", false},
        {8, 0, "10010", "110", false},
        {10, 0, "11110", "111", false},
        {13, 0, "11110", "111", false},
        {18, 0, "11110", "111", false},
        {11, 0, "10011", "110", false},
        {12, 0, "11010", "110", false},
        {17, 0, "11010", "110", false},
        {14, 0, "10110", "111", false},
        {15, 0, "10110", "111", false},
        {16, 0, "10011", "100", false},
        {20, 0, "10010", "100", false},
        {20, 1, "10010", "100", false},
        {20, 2, "10010", "110", false}, // fitting of k and order
        {20, 7, "10010", "100", false},
        {2, 2, "10010", "100", false},  // the order variant is model 20's only
        {2, 7, "10010", "100", false},  // the mode-7 variant is model 3's only
        {2, 6, "10010", "110", false},  // the first-order fit over temperatures has A and EA
        // diagrams of measured data
        {-11, 0, "10010", "000", false},
        {-10, 0, "10010", "000", false},
        {-9, 1, "11111", "000", false},
        {-1, 0, "11111", "000", false},
        {-8, 0, "00002", "000", false},
        {-7, 0, "00002", "000", false},
        {-6, 0, "00002", "000", false},
        {-5, 0, "00002", "000", false},
        {-4, 0, "00000", "000", true},
        {-3, 0, "00000", "000", true},
        {-2, 0, "00000", "000", true},
        // rate diagrams and codes without a pattern
        {51, 0, "00000", "000", false},
        {52, 0, "00000", "000", false},
        {60, 0, "00000", "000", false},
        {70, 0, "00000", "000", false},
        {0, 0, "00000", "000", false},
        {19, 0, "00000", "000", false},
        {21, 0, "00000", "000", false},
        {100, 0, "00000", "000", false},
        {-12, 0, "00000", "000", false},
    };
    for (const Case& c : cases) {
        Declare d;
        // leftovers of an earlier call must not survive
        d.kTDiagramm = !c.kT;
        d.Stoffmuster = "22222";
        d.kMuster = "222";
        d.Arbeitsmodus = static_cast<std::uint8_t>(c.modus);
        SetStoffMuster(d, c.code);
        EXPECT_EQ(d.Stoffmuster, c.stoffe) << "code " << c.code << " mode " << c.modus;
        EXPECT_EQ(d.kMuster, c.konst) << "code " << c.code << " mode " << c.modus;
        EXPECT_EQ(d.kTDiagramm, c.kT) << "code " << c.code;
    }
}

// The species pattern of each model marks exactly the species that its rate
// equations involve, and the rate-constant pattern the constants it uses
// (outside the fitting modes).
TEST(SetStoffMuster, ModelPatternsMatchTheCatalogueCounts)
{
    const int species[] = {0, 2, 2, 2, 3, 2, 3, 4, 2, 4, 4, 3, 3, 4, 3, 3, 3, 3, 4, 0, 2};
    const int constants[] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 2, 2, 3, 3, 3, 1, 2, 3, 0, 1};
    for (int m = 1; m <= 20; ++m) {
        if (m == 19) continue;
        Declare d;
        SetStoffMuster(d, m);
        int ns = 0, nk = 0;
        for (char ch : d.Stoffmuster) ns += ch == '1';
        for (char ch : d.kMuster) nk += ch == '1';
        EXPECT_EQ(ns, species[m]) << m;
        EXPECT_EQ(nk, constants[m]) << m;
    }
}
