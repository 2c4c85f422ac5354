#include "core/evaluation/fitstart.h"

#include <algorithm>
#include <cmath>

#include "core/shell/expdata.h"

namespace kinhom {

std::vector<ExpPunkt> MeasuredPoints(const Declare& d)
{
    const int n = MeasuredPointCount(d);
    std::vector<ExpPunkt> points(std::size_t(n) + 1);
    std::copy_n(d.ExpPunkte.begin() + 1, n, points.begin() + 1);
    return points;
}

bool SameMeasuredPoints(const Declare& d, const std::vector<ExpPunkt>& points)
{
    const int n = MeasuredPointCount(d);
    return points.size() == std::size_t(n) + 1 && std::equal(points.begin() + 1, points.end(), d.ExpPunkte.begin() + 1);
}

void RememberEvaluatedRateConstant(Declare& d, int model, double k)
{
    d.EvaluatedKModel = std::int16_t(model);
    d.EvaluatedK = k;
    d.EvaluatedKPoints = MeasuredPoints(d);
}

bool EvaluatedRateConstant(const Declare& d, int model, double& k)
{
    if (model == 0 || d.EvaluatedKModel != model || !(d.EvaluatedK > 0) || !std::isfinite(d.EvaluatedK) ||
        !SameMeasuredPoints(d, d.EvaluatedKPoints))
        return false;
    k = d.EvaluatedK;
    return true;
}

void TakeFitStartValuesFromData(Declare& d)
{
    for (int i = 1; i <= 5 && i < int(d.c0.size()); ++i)
        if (d.DatenVorhanden[i] && d.c0Exp[i] > 0 && std::isfinite(d.c0Exp[i]))
            d.c0[std::size_t(i)] = d.c0Exp[i];
    const float tMax = static_cast<float>(d.tMaxExp);
    if (tMax > 0 && std::isfinite(tMax))
        d.tEnde = tMax;
    double k = 0;
    if (d.Arbeitsmodus == TaskMode::FitK && EvaluatedRateConstant(d, d.ModellNr, k))
        d.k[1] = k;
}

} // namespace kinhom
