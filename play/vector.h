#pragma once
// A velocity kept in rectangular (Vx, Vy) and polar (T, V) form at once. Every stored
// value is cut to ten decimals, towards minus infinity, before and after each conversion.

class CVector {
public:
    CVector(double x, double y);
    CVector(double speed, double angle, int polar);

    double dVx() const { return Vx; }
    double dVy() const { return Vy; }
    double dT() const { return T; }
    double dV() const { return V; }

    void dVx(double x);
    void dVy(double y);
    void dT(double t);
    void dV(double v);

    void aVx(double d);
    void aVy(double d);
    void aT(double d);
    void aV(double d);

    void RevX(int mode);
    void RevY(int mode);

    CVector& operator+=(const CVector& other);
    bool operator==(const CVector&) const = default;

    void ToPolar();
    void ToRect();
    void Round();
    static void Round2(double& value);

private:
    static double Forced(double component, int mode);

    double Vx = 0;
    double Vy = 0;
    double T = 0;
    double V = 0;
};
