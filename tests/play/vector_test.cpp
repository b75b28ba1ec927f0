#include "play/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 2 * std::asin(1.0);

TEST(CVector, PolarFormFollowsTheComponents)
{
    CVector zero(0, 0);
    EXPECT_EQ(zero.dV(), 0);
    EXPECT_DOUBLE_EQ(zero.dT(), std::floor(kPi * 1e10) / 1e10) << "the zero vector points left";
    CVector up(0, -2);
    EXPECT_EQ(up.dT(), 4.7123889803) << "straight up is 3 pi / 2, not - pi / 2";
    EXPECT_EQ(up.dV(), 2);
    EXPECT_EQ(CVector(3, 4).dV(), 5);
    EXPECT_EQ(CVector(3, 4).dT(), 0.927295218);
    EXPECT_NEAR(CVector(-1, -1).dT(), -3 * kPi / 4, 1e-9) << "atan2 range, not 5 pi / 4";
}

TEST(CVector, EveryValueIsCutTowardsMinusInfinity)
{
    double v = 1.99999999999;
    CVector::Round2(v);
    EXPECT_EQ(v, 1.9999999999);
    double n = -0.12345678901;
    CVector::Round2(n);
    EXPECT_EQ(n, -0.1234567891);

    CVector tiny(-1e-12, 1);
    EXPECT_EQ(tiny.dVx(), -0.0000000001) << "a tiny negative component is cut a whole step down";

    // A set angle is cut before the components are computed from it.
    CVector a(2, 0);
    a.dT(-kPi);
    EXPECT_EQ(a.dT(), -3.1415926536);
    EXPECT_EQ(a.dVx(), -2);
    a.dT(kPi);
    EXPECT_EQ(a.dT(), 3.1415926535);
    EXPECT_EQ(a.dVy(), 0.0000000001);
}

TEST(CVector, ReflectionsForceOrReverseOneComponent)
{
    CVector v(-3, 4);
    v.RevX(-1);
    EXPECT_EQ(v.dVx(), -3);
    v.RevX(1);
    EXPECT_EQ(v.dVx(), 3);
    v.RevY(-1);
    EXPECT_EQ(v.dVy(), -4);
    v.RevY(7);
    EXPECT_EQ(v.dVy(), -4) << "unknown modes leave the component alone";
    EXPECT_EQ(v.dVx(), 3);
    EXPECT_EQ(v.dVy(), -4);
    EXPECT_EQ(v.dV(), 5);
}

TEST(CVector, AnglesSetByTheCallerAreNotWrapped)
{
    CVector v(5, -5);
    const double start = v.dT();
    for (int i = 0; i < 100; ++i) v.aT(0.1);
    EXPECT_NEAR(v.dT(), start + 10, 1e-6);
    EXPECT_NEAR(v.dV(), std::sqrt(50.0), 1e-6);
}

TEST(CVector, SpeedAndSumsKeepBothForms)
{
    CVector v(3, 4);
    v.aV(5);
    EXPECT_NEAR(v.dVx(), 6, 1e-9);
    EXPECT_NEAR(v.dVy(), 8, 1e-9);
    v += CVector(-6, 0);
    EXPECT_NEAR(v.dVx(), 0, 1e-9);
    EXPECT_NEAR(v.dT(), kPi / 2, 1e-9);
    CVector polar(2, 180, 0);
    EXPECT_NEAR(polar.dVx(), 0, 1e-9) << "the polar angle is in half degrees";
    EXPECT_NEAR(polar.dVy(), 2, 1e-9);
}

}  // namespace
