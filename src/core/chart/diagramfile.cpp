#include "core/chart/diagramfile.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "core/shell/textfile.h"

namespace kinhom {

namespace {

constexpr std::string_view kMagic = "KINHOM-DIAGRAM";

// ---- writing values ---------------------------------------------------------------

void Put(std::string& out, double v)
{
    if (std::isnan(v)) {
        out += "nan";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? "inf" : "-inf";
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void Put(std::string& out, float v)
{
    if (std::isnan(v)) {
        out += "nan";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? "inf" : "-inf";
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void Put(std::string& out, int v) { out += std::to_string(v); }
void Put(std::string& out, bool v) { out += v ? '1' : '0'; }

void Put(std::string& out, const std::string& s)
{
    static const char* hex = "0123456789ABCDEF";
    const bool utf8 = IsValidUtf8(s);
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void Put(std::string& out, const Rgb& c)
{
    static const char* hex = "0123456789ABCDEF";
    out += '#';
    for (int v : {c.r, c.g, c.b}) {
        out += hex[(v >> 4) & 15];
        out += hex[v & 15];
    }
}

void Put(std::string& out, const FontSpec& f)
{
    Put(out, f.Name);
    out += ' ';
    Put(out, f.Size);
    out += ' ';
    Put(out, f.Bold);
    out += ' ';
    Put(out, f.Italic);
    out += ' ';
    Put(out, f.Underline);
}

void Put(std::string& out, const AutoInt& a)
{
    Put(out, a.value);
    out += ' ';
    Put(out, a.isAuto);
}

void Put(std::string& out, const AutoDouble& a)
{
    Put(out, a.value);
    out += ' ';
    Put(out, a.isAuto);
}

struct Writer {
    std::string out;
    template <class T>
    void operator()(const std::string& key, T& v)
    {
        out += key;
        out += ' ';
        Put(out, static_cast<const T&>(v));
        out += "\r\n";
    }
};

// ---- reading values ----------------------------------------------------------------------

void SkipBlanks(std::string_view& s)
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
}

std::string_view Token(std::string_view& s)
{
    SkipBlanks(s);
    std::size_t n = 0;
    while (n < s.size() && s[n] != ' ') ++n;
    std::string_view t = s.substr(0, n);
    s.remove_prefix(n);
    return t;
}

bool Get(std::string_view& s, int& v)
{
    const std::string_view t = Token(s);
    if (t.empty()) return false;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool Get(std::string_view& s, bool& v)
{
    const std::string_view t = Token(s);
    if (t == "0") v = false;
    else if (t == "1") v = true;
    else return false;
    return true;
}

template <class F>
bool GetFloating(std::string_view& s, F& v)
{
    const std::string_view t = Token(s);
    if (t.empty()) return false;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool Get(std::string_view& s, double& v) { return GetFloating(s, v); }
bool Get(std::string_view& s, float& v) { return GetFloating(s, v); }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Get(std::string_view& s, std::string& v)
{
    SkipBlanks(s);
    if (s.empty() || s.front() != '"') return false;
    s.remove_prefix(1);
    std::string out;
    while (!s.empty()) {
        const char c = s.front();
        s.remove_prefix(1);
        if (c == '"') {
            v = std::move(out);
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (s.empty()) return false;
        const char e = s.front();
        s.remove_prefix(1);
        switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (s.size() < 2) return false;
            const int hi = HexDigit(s[0]), lo = HexDigit(s[1]);
            if (hi < 0 || lo < 0) return false;
            out += static_cast<char>(hi * 16 + lo);
            s.remove_prefix(2);
            break;
        }
        default: return false;
        }
    }
    return false; // no closing quote
}

bool Get(std::string_view& s, Rgb& v)
{
    const std::string_view t = Token(s);
    if (t.size() != 7 || t[0] != '#') return false;
    int d[6];
    for (int i = 0; i < 6; ++i) {
        d[i] = HexDigit(t[i + 1]);
        if (d[i] < 0) return false;
    }
    v = RGB(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
    return true;
}

bool Get(std::string_view& s, FontSpec& f)
{
    return Get(s, f.Name) && Get(s, f.Size) && Get(s, f.Bold) && Get(s, f.Italic) && Get(s, f.Underline);
}

bool Get(std::string_view& s, AutoInt& a) { return Get(s, a.value) && Get(s, a.isAuto); }
bool Get(std::string_view& s, AutoDouble& a) { return Get(s, a.value) && Get(s, a.isAuto); }

const char* Describe(const int*) { return "a whole number"; }
const char* Describe(const bool*) { return "0 or 1"; }
const char* Describe(const double*) { return "a number"; }
const char* Describe(const std::string*) { return "a text in quotes"; }
const char* Describe(const Rgb*) { return "a colour #RRGGBB"; }
const char* Describe(const FontSpec*) { return "a font (name in quotes, size, bold, italic, underline)"; }
const char* Describe(const AutoInt*) { return "a whole number and its automatic flag 0 or 1"; }
const char* Describe(const AutoDouble*) { return "a number and its automatic flag 0 or 1"; }

// Values the chart needs finite (font sizes, the axis origin, a label's data
// position); "nan" or "inf" there is malformed content. Axis limits and
// spacings may be automatic or replaced by the chart, and points may be
// missing values, so those keep any value.
template <class T>
bool Finite(const T&)
{
    return true;
}
bool Finite(const double& v) { return std::isfinite(v); }
bool Finite(const FontSpec& f) { return std::isfinite(f.Size); }

// A found text as a message quotes it: at most 40 characters, printable only.
// Control characters (C0, DEL, C1) and bytes that are not UTF-8 are written as
// \xHH; a character is never cut.
std::string Shown(std::string_view s)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t chars = 0, i = 0;
    while (i < s.size() && chars < 40) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        bool whole = n > 0 && i + n <= s.size() && (n == 1 || b >= 0xC2);
        for (std::size_t k = 1; whole && k < n; ++k) whole = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        const unsigned c1 = n == 2 && whole ? ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu) : 0;
        if (!whole || b < 0x20 || b == 0x7F || (c1 >= 0x80 && c1 <= 0x9F)) {
            const unsigned v = c1 >= 0x80 && c1 <= 0x9F ? c1 : b;
            out += "\\x";
            out += hex[v >> 4];
            out += hex[v & 15];
            i += whole ? n : 1;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
        ++chars;
    }
    if (i < s.size()) out += "...";
    return out;
}

class Reader {
public:
    explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    std::size_t remaining() const { return pos_ < lines_.size() ? lines_.size() - pos_ : 0; }

    bool fail(std::size_t lineIndex, const std::string& what)
    {
        if (ok_) {
            ok_ = false;
            error_ = "line " + std::to_string(lineIndex + 1) + ": " + what;
        }
        return false;
    }

    // The next line must be the entry key; rest receives its value text.
    bool entry(const std::string& key, std::string_view& rest)
    {
        if (!ok_) return false;
        if (pos_ >= lines_.size()) return fail(pos_, "expected \"" + key + "\", but the file ends here (it is incomplete)");
        const std::string_view line = lines_[pos_];
        const std::size_t sp = line.find(' ');
        const std::string_view k = line.substr(0, sp);
        if (k != key) return fail(pos_, "expected \"" + key + "\", found \"" + Shown(line) + "\"");
        rest = sp == std::string_view::npos ? std::string_view() : line.substr(sp + 1);
        ++pos_;
        return true;
    }

    template <class T>
    void operator()(const std::string& key, T& v)
    {
        std::string_view rest;
        if (!entry(key, rest)) return;
        const std::string_view all = rest;
        T tmp{};
        bool good = Get(rest, tmp);
        SkipBlanks(rest);
        if (!good || !rest.empty()) {
            fail(pos_ - 1, "the value of \"" + key + "\" should be " + Describe(&tmp) + ", found \"" + Shown(all) + "\"");
            return;
        }
        if (!Finite(tmp)) {
            fail(pos_ - 1, "the value of \"" + key + "\" must be a finite number, found \"" + Shown(all) + "\"");
            return;
        }
        v = std::move(tmp);
    }

    // An entry holding exactly the number expected (a group, series or label number).
    void index(const std::string& key, int expected)
    {
        int v = 0;
        (*this)(key, v);
        if (ok_ && v != expected)
            fail(pos_ - 1, "expected \"" + key + " " + std::to_string(expected) + "\", found number " + std::to_string(v));
    }

    // A count 0..max.
    int count(const std::string& key, int max)
    {
        int v = 0;
        (*this)(key, v);
        if (ok_ && (v < 0 || v > max)) {
            fail(pos_ - 1, "\"" + key + "\" should be a count from 0 to " + std::to_string(max) + ", found " +
                               std::to_string(v));
            return 0;
        }
        return ok_ ? v : 0;
    }

    // A point line "x y".
    bool point(double& x, double& y)
    {
        if (!ok_) return false;
        if (pos_ >= lines_.size()) return fail(pos_, "expected a point \"x y\", but the file ends here (it is incomplete)");
        std::string_view s = lines_[pos_];
        const std::string_view all = s;
        bool good = Get(s, x) && Get(s, y);
        SkipBlanks(s);
        if (!good || !s.empty()) return fail(pos_, "expected a point \"x y\" of two numbers, found \"" + Shown(all) + "\"");
        ++pos_;
        return true;
    }

    void end()
    {
        std::string_view rest;
        if (!entry("end", rest)) return;
        SkipBlanks(rest);
        if (!rest.empty()) {
            fail(pos_ - 1, "expected \"end\", found \"end " + Shown(rest) + "\"");
            return;
        }
        for (std::size_t i = pos_; i < lines_.size(); ++i) {
            if (lines_[i].find_first_not_of(" \t") != std::string::npos) {
                fail(i, "unexpected text after the end of the diagram: \"" + Shown(lines_[i]) + "\"");
                return;
            }
        }
    }

    std::size_t pos_ = 1;

private:
    const std::vector<std::string>& lines_;
    bool ok_ = true;
    std::string error_;
};

} // namespace

// Knows the parts' stored values; lists them once for writing and reading.
class DiagramCodec {
public:
    template <class V>
    static void Border(V& v, const std::string& k, BorderFormat& b)
    {
        v(k + ".type", b.Type_);
        v(k + ".width", b.Width_);
    }
    template <class V>
    static void Interior(V& v, const std::string& k, InteriorFormat& i)
    {
        v(k + ".background", i.BackgroundColor_);
        v(k + ".transparent", i.IsTransparent_);
        v(k + ".foreground", i.ForegroundColor_);
    }
    template <class V>
    static void Location(V& v, const std::string& k, LocationFormat& l)
    {
        v(k + ".left", l.Left_);
        v(k + ".top", l.Top_);
        v(k + ".width", l.Width_);
        v(k + ".height", l.Height_);
    }
    template <class V>
    static void Line(V& v, const std::string& k, LineFormat& l)
    {
        v(k + ".pattern", l.Pattern_);
        v(k + ".color", l.Color_);
        v(k + ".width", l.Width_);
    }
    template <class V>
    static void Symbol(V& v, const std::string& k, SymbolFormat& s)
    {
        v(k + ".shape", s.Shape_);
        v(k + ".color", s.Color_);
        v(k + ".size", s.Size_);
    }
    template <class V>
    static void Title(V& v, const std::string& k, TitleBox& t)
    {
        v(k + ".text", t.Text_);
        v(k + ".showing", t.IsShowing_);
        v(k + ".adjust", t.Adjust_);
        v(k + ".font", t.Font_);
        Border(v, k + ".border", t.border_);
        Interior(v, k + ".interior", t.interior_);
        Location(v, k + ".location", t.location_);
    }
    template <class V>
    static void Legend(V& v, const std::string& k, LegendBox& l)
    {
        v(k + ".showing", l.IsShowing_);
        v(k + ".text", l.Text_);
        v(k + ".orientation", l.Orientation_);
        v(k + ".font", l.Font_);
        Border(v, k + ".border", l.border_);
        Interior(v, k + ".interior", l.interior_);
        Location(v, k + ".location", l.location_);
    }
    template <class V>
    static void AxisPart(V& v, const std::string& k, Axis& a)
    {
        v(k + ".min", a.Min_);
        v(k + ".max", a.Max_);
        v(k + ".datamin", a.DataMin_);
        v(k + ".datamax", a.DataMax_);
        v(k + ".showing", a.IsShowing_);
        v(k + ".logarithmic", a.IsLogarithmic_);
        v(k + ".numbering.font", a.NumberingFont_);
        v(k + ".numbering.rotation", a.NumberingRotation_);
        v(k + ".numbering.placement", a.NumberingPlacement_);
        v(k + ".origin.placement", a.OriginPlacement_);
        v(k + ".origin", a.Origin_);
        v(k + ".title.text", a.title_.Text_);
        v(k + ".title.font", a.title_.Font_);
        v(k + ".title.rotation", a.title_.Rotation_);
        Line(v, k + ".grid", a.grid_);
        v(k + ".gridspacing", a.gridSpacing_.v_);
        v(k + ".tickspacing", a.tickSpacing_.v_);
        v(k + ".numspacing", a.numSpacing_.v_);
    }
    template <class V>
    static void Area(V& v, const std::string& k, ChartAreaBox& a)
    {
        Border(v, k + ".border", a.border_);
        Interior(v, k + ".interior", a.interior_);
        Location(v, k + ".location", a.location_);
        v(k + ".plot.boxed", a.plot_.IsBoxed_);
        Interior(v, k + ".plot.interior", a.plot_.interior_);
        v(k + ".plot.margin.top", a.plot_.margins_.Top_);
        v(k + ".plot.margin.bottom", a.plot_.margins_.Bottom_);
        v(k + ".plot.margin.left", a.plot_.margins_.Left_);
        v(k + ".plot.margin.right", a.plot_.margins_.Right_);
        AxisPart(v, k + ".axis.x", a.axes_[0]);
        AxisPart(v, k + ".axis.y", a.axes_[1]);
        AxisPart(v, k + ".axis.y2", a.axes_[2]);
    }
    template <class V>
    static void Label(V& v, const std::string& k, ChartLabel& l)
    {
        v(k + ".text", l.Text_);
        v(k + ".showing", l.IsShowing_);
        v(k + ".attach.method", l.AttachMethod_);
        v(k + ".attach.coordx", l.AttachCoordX_);
        v(k + ".attach.coordy", l.AttachCoordY_);
        v(k + ".attach.datax", l.AttachDataX_);
        v(k + ".attach.datay", l.AttachDataY_);
        v(k + ".attach.group", l.AttachGroup_);
        v(k + ".attach.series", l.AttachSeries_);
        v(k + ".attach.point", l.AttachPoint_);
        v(k + ".anchor", l.Anchor_);
        v(k + ".offset", l.Offset_);
        v(k + ".connected", l.IsConnected_);
        v(k + ".adjust", l.Adjust_);
        v(k + ".font", l.Font_);
        Border(v, k + ".border", l.border_);
        Interior(v, k + ".interior", l.interior_);
    }
    // The design outside the groups and labels.
    template <class V>
    static void Design(V& v, Chart2D& c)
    {
        Border(v, "chart.border", c.c_.border);
        Interior(v, "chart.interior", c.c_.interior);
        Title(v, "header", c.c_.header);
        Title(v, "footer", c.c_.footer);
        Legend(v, "legend", c.c_.legend);
        Area(v, "area", c.c_.area);
    }

    static std::string Write(const Chart2D& chart)
    {
        Chart2D& c = const_cast<Chart2D&>(chart); // the writer only reads
        Writer w;
        w.out = std::string(kMagic) + " " + std::to_string(kDiagramFileVersion) + "\r\n";
        Design(w, c);
        for (int g = 1; g <= 2; ++g) {
            ChartGroup& grp = c.c_.groups[g - 1];
            int gi = g;
            w("group", gi);
            int ns = grp.data_.NumSeries();
            w("group.numseries", ns);
            for (int s = 1; s <= ns; ++s) {
                auto& ser = grp.data_.series_[s - 1];
                int si = s;
                w("series", si);
                w("series.display", ser.display);
                Line(w, "series.line", ser.style.line_);
                Symbol(w, "series.symbol", ser.style.symbol_);
                int np = static_cast<int>(ser.x.size());
                w("series.points", np);
                for (int p = 0; p < np; ++p) {
                    Put(w.out, ser.x[p]);
                    w.out += ' ';
                    Put(w.out, ser.y[p]);
                    w.out += "\r\n";
                }
            }
            int nl = grp.labels_.Count();
            w("group.legendtexts", nl);
            for (auto& t : grp.labels_.items_) w("legendtext", t);
        }
        int nlab = c.c_.labels.Count();
        w("labels", nlab);
        for (int n = 1; n <= nlab; ++n) {
            int ni = n;
            w("label", ni);
            Label(w, "label", c.c_.labels.labels_[n - 1]);
        }
        w.out += "end\r\n";
        return w.out;
    }

    static bool Read(const std::vector<std::string>& lines, Chart2D& tmp, std::string& error)
    {
        if (lines.empty()) {
            error = "line 1: the file is empty; a diagram file starts with \"" + std::string(kMagic) + " 1\"";
            return false;
        }
        std::string first = lines[0];
        while (!first.empty() && (first.back() == ' ' || first.back() == '\t')) first.pop_back();
        const std::string expected = std::string(kMagic) + " " + std::to_string(kDiagramFileVersion);
        if (first != expected) {
            if (first.rfind(std::string(kMagic) + " ", 0) == 0)
                error = "line 1: this diagram file has the version \"" + Shown(first.substr(kMagic.size() + 1)) +
                        "\"; this program reads version " + std::to_string(kDiagramFileVersion);
            else
                error = "line 1: not a diagram file (expected \"" + expected + "\", found \"" + Shown(first) + "\")";
            return false;
        }
        Reader r(lines);
        Design(r, tmp);
        for (int g = 1; g <= 2 && r.ok(); ++g) {
            ChartGroup& grp = tmp.c_.groups[g - 1];
            r.index("group", g);
            const int ns = r.count("group.numseries", kChartMaxSeries);
            if (!r.ok()) break;
            grp.data_.series_.assign(static_cast<std::size_t>(ns), {});
            for (int s = 1; s <= ns && r.ok(); ++s) {
                auto& ser = grp.data_.series_[s - 1];
                r.index("series", s);
                r("series.display", ser.display);
                Line(r, "series.line", ser.style.line_);
                Symbol(r, "series.symbol", ser.style.symbol_);
                const int np = r.count("series.points", kChartMaxPoints);
                if (!r.ok()) break;
                if (static_cast<std::size_t>(np) > r.remaining()) {
                    r.fail(r.pos_ - 1, "series " + std::to_string(s) + " of group " + std::to_string(g) + " should have " +
                                           std::to_string(np) + " points, but the file ends before (it is incomplete)");
                    break;
                }
                ser.x.resize(static_cast<std::size_t>(np));
                ser.y.resize(static_cast<std::size_t>(np));
                for (int p = 0; p < np && r.ok(); ++p) r.point(ser.x[p], ser.y[p]);
            }
            const int nl = r.count("group.legendtexts", kChartMaxSeries);
            if (!r.ok()) break;
            grp.labels_.items_.assign(static_cast<std::size_t>(nl), std::string());
            for (auto& t : grp.labels_.items_) r("legendtext", t);
        }
        const int nlab = r.count("labels", kChartMaxLabels);
        if (r.ok()) tmp.c_.labels.labels_.assign(static_cast<std::size_t>(nlab), ChartLabel());
        for (int n = 1; n <= nlab && r.ok(); ++n) {
            r.index("label", n);
            Label(r, "label", tmp.c_.labels.labels_[n - 1]);
        }
        r.end();
        if (!r.ok()) {
            error = r.error();
            return false;
        }
        return true;
    }
};

std::string DiagramText(const Chart2D& chart) { return DiagramCodec::Write(chart); }

bool ParseDiagramText(const std::vector<std::string>& lines, Chart2D& chart, std::string& error)
{
    Chart2D tmp;
    if (!DiagramCodec::Read(lines, tmp, error)) return false;
    chart.assignContent(tmp);
    return true;
}

bool SaveDiagram(const Chart2D& chart, const std::filesystem::path& path, std::string& error)
{
    return WriteTextFileAtomic(path, DiagramText(chart), error);
}

bool LoadDiagram(Chart2D& chart, const std::filesystem::path& path, std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines, error)) return false;
    std::string why;
    if (!ParseDiagramText(lines, chart, why)) {
        error = path.string() + ": " + why;
        return false;
    }
    return true;
}

} // namespace kinhom
