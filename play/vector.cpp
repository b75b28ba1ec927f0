#include "play/vector.h"

#include <cmath>

namespace {

constexpr double kScale = 10000000000.0;

}  // namespace

CVector::CVector(double x, double y) : Vx(x), Vy(y) { ToPolar(); }

// The angle is given in units of half a degree, as the game's old polar form had it.
CVector::CVector(double speed, double angle, int) : V(speed)
{
    T = angle * std::asin(1.0) / 180.0;
    Round();
    Vx = std::cos(T) * V;
    Vy = std::sin(T) * V;
    Round();
}

void CVector::Round2(double& value) { value = std::floor(value * kScale) / kScale; }

void CVector::Round()
{
    Round2(Vx);
    Round2(Vy);
    Round2(T);
    Round2(V);
}

void CVector::ToPolar()
{
    Round();
    V = std::sqrt(Vx * Vx + Vy * Vy);
    const double halfPi = std::asin(1.0);
    if (Vy == 0)
        T = Vx > 0 ? 0 : 2 * halfPi;
    else if (Vx == 0)
        T = Vy > 0 ? halfPi : 3 * halfPi;
    else
        T = std::atan2(Vy, Vx);
    Round();
}

void CVector::ToRect()
{
    Round();
    Vx = std::cos(T) * V;
    Vy = std::sin(T) * V;
    Round();
}

void CVector::dVx(double x) { Vx = x; ToPolar(); }
void CVector::dVy(double y) { Vy = y; ToPolar(); }
void CVector::dT(double t) { T = t; ToRect(); }
void CVector::dV(double v) { V = v; ToRect(); }

void CVector::aVx(double d) { dVx(Vx + d); }
void CVector::aVy(double d) { dVy(Vy + d); }
void CVector::aT(double d) { dT(T + d); }
void CVector::aV(double d) { dV(V + d); }

// -1 forces the component negative, 0 reverses it, 1 forces it positive.
double CVector::Forced(double component, int mode)
{
    switch (mode) {
    case -1: return -std::fabs(component);
    case 0: return -component;
    case 1: return std::fabs(component);
    default: return component;
    }
}

void CVector::RevX(int mode) { dVx(Forced(Vx, mode)); }
void CVector::RevY(int mode) { dVy(Forced(Vy, mode)); }

CVector& CVector::operator+=(const CVector& other)
{
    aVx(other.Vx);
    aVy(other.Vy);
    return *this;
}
