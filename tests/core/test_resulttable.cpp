#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/kinetics/resulttable.h"
#include "core/shell/error.h"

using namespace kinhom;

namespace {

// Splits at CR LF; the text must not hold a bare LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find("\r\n", start);
        if (p == std::string::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, p - start));
        start = p + 2;
    }
}

std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 6; // six leading blanks
    for (;;) {
        const std::size_t p = line.find('\t', start);
        out.push_back(line.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos) return out;
        start = p + 1;
    }
}

std::string Pad(const std::string& s) { return s + std::string(14 - s.size(), ' '); }
const std::string kBlank(14, ' ');

// Model 2 (A => P, first order) with A0 = 1, k1 = 0.15 and t = 0 .. 100 in
// steps of 0.5, computed here from the closed form.
Declare FirstOrderRun()
{
    Declare d;
    d.ModellNr = 2;
    d.Zeiteinheit = "s";
    d.SimAnzahl = 200;
    for (auto* v : {&d.SimT, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ}) v->assign(201, 0.0);
    for (auto* v : {&d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ}) v->assign(201, 0.0f);
    for (int i = 0; i <= 200; ++i) {
        const double t = 0.5 * i;
        const double a = std::exp(-0.15 * t);
        d.SimT[i] = t;
        d.SimCA[i] = a;
        d.SimCP[i] = 1 - a;
        d.SimRA[i] = static_cast<float>(-0.15 * a);
        d.SimRP[i] = static_cast<float>(0.15 * a);
        // stale values of an earlier run in the columns model 2 does not use
        d.SimCB[i] = 0.75;
        d.SimRB[i] = 0.25f;
    }
    return d;
}

void ExpectRegularLines(const std::vector<std::string>& lines)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 4) << "line " << i;
        EXPECT_EQ(lines[i].substr(0, 6), "      ") << "line " << i;
        EXPECT_EQ(lines[i].size(), 6u + 5 * 14 + 4) << "line " << i;
    }
}

} // namespace

TEST(ResultTable, ConcentrationTableOfModel2)
{
    const Declare d = FirstOrderRun();
    EXPECT_EQ(SimTableKindOf(d), SimTableKind::Konzentration);
    const std::string text = BuildSimTable(d);
    ASSERT_EQ(text.substr(0, 2), "\r\n");
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");

    const auto lines = Lines(text);
    // "", header, one empty line, 201 rows
    ASSERT_EQ(lines.size(), 1u + 1 + 1 + 201);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "      " + Pad(" t/s") + "\t" + Pad("cA/(mol/l)") + "\t" + kBlank + "\t" + kBlank + "\t" +
                            Pad("cP/(mol/l)"));
    EXPECT_EQ(lines[2], "");
    ExpectRegularLines(lines);
    for (int i = 0; i <= 200; ++i) {
        const auto cells = Cells(lines[3 + i]);
        ASSERT_EQ(cells.size(), 5u);
        EXPECT_EQ(cells[2], kBlank) << i; // B is not a species of model 2, stale values stay out
        EXPECT_EQ(cells[3], kBlank) << i;
    }
    EXPECT_EQ(Cells(lines[3])[0], Pad("0.00"));
    EXPECT_EQ(Cells(lines[3])[1], Pad("1"));
    EXPECT_EQ(Cells(lines[3])[4], Pad("0"));
    // t = 5: c(A) = exp(-0.75) and c(P) = 1 - exp(-0.75) as Singles, seven digits
    EXPECT_EQ(lines[13], "      " + Pad("5.00") + "\t" + Pad("0.4723665") + "\t" + kBlank + "\t" + kBlank + "\t" +
                             Pad("0.5276334"));
    // t = 100: c(A) = exp(-15) in the exponent form
    EXPECT_EQ(Cells(lines[203])[0], Pad("100.00"));
    EXPECT_EQ(Cells(lines[203])[1], Pad("3.059023E-07"));
    EXPECT_EQ(Cells(lines[203])[4], Pad("0.9999997"));
}

TEST(ResultTable, RateTableHasTwoEmptyLinesAndNegativeRateOfA)
{
    Declare d = FirstOrderRun();
    d.RateDiagramm = true;
    d.Zeiteinheit = "min";
    EXPECT_EQ(SimTableKindOf(d), SimTableKind::Rate);
    const auto lines = Lines(BuildSimTable(d));
    ASSERT_EQ(lines.size(), 1u + 1 + 2 + 201);
    EXPECT_EQ(lines[1], "      " + Pad(" t/min") + "\t" + Pad("rA/(mol/l/min)") + "\t" + kBlank + "\t" + kBlank +
                            "\t" + Pad("rP/(mol/l/min)"));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    ExpectRegularLines(lines);
    EXPECT_EQ(Cells(lines[14])[1], Pad("-0.07085498")); // t = 5
    EXPECT_EQ(Cells(lines[204])[1], Pad("-4.588535E-08"));
    EXPECT_EQ(Cells(lines[204])[4], Pad("4.588535E-08"));
}

TEST(ResultTable, CellsAreCutOrPaddedToFourteenCharacters)
{
    EXPECT_EQ(SimTableCell(""), kBlank);
    EXPECT_EQ(SimTableCell("0.5"), "0.5           ");
    EXPECT_EQ(SimTableCell("12345678901234"), "12345678901234");
    EXPECT_EQ(SimTableCell("123456789012345678"), "12345678901234");
    // a character beyond ASCII counts once
    EXPECT_EQ(SimTableCell("\xc2\xb5mol"), "\xc2\xb5mol          ");

    // The enzyme model's ES rate header in minutes has 15 characters and is cut;
    // a time of 1E14 gives "100000000000000.00" and is cut as well.
    Declare d = FirstOrderRun();
    d.ModellNr = 10;
    d.RateDiagramm = true;
    d.Zeiteinheit = "min";
    d.SimT[1] = 1e14;
    const auto lines = Lines(BuildSimTable(d));
    const auto header = Cells(lines[1]);
    EXPECT_EQ(header[1], "rE/(mol/l/min)");
    EXPECT_EQ(header[2], "rS/(mol/l/min)");
    EXPECT_EQ(header[3], "rES/(mol/l/min");
    EXPECT_EQ(header[4], "rP/(mol/l/min)");
    EXPECT_EQ(Cells(lines[5])[0], "10000000000000");
    // the enzyme model reads all four columns: B here holds 0.25
    EXPECT_EQ(Cells(lines[5])[2], Pad("0.25"));
    ExpectRegularLines(lines);
}

TEST(ResultTable, LayoutsOfTheModelGroups)
{
    // model -> header cells 2 to 5 of the concentration table
    const struct { int model; const char* c[4]; } cases[] = {
        {1, {"cA/(mol/l)", "", "", "cP/(mol/l)"}},
        {20, {"cA/(mol/l)", "", "", "cP/(mol/l)"}},
        {4, {"cA/(mol/l)", "cB/(mol/l)", "", "cP/(mol/l)"}},
        {17, {"cA/(mol/l)", "cB/(mol/l)", "", "cP/(mol/l)"}},
        {6, {"cA/(mol/l)", "", "cC/(mol/l)", "cP/(mol/l)"}},
        {15, {"cA/(mol/l)", "", "cC/(mol/l)", "cP/(mol/l)"}},
        {9, {"cA/(mol/l)", "cB/(mol/l)", "cC/(mol/l)", "cP/(mol/l)"}},
        {10, {"cE/(mol/l)", "cS/(mol/l)", "cES/(mol/l)", "cP/(mol/l)"}},
        {11, {"cA/(mol/l)", "", "cP/(mol/l)", "cQ/(mol/l)"}},
        {16, {"cA/(mol/l)", "", "cP/(mol/l)", "cQ/(mol/l)"}},
        {0, {"", "", "", ""}},
        {19, {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        Declare d = FirstOrderRun();
        d.ModellNr = static_cast<std::int16_t>(c.model);
        for (int i = 0; i <= 200; ++i) d.SimCQ[i] = 0.125;
        const auto lines = Lines(BuildSimTable(d));
        const auto header = Cells(lines[1]);
        for (int j = 0; j < 4; ++j) EXPECT_EQ(header[j + 1], Pad(c.c[j])) << c.model << " cell " << j + 2;
        // model 11 shows P in cell 4 and Q in cell 5
        if (c.model == 11) {
            EXPECT_EQ(Cells(lines[3])[3], Pad("0"));
            EXPECT_EQ(Cells(lines[3])[4], Pad("0.125"));
        }
    }
}

TEST(ResultTable, MichaelisMentenTable)
{
    Declare d = FirstOrderRun();
    d.ModellNr = 10;
    d.MMDiagramm = true;
    d.RateDiagramm = true; // the Michaelis-Menten table wins
    d.MMNormiert = true;
    for (int i = 0; i <= 200; ++i) {
        const double x = i * 0.1; // S(0)/KM from 0 to 20
        d.SimT[i] = x;
        d.SimRP[i] = static_cast<float>(x / (1 + x));
    }
    EXPECT_EQ(SimTableKindOf(d), SimTableKind::MichaelisMenten);
    auto lines = Lines(BuildSimTable(d));
    ASSERT_EQ(lines.size(), 1u + 1 + 2 + 201);
    EXPECT_EQ(lines[1], "      " + Pad("S(0)/KM") + "\t" + kBlank + "\t" + kBlank + "\t" + kBlank + "\t" + Pad("rP/rP,max"));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    ExpectRegularLines(lines);
    EXPECT_EQ(lines[4], "      " + Pad("0.00") + "\t" + kBlank + "\t" + kBlank + "\t" + kBlank + "\t" + Pad("0"));
    EXPECT_EQ(Cells(lines[14])[4], Pad("0.5"));          // S(0) = KM
    EXPECT_EQ(Cells(lines[204])[0], Pad("20.00"));
    EXPECT_EQ(Cells(lines[204])[4], Pad("0.952381"));    // 20/21

    d.MMNormiert = false;
    lines = Lines(BuildSimTable(d));
    EXPECT_EQ(Cells(lines[1])[0], Pad("S(0)/ (mol/l)"));
}

TEST(ResultTable, LocaleDecimalSign)
{
    const auto lines = Lines(BuildSimTable(FirstOrderRun(), ','));
    EXPECT_EQ(Cells(lines[13])[0], Pad("5,00"));
    EXPECT_EQ(Cells(lines[13])[1], Pad("0,4723665"));
}

TEST(ResultTable, SavedFileContentByteForByte)
{
    Declare d;
    d.ModellNr = 2;
    d.Zeiteinheit = "s";
    d.SimAnzahl = 1;
    d.SimT = {0, 2.5};
    d.SimCA = {1, 0.25};
    d.SimCP = {0, 0.75};
    d.SimCB = d.SimCC = d.SimCQ = {0, 0};
    const std::string expected =
        "\"\r\n"
        "       t/s          \tcA/(mol/l)    \t              \t              \tcP/(mol/l)    \r\n"
        "\r\n"
        "      0.00          \t1             \t              \t              \t0             \r\n"
        "      2.50          \t0.25          \t              \t              \t0.75          \"\r\n";
    EXPECT_EQ(SimTableFileContent(BuildSimTable(d)), expected);
    // an edited text is written as it is, quotes and all
    EXPECT_EQ(SimTableFileContent("a\"b\tc"), "\"a\"b\tc\"\r\n");
}

TEST(ResultTable, ColumnsShorterThanTheRunAreAnError)
{
    Declare d = FirstOrderRun();
    d.SimCP.resize(150);
    EXPECT_THROW(BuildSimTable(d), KinError);
    // a column the model does not show may be short
    d = FirstOrderRun();
    d.SimCQ.clear();
    EXPECT_NO_THROW(BuildSimTable(d));
}
