#include "core/shell/numtext.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace kinhom {

namespace {

// A finite non-negative magnitude as decimal digits: value = 0.d1 d2 d3 ... but
// written with the first digit before the point, i.e. d[0].d[1]d[2]... * 10^exp.
// Zero is digits "0", exp 0.
struct Decimal {
    std::string digits; // no leading zeros (except for zero itself)
    int exp = 0;
};

bool IsZeroDigits(const std::string& d)
{
    return d.find_first_not_of('0') == std::string::npos;
}

// Splits the scientific text "d.ddde+XX" of to_chars.
Decimal ParseScientific(const char* first, const char* last)
{
    Decimal r;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.') r.digits.push_back(*p);
    int e = 0;
    if (p != last) {
        ++p;
        std::from_chars(*p == '+' ? p + 1 : p, last, e);
    }
    r.exp = e;
    if (IsZeroDigits(r.digits)) {
        r.digits = "0";
        r.exp = 0;
    }
    return r;
}

// |v| to the given number of significant digits, correctly rounded from the
// exact binary value.
template <typename F>
Decimal ToDecimal(F v, int significant)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                   significant - 1);
    return ParseScientific(buf, res.ptr);
}

void DropTrailingZeros(Decimal& d)
{
    const auto last = d.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        d.digits = "0";
        d.exp = 0;
    } else {
        d.digits.erase(last + 1);
    }
}

std::string ExponentText(int e, int minDigits, bool plusSign)
{
    std::string s = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(s.size()) < minDigits) s.insert(0, minDigits - s.size(), '0');
    if (e < 0) return "-" + s;
    return plusSign ? "+" + s : s;
}

std::string NonFinite(double v, bool leadingBlank)
{
    if (std::isnan(v)) return leadingBlank ? " NaN" : "NaN";
    if (v < 0) return "-Inf";
    return leadingBlank ? " Inf" : "Inf";
}

// The digits of the number-to-text form without its sign.
std::string GeneralMagnitude(Decimal d, int limitExp, char dec)
{
    DropTrailingZeros(d);
    if (d.digits == "0") return "0";
    const int n = static_cast<int>(d.digits.size());
    if (d.exp < -4 || d.exp >= limitExp) {
        std::string s(1, d.digits[0]);
        if (n > 1) {
            s += dec;
            s.append(d.digits, 1);
        }
        return s + "E" + ExponentText(d.exp, 2, true);
    }
    if (d.exp >= 0) {
        std::string intPart = d.digits.substr(0, std::min(n, d.exp + 1));
        if (static_cast<int>(intPart.size()) < d.exp + 1) intPart.append(d.exp + 1 - intPart.size(), '0');
        if (n > d.exp + 1) return intPart + dec + d.digits.substr(d.exp + 1);
        return intPart;
    }
    return std::string("0") + dec + std::string(-d.exp - 1, '0') + d.digits;
}

// True when the decimal digits stand for a magnitude beyond the type's largest
// finite value (so that the text would read as an overflow).
template <typename F>
bool BeyondRange(const Decimal& d)
{
    std::string text = d.digits.substr(0, 1) + "." + d.digits.substr(1) + "e" + std::to_string(d.exp);
    F value{};
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc::result_out_of_range;
}

// The magnitude to `significant` digits, rounded to the nearest unless that
// leaves the type's range: the largest doubles (from 1.7976931348623151e308)
// round up to 1.79769313486232E+308, which no reader accepts, so they are
// rounded toward zero instead (1.79769313486231E+308).
template <typename F>
Decimal WritableDecimal(F v, int significant)
{
    Decimal d = ToDecimal(v, significant);
    if (d.exp < std::numeric_limits<F>::max_exponent10 || !BeyondRange<F>(d)) return d;
    std::size_t k = d.digits.size() - 1;
    while (k > 0 && d.digits[k] == '0') d.digits[k--] = '9';
    --d.digits[k];
    return d;
}

template <typename F>
std::string General(F v, int significant, int limitExp, char dec, bool leadingBlank)
{
    if (!std::isfinite(v)) return NonFinite(static_cast<double>(v), leadingBlank);
    const std::string mag = GeneralMagnitude(WritableDecimal(v, significant), limitExp, dec);
    // Negative zero and values that print as 0 carry no minus sign.
    if (std::signbit(v) && mag != "0") return "-" + mag;
    return leadingBlank ? " " + mag : mag;
}

} // namespace

std::string StrSingle(float v) { return General(v, 7, 7, '.', true); }
std::string StrDouble(double v) { return General(v, 15, 15, '.', true); }
std::string GenSingle(float v, char dec) { return General(v, 7, 7, dec, false); }
std::string GenDouble(double v, char dec) { return General(v, 15, 15, dec, false); }

// ---- text to number ----------------------------------------------------------------

double Val(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t intStart = i;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
    const std::string_view intDigits = s.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < n && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
        fracDigits = s.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    // Optional exponent; it belongs to the number only when a digit follows.
    long long exponent = 0;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < n && s[j] >= '0' && s[j] <= '9') {
            for (; j < n && s[j] >= '0' && s[j] <= '9'; ++j)
                if (exponent < 1000000) exponent = exponent * 10 + (s[j] - '0');
            if (expNegative) exponent = -exponent;
        }
    }

    // Where the first non-zero digit stands decides overflow against underflow.
    long long firstNonZero = 0; // decimal exponent of the first non-zero digit
    bool anyNonZero = false;
    const auto nz = intDigits.find_first_not_of('0');
    if (nz != std::string_view::npos) {
        anyNonZero = true;
        firstNonZero = static_cast<long long>(intDigits.size() - nz) - 1;
    } else {
        const auto fz = fracDigits.find_first_not_of('0');
        if (fz != std::string_view::npos) {
            anyNonZero = true;
            firstNonZero = -static_cast<long long>(fz) - 1;
        }
    }
    if (!anyNonZero) return 0.0;
    const long long magnitude = firstNonZero + exponent;
    if (magnitude > 400) return negative ? -std::numeric_limits<double>::infinity()
                                         : std::numeric_limits<double>::infinity();
    if (magnitude < -400) return 0.0;

    std::string text;
    text.reserve(intDigits.size() + fracDigits.size() + 16);
    text.append(intDigits.empty() ? std::string_view("0") : intDigits);
    if (!fracDigits.empty()) {
        text.push_back('.');
        text.append(fracDigits);
    }
    text.push_back('e');
    text.append(std::to_string(exponent));

    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) value = std::numeric_limits<double>::infinity();
        else value = 0.0;
    } else if (res.ec != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0) return 0.0; // no negative zero
    return negative ? -value : value;
}

bool ValFits(std::string_view text, double& out)
{
    out = Val(text);
    return std::isfinite(out);
}

bool FitsSingle(double v)
{
    return std::isfinite(v) && std::fabs(v) <= static_cast<double>(FLT_MAX);
}

bool ValFitsSingle(std::string_view text, float& out)
{
    const double v = Val(text);
    if (!FitsSingle(v)) {
        out = 0.0f;
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

// ---- format patterns ---------------------------------------------------------------

namespace {

struct Pattern {
    bool scientific = false;
    int intForced = 0;      // forced integer digits ("0" before the decimal sign)
    int fracForced = 0;     // forced decimals
    int fracOptional = 0;   // optional decimals ("#" after the forced ones)
    bool keepBarePoint = true; // write the decimal sign even without decimals
    int expDigits = 0;      // minimum exponent digits
    bool expPlus = false;   // "E+": sign always written
};

Pattern ParsePattern(std::string_view p)
{
    Pattern r;
    // The temperature label pattern: two optional decimals (see the header).
    if (p == "####,##") {
        r.intForced = 1;
        r.fracOptional = 2;
        r.keepBarePoint = false;
        return r;
    }
    auto bad = [&]() { return std::invalid_argument("unknown number format pattern: " + std::string(p)); };
    std::size_t i = 0;
    bool seenZero = false;
    for (; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i) {
        if (p[i] == '0') {
            ++r.intForced;
            seenZero = true;
        } else if (seenZero) {
            throw bad();
        }
    }
    bool point = false;
    if (i < p.size() && p[i] == '.') {
        point = true;
        ++i;
        for (; i < p.size() && p[i] == '0'; ++i) ++r.fracForced;
        for (; i < p.size() && p[i] == '#'; ++i) ++r.fracOptional;
    }
    if (i < p.size() && (p[i] == 'E' || p[i] == 'e')) {
        r.scientific = true;
        ++i;
        if (i >= p.size() || (p[i] != '+' && p[i] != '-')) throw bad();
        r.expPlus = p[i] == '+';
        ++i;
        for (; i < p.size() && p[i] == '0'; ++i) ++r.expDigits;
        if (r.expDigits == 0 || r.intForced != 1) throw bad();
    }
    if (i != p.size() || (r.intForced == 0 && !point && !r.scientific) || p.empty()) throw bad();
    if (!point) r.keepBarePoint = false;
    return r;
}

// Rounds the decimal digits half away from zero so that 'keep' digits remain
// (keep may be 0 or negative: then the result is 0 or a single carried 1).
Decimal RoundDigits(const Decimal& d, int keep)
{
    Decimal r = d;
    if (keep >= static_cast<int>(d.digits.size())) return r;
    if (keep < 0) {
        r.digits = "0";
        r.exp = 0;
        return r;
    }
    const bool up = d.digits[keep] >= '5';
    r.digits = d.digits.substr(0, keep);
    if (up) {
        int k = keep - 1;
        while (k >= 0 && r.digits[k] == '9') {
            r.digits[k] = '0';
            --k;
        }
        if (k >= 0) {
            ++r.digits[k];
        } else {
            r.digits.insert(r.digits.begin(), '1');
            ++r.exp;
        }
    }
    if (r.digits.empty() || IsZeroDigits(r.digits)) {
        r.digits = "0";
        r.exp = 0;
    }
    return r;
}

std::string FormatDecimal(bool negative, const Decimal& mag, const Pattern& pat, char dec)
{
    std::string body;
    bool zero = false;
    if (pat.scientific) {
        const int sig = 1 + pat.fracForced + pat.fracOptional;
        Decimal r = RoundDigits(mag, sig);
        zero = r.digits == "0";
        std::string digits = r.digits;
        if (static_cast<int>(digits.size()) < sig) digits.append(sig - digits.size(), '0');
        // Optional decimals drop their trailing zeros.
        int fracLen = sig - 1;
        while (fracLen > pat.fracForced && digits[fracLen] == '0') --fracLen;
        body = std::string(1, digits[0]);
        if (fracLen > 0 || pat.keepBarePoint) body += dec;
        body.append(digits, 1, fracLen);
        body += "E" + ExponentText(zero ? 0 : r.exp, pat.expDigits, pat.expPlus);
    } else {
        const int decimals = pat.fracForced + pat.fracOptional;
        // Digits to keep = those down to the last decimal place.
        const Decimal r = RoundDigits(mag, mag.exp + 1 + decimals);
        zero = r.digits == "0";
        std::string intPart;
        std::string frac;
        if (!zero) {
            const int n = static_cast<int>(r.digits.size());
            if (r.exp >= 0) {
                intPart = r.digits.substr(0, std::min(n, r.exp + 1));
                if (static_cast<int>(intPart.size()) < r.exp + 1) intPart.append(r.exp + 1 - intPart.size(), '0');
                if (n > r.exp + 1) frac = r.digits.substr(r.exp + 1);
            } else {
                frac = std::string(-r.exp - 1, '0') + r.digits;
            }
        }
        if (static_cast<int>(intPart.size()) < pat.intForced)
            intPart.insert(0, pat.intForced - intPart.size(), '0');
        if (static_cast<int>(frac.size()) < pat.fracForced) frac.append(pat.fracForced - frac.size(), '0');
        while (static_cast<int>(frac.size()) > pat.fracForced && frac.back() == '0') frac.pop_back();
        body = intPart;
        if (!frac.empty() || (pat.keepBarePoint && decimals > 0) || (pat.keepBarePoint && intPart.empty()))
            body += dec;
        body += frac;
    }
    return (negative && !zero) ? "-" + body : body;
}

template <typename F>
std::string FormatWith(F v, int significant, std::string_view pattern, char dec)
{
    const Pattern pat = ParsePattern(pattern);
    if (!std::isfinite(v)) return NonFinite(static_cast<double>(v), false);
    return FormatDecimal(std::signbit(v), ToDecimal(v, significant), pat, dec);
}

} // namespace

std::string FormatPattern(double v, std::string_view pattern, char dec)
{
    return FormatWith(v, 15, pattern, dec);
}

std::string FormatPatternSingle(float v, std::string_view pattern, char dec)
{
    return FormatWith(v, 7, pattern, dec);
}

} // namespace kinhom
