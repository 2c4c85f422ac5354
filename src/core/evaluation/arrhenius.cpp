#include "core/evaluation/arrhenius.h"

#include <cfloat>
#include <cmath>
#include <charconv>

#include "core/shell/error.h"
#include "core/shell/numtext.h"
#include "core/shell/startup.h"

namespace kinhom {

namespace {

void CheckTemperature(double T)
{
    if (!std::isfinite(T) || T <= 0)
        throw KinError("The temperature T must be a number above 0 K.");
}

void CheckFinite(double v, const char* what)
{
    if (!std::isfinite(v)) throw KinError(std::string("The ") + what + " must be a finite number.");
}

// exp(lnK) with the refusals of a result a double cannot hold. lnK is the
// natural logarithm of k, so neither the factor nor the exponential alone
// decides an overflow.
double KFromLog(double lnK)
{
    if (std::isnan(lnK)) throw KinError("The rate constant cannot be computed from these values.");
    if (lnK > std::log(DBL_MAX))
        throw KinError("The rate constant is too large to be computed (ln k =" + StrDouble(lnK) +
                       "): check the activation energy and the temperature.");
    if (lnK < std::log(DBL_MIN))
        throw KinError("The rate constant is too small to be computed (ln k =" + StrDouble(lnK) +
                       "): check the activation energy and the temperature.");
    return std::exp(lnK);
}

} // namespace

double ArrheniusK(double A, double EA, double T)
{
    CheckTemperature(T);
    CheckFinite(EA, "activation energy EA");
    CheckFinite(A, "factor A");
    if (A <= 0) throw KinError("The factor A must be above 0.");
    return KFromLog(std::log(A) - EA / (kGasConstant * T));
}

double EyringK(double dH, double dS, double T)
{
    CheckTemperature(T);
    CheckFinite(dH, "activation enthalpy");
    CheckFinite(dS, "activation entropy");
    return KFromLog(std::log(kBoltzmann * T / kPlanck) + dS / kGasConstant - dH / (kGasConstant * T));
}

double KInTimeUnit(const Declare& d, double kPerSecond, int zeitIndex)
{
    if (zeitIndex < 0 || zeitIndex > 4) throw KinError("No time unit is chosen for k.");
    const double k = kPerSecond * d.ZeitFaktor(zeitIndex, 0);
    if (!std::isfinite(k)) throw KinError("The rate constant is too large for this time unit.");
    return k;
}

std::string KText(double k)
{
    if (!std::isfinite(k)) return "";
    if (k == 0) return "0";
    // Rounded to four significant digits first, so that the form follows the
    // rounded value (99999.4 is 1.000E+05). to_chars does not depend on the
    // C locale.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, k, std::chars_format::scientific, 3);
    std::string text(buf, r.ptr);
    const std::size_t e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    if (exponent >= -3 && exponent < 5) {
        double rounded = 0;
        std::from_chars(buf, r.ptr, rounded);
        r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 3 - exponent);
        return std::string(buf, r.ptr);
    }
    text[e] = 'E';
    return text;
}

std::string TimeUnitText(int zeitIndex)
{
    return zeitIndex >= 0 && zeitIndex < kTimeUnitCount ? kZeiteinheiten[zeitIndex] : "";
}

} // namespace kinhom
