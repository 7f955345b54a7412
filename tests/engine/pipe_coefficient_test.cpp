// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_coefficient.h"
#include "expect_digits.h"

#include <gtest/gtest.h>

namespace termiva {
namespace {

// Every intermediate number of one evaluation.
HTChpTerms HTChpTermsOf(double Tm, double Tamb, double Dcar, double e, double WC) {
    HTChpTerms t{};
    HTChp(Tm, Tamb, Dcar, e, WC, &t);
    return t;
}

TEST(HTChp, WorkedValue) {
    const HTChpTerms t = HTChpTermsOf(60, 20, 100, 0.9, 1);
    EXPECT_EQ(t.Ts, 100);
    EXPECT_DIGITS(t.Gr, "6.5354e6");
    EXPECT_DIGITS(t.Prm, "0.69769");
    EXPECT_DIGITS(t.Prs, "0.69176");
    EXPECT_DIGITS(t.Nu, "23.154");
    EXPECT_DIGITS(t.hc, "7.4112");
    EXPECT_DIGITS(t.hr, "7.6968");
    EXPECT_DIGITS(t.h, "15.108");
    EXPECT_EQ(HTChp(60, 20, 100, 0.9, 1), t.h);
}

TEST(HTChp, WindCoefficientScalesConvectionOnly) {
    const HTChpTerms base = HTChpTermsOf(60, 20, 100, 0.9, 1);
    const HTChpTerms doubled = HTChpTermsOf(60, 20, 100, 0.9, 2);
    EXPECT_DOUBLE_EQ(doubled.hc, 2 * base.hc);
    EXPECT_EQ(doubled.hr, base.hr);

    const HTChpTerms still = HTChpTermsOf(60, 20, 100, 0.9, 0);
    EXPECT_EQ(still.hc, 0);
    EXPECT_EQ(still.h, base.hr);
}

TEST(HTChp, ZeroEmissivityLeavesConvectionOnly) {
    const HTChpTerms t = HTChpTermsOf(60, 20, 100, 0, 1);
    EXPECT_EQ(t.hr, 0);
    EXPECT_EQ(t.h, HTChpTermsOf(60, 20, 100, 0.9, 1).hc);
}

// RO is taken at the film temperature, CP, LAM and MI at the film and at the
// surface (Ts = 2 Tm - Tamb), so the surface reaches its limit first.
TEST(HTChp, AirDataLimits) {
    EXPECT_FALSE(HTChpTermsOf(310, 20, 100, 0.9, 1).outsideAirData);  // Ts 600
    EXPECT_TRUE(HTChpTermsOf(310.5, 20, 100, 0.9, 1).outsideAirData); // Ts 601
    // A cold ambient keeps the surface low while the film passes 550 °C.
    EXPECT_FALSE(HTChpTermsOf(550, 500, 100, 0.9, 1).outsideAirData); // Ts 600
    EXPECT_TRUE(HTChpTermsOf(550.25, 500.5, 100, 0.9, 1).outsideAirData);
}

} // namespace
} // namespace termiva
