#include "core/evaluation/arrhenius.h"

#include <cfloat>
#include <cmath>

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

std::string TimeUnitText(int zeitIndex)
{
    return zeitIndex >= 0 && zeitIndex < kTimeUnitCount ? kZeiteinheiten[zeitIndex] : "";
}

} // namespace kinhom
