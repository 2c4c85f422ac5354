#include "core/kinetics/closedforms.h"

#include <cmath>

namespace kinhom {

namespace {

enum { A = 1, B = 2, C = 3, P = 4, Q = 5 };

constexpr unsigned Bit(int slot) { return 1u << slot; }

// e^(-s) and 1 - e^(-s) together. Below s = 0.5 the difference is taken by
// expm1 (1 - e^(-s) would cancel); above it loses less than one bit and saves
// the second transcendental call.
struct ExpPaar {
    double e, g;
};
ExpPaar Exp(double s)
{
    const double e = std::exp(-s);
    if (std::fabs(s) < 0.5) return {e, -std::expm1(-s)};
    return {e, 1 - e};
}

// (1 - e^(-s t)) / s, with its limit t for s = 0; no cancellation for small s·t.
double Phi(double s, double t)
{
    if (s == 0) return t;
    return Exp(s * t).g / s;
}

// Extent x(t) of a reaction whose rate is dx/dt = a x^2 + p x + q with
// x(0) = 0, for the reversible second-order models. disc = p^2 - 4 a q is
// passed in, computed by the caller as a sum of non-negative terms.
//
// With sq = sqrt(disc) the two equilibrium extents are (-p -/+ sq)/(2a); the
// course approaches the first (the stable one, where the rate falls with x)
// and equals
//     x(t) = q·phi / (1 + w·phi),  phi = (1 - e^(-sq·t))/sq,  w = (-p - sq)/2,
// which is the usual x1 x2 (1 - E)/(x1 - x2 E) multiplied out. It stays
// finite for large t, is exact for a = 0 (the linear rate law) and has the
// limit q t/(1 + w t) of a double root (sq = 0), where the usual quotient is
// 0/0. For p <= 0 the difference -p - sq would cancel; there w is taken from
// w·(-p + sq)/2 = a q.
double QuadratischerUmsatz(double a, double p, double q, double disc, double t)
{
    const double sq = std::sqrt(disc); // NaN for disc < 0 (not a real course)
    double w;
    if (p <= 0) {
        const double u = (-p + sq) / 2;
        w = (u != 0) ? a * q / u : 0.0;
    } else {
        w = (-p - sq) / 2;
    }
    const double phi = Phi(sq, t);
    return q * phi / (1 + w * phi);
}

// A + B => P. With d the excess of one reactant over the other and
// g = 1 - e^(-d k1 t), the deficient reactant is d·c·e^(-d k1 t)/(d + c·g)
// (c its start value) and the extent A0·B0·g/(d + c·g): no overflow for
// large k1·t and no cancellation when A0 and B0 are close.
void SecondOrderTwoReactants(double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], B0 = c0[B], P0 = c0[P];
    const double k1 = k[1];
    double a, b, x;
    if (A0 == B0) {
        const double u = k1 * A0 * t;
        a = A0 / (1 + u);
        b = a;
        x = A0 * u / (1 + u);
    } else if (B0 > A0) {
        const double dd = B0 - A0;
        const ExpPaar e = Exp(dd * k1 * t);
        const double g = e.g, nenner = dd + A0 * g;
        a = dd * A0 * e.e / nenner;
        b = a + dd;
        x = A0 * B0 * g / nenner;
    } else {
        const double dd = A0 - B0;
        const ExpPaar e = Exp(dd * k1 * t);
        const double g = e.g, nenner = dd + B0 * g;
        b = dd * B0 * e.e / nenner;
        a = b + dd;
        x = A0 * B0 * g / nenner;
    }
    c[A] = a;
    c[B] = b;
    c[P] = P0 + x;
}

// Autocatalysis A => P (+ Q), rate k1·A·P. With S = A0 + P0,
// s = k1·S·t and e = e^(-s): x = A0·P0·(1 - e)/(A0·e + P0) and
// A = A0·S·e/(A0·e + P0). Without catalyst nothing reacts.
void Autocatalysis(double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], P0 = c0[P], Q0 = c0[Q];
    const double k1 = k[1];
    double a = A0, x = 0;
    if (P0 != 0 && A0 != 0) {
        const ExpPaar e = Exp(k1 * (A0 + P0) * t);
        const double nenner = A0 * e.e + P0;
        x = A0 * P0 * e.g / nenner;
        a = A0 * (A0 + P0) * e.e / nenner;
    }
    c[A] = a;
    c[P] = P0 + x;
    c[Q] = Q0 + x;
}

// A => C => P. (e^(-k1 t) - e^(-k2 t))/(k2 - k1) is symmetric in k1 and
// k2; written from the smaller constant it neither overflows nor
// cancels, and for k1 = k2 it is t·e^(-k1 t).
void ConsecutiveFirstOrder(double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], C0 = c0[C], P0 = c0[P];
    const double k1 = k[1], k2 = k[2];
    const double e1 = std::exp(-k1 * t), e2 = std::exp(-k2 * t);
    const double a = A0 * e1;
    const double phi = (k1 <= k2 ? e1 : e2) * Phi(std::fabs(k2 - k1), t);
    const double cc = k1 * A0 * phi + C0 * e2;
    c[A] = a;
    c[C] = cc;
    c[P] = A0 - a - cc + C0 + P0;
}

// A + B <=> 2P: dx/dt = k1 (A0 - x)(B0 - x) - k2 (P0 + 2x)^2.
void ReversibleToTwoProducts(double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], B0 = c0[B], P0 = c0[P];
    const double k1 = k[1], k2 = k[2];
    const double a = k1 - 4 * k2;
    const double p = -k1 * A0 - k1 * B0 - 4 * k2 * P0;
    const double q = k1 * A0 * B0 - k2 * P0 * P0;
    const double dAB = A0 - B0;
    const double disc = k1 * k1 * dAB * dAB + 8 * k1 * k2 * P0 * (A0 + B0) +
                        4 * k1 * k2 * P0 * P0 + 16 * k1 * k2 * A0 * B0;
    const double x = QuadratischerUmsatz(a, p, q, disc, t);
    c[A] = A0 - x;
    c[B] = B0 - x;
    c[P] = P0 + 2 * x;
}

// A + B <=> P: dx/dt = k1 (A0 - x)(B0 - x) - k2 (P0 + x).
void ReversibleToOneProduct(double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], B0 = c0[B], P0 = c0[P];
    const double k1 = k[1], k2 = k[2];
    const double a = k1;
    const double p = -k1 * A0 - k1 * B0 - k2;
    const double q = k1 * A0 * B0 - k2 * P0;
    const double dAB = A0 - B0;
    const double disc = k1 * k1 * dAB * dAB + k2 * k2 + 2 * k1 * k2 * (A0 + B0) +
                        4 * k1 * k2 * P0;
    const double x = QuadratischerUmsatz(a, p, q, disc, t);
    c[A] = A0 - x;
    c[B] = B0 - x;
    c[P] = P0 + x;
}

} // namespace

bool HatGeschlosseneForm(int model)
{
    return GeschlosseneFormSlots(model) != 0;
}

unsigned GeschlosseneFormSlots(int model)
{
    switch (model) {
    case 1: case 2: case 3: case 8:
        return Bit(A) | Bit(P);
    case 4: case 12: case 17:
        return Bit(A) | Bit(B) | Bit(P);
    case 5: case 11: case 16:
        return Bit(A) | Bit(P) | Bit(Q);
    case 6:
        return Bit(A) | Bit(C) | Bit(P);
    default:
        return 0;
    }
}

bool GeschlosseneForm(int model, double t, const double* c0, const double* k, double* c)
{
    const double A0 = c0[A], P0 = c0[P], Q0 = c0[Q];
    const double k1 = k[1], k2 = k[2];

    switch (model) {
    case 1: {
        // Zeroth order: A falls linearly until it is used up.
        const double x = k1 * t;
        double a = A0 - x, p = P0 + x;
        if (a < 0) {
            a = 0;
            p = A0 + P0;
        }
        c[A] = a;
        c[P] = p;
        return true;
    }
    case 2:
    {
        const ExpPaar e = Exp(k1 * t);
        c[A] = A0 * e.e;
        c[P] = P0 + A0 * e.g;
    }
        return true;
    case 3: {
        // 2A => P: A = A0/(1 + 2 k1 A0 t); P gains half of what A loses.
        const double u = 2 * k1 * A0 * t;
        c[A] = A0 / (1 + u);
        c[P] = P0 + 0.5 * A0 * u / (1 + u);
        return true;
    }
    case 4:
        SecondOrderTwoReactants(t, c0, k, c);
        return true;
    case 5: case 16:
        Autocatalysis(t, c0, k, c);
        return true;
    case 6:
        ConsecutiveFirstOrder(t, c0, k, c);
        return true;
    case 8: {
        // A <=> P: the extent approaches (k1 A0 - k2 P0)/(k1 + k2).
        const double x = (k1 * A0 - k2 * P0) * Phi(k1 + k2, t);
        c[A] = A0 - x;
        c[P] = P0 + x;
        return true;
    }
    case 11: {
        // A => P and A => Q in parallel.
        const double s = k1 + k2;
        const ExpPaar e = Exp(s * t);
        const double phi = (s == 0) ? t : e.g / s;
        c[A] = A0 * e.e;
        c[P] = P0 + k1 * A0 * phi;
        c[Q] = Q0 + k2 * A0 * phi;
        return true;
    }
    case 12:
        ReversibleToTwoProducts(t, c0, k, c);
        return true;
    case 17:
        ReversibleToOneProduct(t, c0, k, c);
        return true;
    default:
        return false;
    }
}

} // namespace kinhom
