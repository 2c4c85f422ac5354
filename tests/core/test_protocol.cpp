#include <string>

#include <gtest/gtest.h>

#include "core/reactors/protocol.h"

using namespace kinhom;

namespace {

void Record(Declare& d, double first, double last)
{
    d.ProtokollZeile.assign(20, 0.0);
    d.ProtokollZeile[0] = first;
    d.ProtokollZeile[19] = last;
    ProtZeileAnhaengen(d);
}

} // namespace

TEST(Protocol, RowsAreAppendedInSinglePrecisionAndMarkedUnwritten)
{
    Declare d;
    Record(d, 1, 0.1);
    Record(d, 2, 0.2);
    Record(d, 3, 0.3);
    EXPECT_EQ(d.ProtZeilen, 3);
    EXPECT_TRUE(d.ProtDatenVorhanden);
    EXPECT_EQ(d.ProtMatrix(0, 1), 1.0f);
    EXPECT_EQ(d.ProtMatrix(0, 3), 3.0f);
    EXPECT_EQ(d.ProtMatrix(19, 2), 0.2f); // the row as a float
    ProtLeeren(d);
    EXPECT_EQ(d.ProtZeilen, 0);
    EXPECT_FALSE(d.ProtDatenVorhanden);
}

TEST(Protocol, CsvTextHasAHeaderAndOneLinePerRow)
{
    Declare d;
    Record(d, 1.5, -0.25);
    Record(d, 2, 1e-6);
    Record(d, 0, 0);

    struct Case {
        std::string sep;
        char dec;
        std::string firstRow;
    };
    const Case cases[] = {
        {";", ',', "1,5;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;-0,25"},
        {";", '.', "1.5;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;-0.25"},
        // A comma separator forces the decimal point.
        {",", ',', "1.5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,-0.25"},
    };
    for (const Case& c : cases) {
        const std::string text = ProtCsvText(d, c.sep, c.dec);
        const std::string header = "c0(A)" + c.sep + "c0(B)";
        ASSERT_EQ(text.rfind(header, 0), 0u) << text;
        EXPECT_NE(text.find("ksi(1)" + c.sep + "ksi(2)\r\n"), std::string::npos);
        EXPECT_NE(text.find("\r\n" + c.firstRow + "\r\n"), std::string::npos) << text;
        std::size_t lines = 0;
        for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++lines;
        EXPECT_EQ(lines, 4u); // header and three rows, each with CR LF
    }
    EXPECT_NE(ProtCsvText(d, ";", '.').find("1E-06"), std::string::npos);
}

TEST(Protocol, ValuesTheModelDoesNotUseAreEmptyFields)
{
    Declare d;
    d.ProtokollZeile.assign(20, 0.5);
    for (int i : {1, 6, 11, 12}) d.ProtokollZeile[std::size_t(i)] = kProtEmptyField; // B and k2, k3 of A => P
    ProtZeileAnhaengen(d);
    const std::string text = ProtCsvText(d, ";", '.');
    EXPECT_NE(text.find("\r\n0.5;;0.5;0.5;0.5;0.5;;0.5;0.5;0.5;0.5;;;0.5;"), std::string::npos) << text;
}

TEST(Protocol, FileLivesInTheProgramFolderUnlessItNamesAFolder)
{
    Declare d;
    d.ProtDateiName = "24031501.CSV";
    EXPECT_EQ(ProtDateiPfad(d, "/prog"), std::filesystem::path("/prog/24031501.CSV"));
    d.ProtDateiName = "/data/x.CSV";
    EXPECT_EQ(ProtDateiPfad(d, "/prog"), std::filesystem::path("/data/x.CSV"));
}
