// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/air_properties.h"
#include "expect_digits.h"

#include <cmath>
#include <gtest/gtest.h>

namespace termiva {
namespace {

TEST(AirProperties, ConstantTermsAtZero) {
    EXPECT_EQ(RO(0), 1.29381);
    EXPECT_EQ(CP(0), 1.00692);
    EXPECT_EQ(LAM(0), 0.0243714);
    EXPECT_EQ(MI(0), 1.71531e-05);
}

TEST(AirProperties, ReferenceTemperatures) {
    struct Row {
        double T;
        const char* ro;
        const char* cp;
        const char* lam;
        const char* mi;
    };
    const Row rows[] = {
        {20, "1.204706", "1.005984", "0.02592973", "1.815485e-05"},
        {100, "0.9458911", "1.008993", "0.03200797", "2.194438e-05"},
        {200, "0.7466277", "1.024401", "0.03923706", "2.596342e-05"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.T);
        EXPECT_DIGITS(RO(r.T), r.ro);
        EXPECT_DIGITS(CP(r.T), r.cp);
        EXPECT_DIGITS(LAM(r.T), r.lam);
        EXPECT_DIGITS(MI(r.T), r.mi);
    }
}

TEST(AirProperties, NegativeTemperatureIsEvaluatedLikeAnyOther) {
    // Cold air is denser, conducts less and is less viscous than at 0 °C.
    EXPECT_GT(RO(-10), RO(0));
    EXPECT_LT(LAM(-10), LAM(0));
    EXPECT_LT(MI(-10), MI(0));
    EXPECT_TRUE(std::isfinite(CP(-10)));
}

// At whole temperatures every power is an exact double, so each term is the
// coefficient of the tables rounded once and the sums below follow from the
// tables alone (worked out apart from this code). At 1000 °C LAM tells its
// linear coefficient from the one a unit in the last place lower, which would
// give 0.059990230000000005.
TEST(AirProperties, ExactValuesFromTheCoefficientTables) {
    EXPECT_EQ(RO(100), 0.945891147);
    EXPECT_EQ(CP(100), 1.008993085);
    EXPECT_EQ(LAM(100), 0.03200797423);
    EXPECT_EQ(MI(100), 2.1944378e-05);
    EXPECT_EQ(RO(1000), -8.955779999999992);
    EXPECT_EQ(CP(1000), 0.9173032000000001);
    EXPECT_EQ(LAM(1000), 0.05999023000000002);
    EXPECT_EQ(MI(1000), -0.00017567646999999995);
}

TEST(AirProperties, NoRangeCheck) {
    // Far outside ordinary use the polynomials are still evaluated; the density
    // turns negative somewhere below 700 °C.
    EXPECT_LT(RO(700), 0);
    EXPECT_TRUE(std::isfinite(MI(1e5)));
}

} // namespace
} // namespace termiva
