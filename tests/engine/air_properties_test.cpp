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

TEST(AirProperties, ConductivityUsesTheLinearCoefficientOneUlpAboveTheDecimal) {
    // At 1000 °C the linear term alone tells the two neighbouring coefficients
    // apart in the result.
    const double T = 1000;
    const auto lamWith = [T](double linear) {
        return -2.6142e-14 * std::pow(T, 4) + 2.85943e-12 * std::pow(T, 3) +
               -1.94021e-08 * std::pow(T, 2) + linear * std::pow(T, 1) + 0.0243714;
    };
    ASSERT_NE(lamWith(7.83035e-05), lamWith(7.830350000000001e-05));
    EXPECT_EQ(LAM(T), lamWith(7.830350000000001e-05));
}

TEST(AirProperties, NoRangeCheck) {
    // Far outside ordinary use the polynomials are still evaluated; the density
    // turns negative somewhere below 700 °C.
    EXPECT_LT(RO(700), 0);
    EXPECT_TRUE(std::isfinite(MI(1e5)));
}

} // namespace
} // namespace termiva
