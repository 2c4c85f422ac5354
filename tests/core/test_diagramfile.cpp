// The diagram file: a fully designed chart round-trips exactly; damaged files are
// refused with a message and leave the chart as it was.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "core/chart/chart2d.h"
#include "core/chart/diagramfile.h"

using namespace kinhom;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Lines as the text file reader gives them (CR LF, LF or CR end a line).
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

void DesignBox(BorderFormat& b, InteriorFormat& i, int seed)
{
    b.setType(seed % 2 ? BorderType::Raised3D : BorderType::Etched);
    b.setWidth(2 + seed);
    i.setBackgroundColor(RGB(10 + seed, 20, 30));
    i.setForegroundColor(RGB(200, 100 + seed, 50));
}

void DesignLocation(LocationFormat& l, int seed)
{
    l.setLeft(11 + seed);
    l.setTop(22 + seed);
    l.setWidth(333 + seed);
    l.setHeight(44 + seed);
}

void DesignAxis(Axis& a, int seed)
{
    a.setMin(-1.5 - seed);
    a.setMax(0.1 * (7 + seed)); // not exact in binary
    a.setDataMin(-2.0 / 3.0);
    a.setDataMax(1e-300);
    a.setIsShowing(!a.IsShowing());
    a.setIsLogarithmic(true);
    a.setNumberingFont(FontSpec{"Courier New", 7.25f, true, false, true});
    a.setNumberingRotation(Rotation::Down);
    a.setNumberingPlacement(NumberingPlacement::AtAxis);
    a.setOriginPlacement(OriginPlacement::Value);
    a.setOrigin(0.125 + seed);
    a.Title().setText("axis \"" + std::to_string(seed) + "\"\nsecond line");
    a.Title().setFont(FontSpec{"Times New Roman", 13, false, true, false});
    a.Title().setRotation(Rotation::Down);
    a.GridStyle().setPattern(LinePattern::Dotted);
    a.GridStyle().setColor(RGB(143, 143, 140 + seed));
    a.GridStyle().setWidth(2);
    for (AxisSpacing* s : {&a.GridSpacing(), &a.TickSpacing(), &a.NumSpacing()}) {
        s->setAuto(false);
        s->setValue(0.3 + seed);
    }
}

void DesignLabel(ChartLabel& l, int n)
{
    l.setText("label " + std::to_string(n) + " \\ \t \xC3\xA4");
    l.setIsShowing(false);
    l.setAttachMethod(AttachMethod::DataIndex);
    l.setAttachCoordX(-5 + n);
    l.setAttachCoordY(7 * n);
    l.setAttachDataX(1.0 / 3.0);
    l.setAttachDataY(-0.0001);
    l.setAttachGroup(2);
    l.setAttachSeries(3 + n);
    l.setAttachPoint(-40 * n); // outside the series: kept as set
    l.setAnchor(Anchor::SouthWest);
    l.setOffset(15);
    l.setIsConnected(false);
    l.setAdjust(Adjust::Center);
    l.setFont(FontSpec{"ARIAL", 9.5f, true, true, false});
    l.Border().setType(BorderType::Plain);
    l.Border().setWidth(3);
    l.Interior().setBackgroundColor(RGB(240, 240, 240));
    l.Interior().setTransparent(true);
    l.Interior().setForegroundColor(RGB(255, 0, 1));
}

// A chart with every stored property set away from its default, and data with
// values that are hard to write exactly.
void Design(Chart2D& c)
{
    Chart2D::Batch batch(c);
    DesignBox(c.Border(), c.Interior(), 1);
    c.Interior().setTransparent(true);
    int seed = 2;
    for (TitleBox* t : {&c.Header(), &c.Footer()}) {
        t->setText("Line \"one\"\r\nLine two ");
        t->setIsShowing(false);
        t->setAdjust(Adjust::Left);
        t->setFont(FontSpec{"ARIAL", 14.5f, false, true, true});
        DesignBox(t->Border(), t->Interior(), seed);
        DesignLocation(t->Location(), seed);
        ++seed;
    }
    LegendBox& lg = c.Legend();
    lg.setIsShowing(false);
    lg.setText("Legend");
    lg.setOrientation(Orientation::Horizontal);
    lg.setFont(FontSpec{"ARIAL", 8, true, false, false});
    DesignBox(lg.Border(), lg.Interior(), 5);
    lg.Interior().setTransparent(true);
    DesignLocation(lg.Location(), 6);
    ChartAreaBox& a = c.ChartArea();
    DesignBox(a.Border(), a.Interior(), 7);
    a.Interior().setTransparent(true);
    DesignLocation(a.Location(), 8);
    a.PlotArea().setIsBoxed(false);
    a.PlotArea().Interior().setBackgroundColor(RGB(1, 2, 3));
    a.PlotArea().Interior().setTransparent(true);
    a.PlotArea().Interior().setForegroundColor(RGB(4, 5, 6));
    a.PlotArea().Margins().setTop(1);
    a.PlotArea().Margins().setBottom(2);
    a.PlotArea().Margins().setLeft(3);
    a.PlotArea().Margins().setRight(4);
    DesignAxis(a.Axes("X"), 0);
    DesignAxis(a.Axes("Y"), 1);
    DesignAxis(a.Axes("Y2"), 2);

    ChartData& d1 = c.ChartGroups(1).Data();
    d1.setNumSeries(27);
    const double xs[] = {0, 0.1, 1.0 / 3.0, -0.0, 1e-300, 1.7976931348623157e308, kNaN, kInf, -kInf, 4.9e-324};
    const double ys[] = {1, -2.5, 0.30000000000000004, 3.4e38, kNaN, 1e-7, 6.02214076e23, 0, 2, -1e-310};
    d1.setPoints(1, xs, ys, 10);
    d1.setPoints(26, xs + 2, ys + 2, 2);
    d1.setNumPoints(25, 2);
    d1.setDisplay(2, DisplayState::Hidden);
    d1.setDisplay(27, DisplayState::Excluded);
    SeriesStyle& st = c.ChartGroups(1).Styles(26);
    st.LineStyle().setPattern(LinePattern::LongDash);
    st.LineStyle().setColor(RGB(0, 0, 255));
    st.LineStyle().setWidth(3);
    st.SymbolStyle().setShape(SymbolShape::Square);
    st.SymbolStyle().setSize(1);
    for (int i = 1; i <= 24; ++i) c.ChartGroups(1).SeriesLabels().Add(i == 1 ? "c(A) " : "");
    ChartData& d2 = c.ChartGroups(2).Data();
    d2.setNumSeries(7);
    const double px[] = {1, 2, 3}, py[] = {0.5, 0.25, 0.125};
    d2.setPoints(7, px, py, 3);
    for (int j = 1; j <= 7; ++j) c.ChartGroups(2).SeriesLabels().Add(j == 7 ? "man." : "");
    c.ChartLabels().setCount(27);
    for (int n = 1; n <= 27; ++n) DesignLabel(c.ChartLabels(n), n);
}

// The part of the text before the groups: one line per design property.
std::vector<std::string> DesignLines(const std::string& text)
{
    std::vector<std::string> lines = Lines(text);
    std::vector<std::string> out;
    for (std::size_t i = 1; i < lines.size() && lines[i] != "group 1"; ++i) out.push_back(lines[i]);
    return out;
}

std::string Key(const std::string& line) { return line.substr(0, line.find(' ')); }

} // namespace

TEST(DiagramFile, FullyDesignedChartRoundTripsExactly)
{
    Chart2D designed;
    Design(designed);
    const std::string text = DiagramText(designed);
    EXPECT_EQ(text.rfind("KINHOM-DIAGRAM 1\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 5), "end\r\n");

    // the design really is away from the defaults: every property line differs
    const std::vector<std::string> want = DesignLines(text);
    const std::vector<std::string> defaults = DesignLines(DiagramText(Chart2D()));
    ASSERT_EQ(want.size(), defaults.size());
    EXPECT_GT(want.size(), 120u);
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(Key(want[i]), Key(defaults[i]));
        EXPECT_NE(want[i], defaults[i]) << "property left at its default: " << want[i];
    }
    // ... and so does every property of a label
    Chart2D one;
    one.ChartLabels().setCount(1);
    std::vector<std::string> plain = Lines(DiagramText(one));
    one.ChartLabels(1).setText("x");
    DesignLabel(one.ChartLabels(1), 1);
    std::vector<std::string> styled = Lines(DiagramText(one));
    ASSERT_EQ(plain.size(), styled.size());
    int labelLines = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain[i].rfind("label.", 0) != 0) continue;
        ++labelLines;
        EXPECT_NE(plain[i], styled[i]);
    }
    EXPECT_EQ(labelLines, 20);

    Chart2D loaded;
    std::string error;
    ASSERT_TRUE(ParseDiagramText(Lines(text), loaded, error)) << error;
    EXPECT_TRUE(loaded.sameContent(designed));
    EXPECT_EQ(DiagramText(loaded), text);
    // spot checks of what the chart window reads back after a load
    const ChartData& d = loaded.ChartGroups(1).Data();
    EXPECT_EQ(d.NumSeries(), 27);
    EXPECT_EQ(d.NumPoints(1), 10);
    EXPECT_EQ(d.X(1, 2), 0.1);
    EXPECT_EQ(d.Y(1, 3), 0.30000000000000004);
    EXPECT_TRUE(std::signbit(d.X(1, 4)));
    EXPECT_EQ(d.X(1, 6), 1.7976931348623157e308);
    EXPECT_TRUE(std::isnan(d.X(1, 7)));
    EXPECT_EQ(d.X(1, 9), -kInf);
    EXPECT_EQ(d.X(1, 10), 4.9e-324);
    EXPECT_EQ(loaded.ChartGroups(2).Data().NumPoints(7), 3);
    EXPECT_EQ(loaded.ChartArea().Axes("X").Max(), 0.1 * 7);
    EXPECT_EQ(loaded.Header().Text(), "Line \"one\"\r\nLine two ");
    EXPECT_EQ(loaded.ChartLabels(27).Text(), "label 27 \\ \t \xC3\xA4");
    EXPECT_EQ(loaded.ChartLabels(3).AttachPoint(), -120);
}

TEST(DiagramFile, TextsWithAnyBytesRoundTrip)
{
    Chart2D c;
    const std::string odd = std::string("a\x01\x7F\"\\\n\r\t z") + "\xE9\xFF" + std::string(1, '\0') + "end";
    c.Header().setText(odd);                    // not UTF-8: bytes kept
    c.Footer().setText("c\xE2\x82\x80 \xC3\xA4"); // UTF-8: kept as it is
    const std::string text = DiagramText(c);
    EXPECT_NE(text.find("c\xE2\x82\x80 \xC3\xA4"), std::string::npos);
    Chart2D back;
    std::string error;
    ASSERT_TRUE(ParseDiagramText(Lines(text), back, error)) << error;
    EXPECT_EQ(back.Header().Text(), odd);
    EXPECT_TRUE(back.sameContent(c));
}

// A file cut anywhere before its end is refused and changes nothing.
TEST(DiagramFile, TruncatedFilesAreRefusedAtEveryCut)
{
    Chart2D source;
    Design(source);
    source.ChartGroups(1).Data().setNumSeries(3);
    source.ChartLabels().setCount(2);
    const std::string text = DiagramText(source);
    const std::size_t endAt = text.rfind("end\r\n");

    Chart2D target;
    target.Header().setText("keep me");
    target.ChartGroups(1).Data().setNumSeries(1);
    target.ChartGroups(1).Data().setNumPoints(1, 4);
    const std::string before = DiagramText(target);

    std::vector<std::size_t> cuts;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < endAt + 3; ++i) {
        if (text[i] == '\n') {
            const std::size_t len = i - lineStart;
            for (std::size_t k : {std::size_t(0), std::size_t(1), len / 2, len > 2 ? len - 2 : len, len})
                cuts.push_back(lineStart + k);
            lineStart = i + 1;
        }
    }
    cuts.push_back(endAt + 2); // "en"
    ASSERT_GT(cuts.size(), 1000u);
    for (std::size_t cut : cuts) {
        std::string error;
        ASSERT_FALSE(ParseDiagramText(Lines(text.substr(0, cut)), target, error)) << "cut at " << cut;
        ASSERT_FALSE(error.empty());
        ASSERT_EQ(error.rfind("line ", 0), 0u) << error;
        ASSERT_EQ(DiagramText(target), before) << "cut at " << cut;
    }
    // the whole text is accepted
    std::string error;
    EXPECT_TRUE(ParseDiagramText(Lines(text), target, error)) << error;
}

// Any line replaced by something else, or with a value of the wrong kind, is refused.
TEST(DiagramFile, GarbledLinesAreRefused)
{
    Chart2D source;
    Design(source);
    source.ChartGroups(1).Data().setNumSeries(2);
    source.ChartLabels().setCount(1);
    const std::vector<std::string> lines = Lines(DiagramText(source));
    Chart2D target;
    target.Footer().setText("unchanged");
    const std::string before = DiagramText(target);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (int kind = 0; kind < 2; ++kind) {
            std::vector<std::string> bad = lines;
            const std::size_t sp = bad[i].find(' ');
            if (kind == 0)
                bad[i] = "garbage 1";
            else if (sp != std::string::npos)
                bad[i] = bad[i].substr(0, sp) + " ?";
            else
                bad[i] += " ?";
            std::string error;
            ASSERT_FALSE(ParseDiagramText(bad, target, error)) << "line " << i + 1 << ": " << bad[i];
            ASSERT_NE(error.find("line " + std::to_string(i + 1) + ":"), std::string::npos) << error;
            ASSERT_EQ(DiagramText(target), before);
        }
    }
}

TEST(DiagramFile, MessagesSayWhatIsWrong)
{
    Chart2D c;
    const std::vector<std::string> good = Lines(DiagramText(c));
    struct Case {
        std::vector<std::string> lines;
        std::string expected; // part of the message
    };
    std::size_t headerLine = 0;
    while (good[headerLine].rfind("header.text ", 0) != 0) ++headerLine;
    const std::string at = "line " + std::to_string(headerLine + 1) + ": ";
    std::vector<std::string> wrongKey = good;
    wrongKey[headerLine] = "header.txt \"\"";
    std::vector<std::string> afterEnd = good;
    afterEnd.push_back("more");
    std::vector<std::string> badString = good;
    badString[headerLine] = "header.text \"open";
    std::vector<std::string> badColour = good;
    for (auto& l : badColour)
        if (l.rfind("chart.interior.background", 0) == 0) l = "chart.interior.background #GG0000";
    std::vector<std::string> tooMany = good;
    for (auto& l : tooMany)
        if (l == "group.numseries 0") {
            l = "group.numseries 5000";
            break;
        }
    const Case cases[] = {
        {{}, "line 1: the file is empty"},
        {{"KINHOM-DIAGRAM 2", "end"}, "version \"2\"; this program reads version 1"},
        {{"<?xml version=\"1.0\"?>"}, "not a diagram file"},
        {{"KINHOM-DIAGRAM 1"}, "line 2: expected \"chart.border.type\", but the file ends here"},
        {wrongKey, at + "expected \"header.text\", found \"header.txt \"\"\""},
        {afterEnd, "unexpected text after the end"},
        {badString, at + "the value of \"header.text\" should be a text in quotes"},
        {badColour, "should be a colour #RRGGBB"},
        {tooMany, "\"group.numseries\" should be a count from 0 to 1000"},
    };
    for (const auto& k : cases) {
        std::string error;
        EXPECT_FALSE(ParseDiagramText(k.lines, c, error));
        EXPECT_NE(error.find(k.expected), std::string::npos) << error;
    }
    // a point count beyond the file is refused before anything is read
    Chart2D one;
    one.ChartGroups(1).Data().setNumSeries(1);
    one.ChartGroups(1).Data().setNumPoints(1, 2);
    std::vector<std::string> lines = Lines(DiagramText(one));
    for (auto& l : lines)
        if (l == "series.points 2") l = "series.points 4000000";
    std::string error;
    EXPECT_FALSE(ParseDiagramText(lines, c, error));
    EXPECT_NE(error.find("should have 4000000 points, but the file ends before"), std::string::npos) << error;
}

// A garbage file's message quotes what it found as printable text: control
// bytes are written as \xHH, and a cut at the length limit never splits a
// character.
TEST(DiagramFile, MessagesShowPrintableTextOnly)
{
    Chart2D c;
    std::string garbage = std::string("PK\x03\x04\x14\x00\x08\x7f", 8) + "\xc2\x85";
    for (int i = 0; i < 20; ++i) garbage += "\xc3\xa4"; // a-umlaut, two bytes each
    const std::vector<std::string> cases[] = {{garbage}, {"KINHOM-DIAGRAM 1", "chart.border.type \x01\x02\x1b[2J"}};
    for (const auto& lines : cases) {
        std::string error;
        ASSERT_FALSE(ParseDiagramText(lines, c, error));
        for (std::size_t i = 0; i < error.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(error[i]);
            EXPECT_TRUE(b >= 0x20 && b != 0x7f) << "byte " << int(b) << " at " << i << " in " << error;
            // no C1 control (U+0080..U+009F) either
            if (b == 0xc2 && i + 1 < error.size()) {
                EXPECT_GE(static_cast<unsigned char>(error[i + 1]), 0xa0) << error;
            }
        }
        // the text is whole UTF-8: every lead byte has its continuation bytes
        for (std::size_t i = 0; i < error.size();) {
            const unsigned char b = static_cast<unsigned char>(error[i]);
            const std::size_t n = b < 0x80 ? 1 : b >= 0xf0 ? 4 : b >= 0xe0 ? 3 : 2;
            ASSERT_TRUE(b < 0x80 || b >= 0xc2) << error;
            ASSERT_LE(i + n, error.size()) << error;
            for (std::size_t k = 1; k < n; ++k) ASSERT_EQ(static_cast<unsigned char>(error[i + k]) & 0xc0, 0x80) << error;
            i += n;
        }
        EXPECT_NE(error.find("\\x"), std::string::npos) << error;
    }
}

// A value the chart needs finite (a font size, the axis origin, a label's data
// position) that is "nan" or "inf" in the file is malformed content: the file
// is refused at that line and the chart stays as it was. Points may be missing
// values and still read.
TEST(DiagramFile, NonFiniteValuesWhereTheChartNeedsFiniteOnesAreRefused)
{
    Chart2D source;
    source.ChartLabels().setCount(1);
    const std::vector<std::string> good = Lines(DiagramText(source));
    struct Case {
        std::string key;    // the entry changed
        std::string value;  // its new value text
    };
    const Case cases[] = {
        {"header.font", "\"DejaVu Sans\" nan 1 0 0"},
        {"legend.font", "\"DejaVu Sans\" inf 0 0 0"},
        {"area.axis.y.numbering.font", "\"DejaVu Sans\" -inf 0 0 0"},
        {"label.font", "\"DejaVu Sans\" nan 0 0 0"},
        {"area.axis.x.origin", "nan"},
        {"label.attach.datax", "inf"},
        {"label.attach.datay", "-inf"},
    };
    Chart2D target;
    target.Header().setText("unchanged");
    const std::string before = DiagramText(target);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::vector<std::string> bad = good;
        std::size_t at = 0;
        while (at < bad.size() && bad[at].rfind(c.key + " ", 0) != 0) ++at;
        ASSERT_LT(at, bad.size());
        bad[at] = c.key + " " + c.value;
        std::string error;
        EXPECT_FALSE(ParseDiagramText(bad, target, error));
        EXPECT_NE(error.find("line " + std::to_string(at + 1) + ": the value of \"" + c.key + "\" must be a finite number"),
                  std::string::npos)
            << error;
        EXPECT_EQ(DiagramText(target), before);
    }
    Chart2D withGaps;
    withGaps.ChartGroups(1).Data().setNumSeries(1);
    withGaps.ChartGroups(1).Data().setNumPoints(1, 2);
    withGaps.ChartGroups(1).Data().setY(1, 1, kNaN);
    withGaps.ChartGroups(1).Data().setX(1, 2, kInf);
    std::string error;
    Chart2D loaded;
    ASSERT_TRUE(ParseDiagramText(Lines(DiagramText(withGaps)), loaded, error)) << error;
    EXPECT_TRUE(loaded.sameContent(withGaps));
}

TEST(DiagramFile, SaveAndLoadFiles)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kinhom_test_diagramfile";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "chart.oc2";

    Chart2D designed;
    Design(designed);
    std::string error;
    ASSERT_TRUE(SaveDiagram(designed, file, error)) << error;
    Chart2D loaded;
    ASSERT_TRUE(LoadDiagram(loaded, file, error)) << error;
    EXPECT_TRUE(loaded.sameContent(designed));

    // a missing file and a damaged file change nothing and name the file
    Chart2D target;
    target.Header().setText("as it was");
    const std::string before = DiagramText(target);
    EXPECT_FALSE(LoadDiagram(target, dir / "missing.oc2", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(DiagramText(target), before);
    {
        std::ofstream out(dir / "bad.oc2", std::ios::binary);
        out << "KINHOM-DIAGRAM 1\r\nchart.border.type x\r\n";
    }
    EXPECT_FALSE(LoadDiagram(target, dir / "bad.oc2", error));
    EXPECT_EQ(error.rfind((dir / "bad.oc2").string() + ": line 2:", 0), 0u) << error;
    EXPECT_EQ(DiagramText(target), before);

    // a file written with LF line ends reads as well
    {
        std::string text = DiagramText(designed);
        std::string lf;
        for (char ch : text)
            if (ch != '\r') lf += ch;
        std::ofstream out(dir / "lf.oc2", std::ios::binary);
        out << lf;
    }
    Chart2D fromLf;
    ASSERT_TRUE(LoadDiagram(fromLf, dir / "lf.oc2", error)) << error;
    EXPECT_TRUE(fromLf.sameContent(designed));
    std::filesystem::remove_all(dir);
}
