#include "core/kinetics/models.h"

#include <cmath>

namespace kinhom {

bool IsKatalogModell(int model)
{
    return (model >= 1 && model <= 18) || model == 20;
}

int ModellSpeziesAnzahl(int model)
{
    switch (model) {
    case 1: case 2: case 3: case 5: case 8: case 20:
        return 2;
    case 4: case 6: case 11: case 12: case 14: case 15: case 16: case 17:
        return 3;
    case 7: case 9: case 10: case 13: case 18:
        return 4;
    default:
        return 0;
    }
}

void CalcRates(int model, double* dc, const double* k, const double* c, float ordnung)
{
    for (int i = 1; i <= 5; ++i) dc[i] = 0.0;
    const double k1 = k[1], k2 = k[2], k3 = k[3];
    const double A = c[1], B = c[2], C = c[3], P = c[4];
    switch (model) {
    case 1:
        dc[1] = -k1;
        dc[4] = k1;
        break;
    case 2:
        dc[1] = -k1 * A;
        dc[4] = k1 * A;
        break;
    case 3:
        dc[1] = -2 * k1 * A * A;
        dc[4] = -0.5 * dc[1];
        break;
    case 4:
        dc[1] = -k1 * A * B;
        dc[2] = -k1 * A * B;
        dc[4] = k1 * A * B;
        break;
    case 5:
        dc[1] = -k1 * A * P;
        dc[4] = k1 * A * P;
        break;
    case 6:
        dc[1] = -k1 * A;
        dc[3] = k1 * A - k2 * C;
        dc[4] = k2 * C;
        break;
    case 7:
        dc[1] = -k1 * A * B - k2 * A * C;
        dc[2] = -k1 * A * B;
        dc[3] = k1 * A * B - k2 * A * C;
        dc[4] = k2 * A * C;
        break;
    case 8:
        dc[1] = -k1 * A + k2 * P;
        dc[4] = k1 * A - k2 * P;
        break;
    case 9:
        dc[1] = -k1 * A * B;
        dc[2] = -k1 * A * B;
        dc[3] = k1 * A * B - k2 * C;
        dc[4] = k2 * C;
        break;
    case 10: {
        const double E = c[1], S = c[2], ES = c[3];
        dc[1] = -k1 * E * S + k2 * ES + k3 * ES;
        dc[2] = -k1 * E * S + k2 * ES;
        dc[3] = k1 * E * S - k2 * ES - k3 * ES;
        dc[4] = k3 * ES;
        break;
    }
    case 11:
        dc[1] = -(k1 + k2) * A;
        dc[4] = k1 * A;
        dc[5] = k2 * A;
        break;
    case 12: {
        const double p2 = std::pow(P, 2.0);
        dc[1] = k2 * p2 - k1 * A * B;
        dc[2] = k2 * p2 - k1 * A * B;
        dc[4] = 2 * k1 * A * B - 2 * k2 * p2;
        break;
    }
    case 13:
        dc[1] = -k1 * A * B;
        dc[2] = -k1 * A * B;
        dc[3] = k1 * A * B + k3 * P - k2 * C;
        dc[4] = k2 * C - k3 * P;
        break;
    case 14:
        dc[1] = -k1 * A;
        dc[3] = k1 * A - k2 * C + k3 * P;
        dc[4] = k2 * C - k3 * P;
        break;
    case 15:
        dc[1] = -k1 * A + k2 * C;
        dc[3] = k1 * A - k2 * C - k3 * C;
        dc[4] = k3 * C;
        break;
    case 16:
        dc[1] = -k1 * A * P;
        dc[4] = k1 * A * P;
        dc[5] = k1 * A * P;
        break;
    case 17:
        dc[1] = -k1 * A * B + k2 * P;
        dc[2] = -k1 * A * B + k2 * P;
        dc[4] = k1 * A * B - k2 * P;
        break;
    case 18:
        dc[1] = -k1 * A * B + k2 * C;
        dc[2] = -k1 * A * B + k2 * C;
        dc[3] = k1 * A * B - k2 * C - k3 * C;
        dc[4] = k3 * C;
        break;
    case 20:
        // The power is taken only of a positive base; NaN fails the test too.
        if (A > 0) {
            const double r = k1 * std::pow(A, static_cast<double>(ordnung));
            dc[1] = -r;
            dc[4] = r;
        }
        break;
    default:
        break;
    }
}

void SetStoechiometrie(Array2<float>& s, int model, float n)
{
    if (s.rows() < 6 || s.cols() < 4) s.resize(6, 4);
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 3; ++j) s(i, j) = 0.0f;
    enum { A = 1, B = 2, C = 3, P = 4, Q = 5 };
    enum { E = 1, S = 2, ES = 3 };
    switch (model) {
    case 1: case 2: case 5:
        s(A, 1) = -1; s(P, 1) = 1;
        break;
    case 3:
        s(A, 1) = -2; s(P, 1) = 1;
        break;
    case 4:
        s(A, 1) = -1; s(B, 1) = -1; s(P, 1) = 1;
        break;
    case 6:
        s(A, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(P, 2) = 1;
        break;
    case 7:
        s(A, 1) = -1; s(B, 1) = -1; s(C, 1) = 1;
        s(A, 2) = -1; s(C, 2) = -1; s(P, 2) = 1;
        break;
    case 8:
        s(A, 1) = -1; s(P, 1) = 1;
        s(P, 2) = -1; s(A, 2) = 1;
        break;
    case 9:
        s(A, 1) = -1; s(B, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(P, 2) = 1;
        break;
    case 10:
        s(E, 1) = -1; s(S, 1) = -1; s(ES, 1) = 1;
        s(ES, 2) = -1; s(E, 2) = 1; s(S, 2) = 1;
        s(ES, 3) = -1; s(E, 3) = 1; s(P, 3) = 1;
        break;
    case 11:
        s(A, 1) = -1; s(P, 1) = 1;
        s(A, 2) = -1; s(Q, 2) = 1;
        break;
    case 12:
        s(A, 1) = -1; s(B, 1) = -1; s(P, 1) = 2;
        s(P, 2) = -2; s(A, 2) = 1; s(B, 2) = 1;
        break;
    case 13:
        s(A, 1) = -1; s(B, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(P, 2) = 1;
        s(P, 3) = -1; s(C, 3) = 1;
        break;
    case 14:
        s(A, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(P, 2) = 1;
        s(P, 3) = -1; s(C, 3) = 1;
        break;
    case 15:
        s(A, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(A, 2) = 1;
        s(C, 3) = -1; s(P, 3) = 1;
        break;
    case 16:
        s(A, 1) = -1; s(P, 1) = 1; s(Q, 1) = 1;
        break;
    case 17:
        s(A, 1) = -1; s(B, 1) = -1; s(P, 1) = 1;
        s(P, 2) = -1; s(A, 2) = 1; s(B, 2) = 1;
        break;
    case 18:
        s(A, 1) = -1; s(B, 1) = -1; s(C, 1) = 1;
        s(C, 2) = -1; s(A, 2) = 1; s(B, 2) = 1;
        s(C, 3) = -1; s(P, 3) = 1;
        break;
    case 20:
        s(A, 1) = -n; s(P, 1) = 1;
        break;
    default:
        break;
    }
}

ModelDefaults GetModelDefaults(int model, std::uint8_t arbeitsmodus, float ordnung)
{
    ModelDefaults m;
    auto konst = [&m](double k1, double k2, double k3) {
        m.k[1] = k1;
        m.k[2] = k2;
        m.k[3] = k3;
    };
    switch (model) {
    case 1:
        m.EinzelReaktion = true;
        m.k[1] = 0.015;
        break;
    case 2: case 3:
        m.EinzelReaktion = true;
        break;
    case 4:
        m.EinzelReaktion = true;
        m.c0WennNull[2] = 1.0;
        break;
    case 5: case 16:
        m.EinzelReaktion = true;
        m.c0WennNull[4] = 0.002;
        break;
    case 6:
        m.k[2] = 0.1;
        break;
    case 7:
        m.NumerischesModell = true;
        konst(0.15, 0.05, 0);
        m.c0WennNull[2] = 1.0;
        break;
    case 8:
        m.EinzelReaktion = true;
        konst(0.5, 0.1, 0);
        break;
    case 9:
        m.NumerischesModell = true;
        m.k[2] = 0.1;
        m.c0WennNull[2] = 1.0;
        break;
    case 10:
        m.NumerischesModell = true;
        m.k[2] = 0.1;
        m.k[3] = 0.005;
        m.c0WennNull[2] = 5.0;
        break;
    case 11:
        m.k[2] = 0.05;
        break;
    case 12: case 17:
        m.EinzelReaktion = true;
        m.k[2] = 0.01;
        m.c0WennNull[2] = 0.5;
        break;
    case 13: case 18:
        m.NumerischesModell = true;
        m.k[2] = 0.1;
        m.k[3] = 0.005;
        m.c0WennNull[2] = 1.0;
        break;
    case 14: case 15:
        m.NumerischesModell = true;
        m.k[2] = 0.1;
        m.k[3] = 0.005;
        break;
    case 20:
        m.EinzelReaktion = true;
        m.NumerischesModell = true;
        if (arbeitsmodus == TaskMode::FitKAndOrder) m.k[2] = ordnung;
        break;
    default:
        break;
    }
    return m;
}

void ApplyModelDefaults(Declare& d, int model)
{
    const ModelDefaults m = GetModelDefaults(model, d.Arbeitsmodus, d.Ordnung);
    for (int i = 1; i <= 3; ++i) d.k[i] = m.k[i];
    for (int i = 1; i <= 5; ++i)
        if (m.c0WennNull[i] != 0.0 && d.c0[i] == 0.0) d.c0[i] = m.c0WennNull[i];
    d.NumerischesModell = m.NumerischesModell;
    d.EinzelReaktion = m.EinzelReaktion;
}

} // namespace kinhom
