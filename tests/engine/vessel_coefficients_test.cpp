// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vessel_coefficients.h"
#include "expect_digits.h"

#include <functional>
#include <gtest/gtest.h>

namespace termiva {
namespace {

using Terms = std::function<VesselCoefficientTerms(double, double, double, double, double)>;
using Plain = double (*)(double, double, double, double, double, VesselCoefficientTerms*);

// Every intermediate number of one evaluation of `f`.
Terms TermsOf(Plain f) {
    return [f](double TT, double Lc, double Tamb, double e, double WC) {
        VesselCoefficientTerms t{};
        f(TT, Lc, Tamb, e, WC, &t);
        return t;
    };
}
const Terms kTop = TermsOf(HTChor_top);
const Terms kDown = TermsOf(HTChor_down);
const Terms kVer = TermsOf(HTCver);
const Terms kCylinder = TermsOf(HTChor_c);

struct Worked {
    const char* name;
    Terms detailed;
    Plain plain;
    double Lc;
    const char* Gr;
    const char* Ra;
    const char* Prs; // nullptr where the function does not form it
    const char* Nu;
    const char* hc;
    const char* h;
};

TEST(VesselCoefficients, WorkedValuesAt60Over20) {
    const Worked rows[] = {
        {"HTChor_top", kTop, HTChor_top, 0.25, "6.78734e7", "4.7567e7", nullptr, "54.3492",
         "5.97246", "12.2995"},
        {"HTChor_down", kDown, HTChor_down, 0.25, "6.78734e7", "4.7567e7", nullptr, "22.4228",
         "2.46405", "8.79112"},
        {"HTCver", kVer, HTCver, 1.8, "2.38128e10", "1.66885e10", nullptr, "295.859", "4.51557",
         "10.8426"},
        {"HTChor_c", kCylinder, HTChor_c, 0.8, "2.09056e9", "1.4651e9", "0.69769", "97.9317",
         "3.55003", "9.8771"},
    };
    for (const Worked& w : rows) {
        SCOPED_TRACE(w.name);
        const VesselCoefficientTerms t = w.detailed(60, w.Lc, 20, 0.9, 1);
        EXPECT_DIGITS(t.Pr, "0.700820");
        EXPECT_DIGITS(t.hr, "6.32707");
        EXPECT_DIGITS(t.Gr, w.Gr);
        EXPECT_DIGITS(t.Ra, w.Ra);
        if (w.Prs != nullptr) {
            EXPECT_DIGITS(t.Prs, w.Prs);
        }
        EXPECT_DIGITS(t.Nu, w.Nu);
        EXPECT_DIGITS(t.hc, w.hc);
        EXPECT_DIGITS(t.h, w.h);
        EXPECT_EQ(w.plain(60, w.Lc, 20, 0.9, 1, nullptr), t.h);
    }
}

TEST(VesselCoefficients, TopFirstRange) {
    const VesselCoefficientTerms t = kTop(20.05, 0.25, 20, 0.9, 1);
    EXPECT_DIGITS(t.Ra, "81050.8");
    EXPECT_DIGITS(t.Nu, "9.11136");
    EXPECT_DIGITS(t.hc, "0.945091");
    EXPECT_DIGITS(t.hr, "5.17081");
    EXPECT_DIGITS(t.h, "6.1159");
}

TEST(VesselCoefficients, TopSecondRangeDoesNotDependOnLength) {
    EXPECT_DOUBLE_EQ(kTop(60, 2.0, 20, 0.9, 1).hc, kTop(60, 0.25, 20, 0.9, 1).hc);
}

TEST(VesselCoefficients, FlatSurfacesOutsideTheirRangesRadiateOnly) {
    struct Row {
        const char* name;
        Terms f;
        double TT;
        double Lc;
    };
    // Ra at 60/20 is 4.7567e7 at Lc = 0.25 and grows with Lc³.
    const Row rows[] = {
        {"top, Ra about 3e3", kTop, 60, 0.01},     {"top, Ra about 3.8e11", kTop, 60, 5},
        {"down, Ra about 2.4e4", kDown, 60, 0.02}, {"down, Ra about 3.8e11", kDown, 60, 5},
        {"top, cold surface", kTop, 10, 0.25},     {"down, cold surface", kDown, 10, 0.25},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const VesselCoefficientTerms t = r.f(r.TT, r.Lc, 20, 0.9, 1);
        EXPECT_EQ(t.Nu, 0);
        EXPECT_EQ(t.h, t.hr);
        EXPECT_GT(t.hr, 0);
    }
}

TEST(VesselCoefficients, WindCoefficientAndEmissivity) {
    for (const Terms& f : {kTop, kDown, kVer, kCylinder}) {
        const VesselCoefficientTerms base = f(60, 0.8, 20, 0.9, 1);
        EXPECT_DOUBLE_EQ(f(60, 0.8, 20, 0.9, 2).hc, 2 * base.hc);
        EXPECT_EQ(f(60, 0.8, 20, 0.9, 2).hr, base.hr);
        EXPECT_EQ(f(60, 0.8, 20, 0.9, 0).h, base.hr);
        EXPECT_EQ(f(60, 0.8, 20, 0, 1).h, base.hc);
    }
}

TEST(VesselCoefficients, ExpansionCoefficientAtFilmOrSurface) {
    const VesselCoefficientTerms top = kTop(60, 0.8, 20, 0.9, 1);
    const VesselCoefficientTerms down = kDown(60, 0.8, 20, 0.9, 1);
    EXPECT_EQ(top.Gr, down.Gr);
    EXPECT_EQ(top.Ra, down.Ra);
    // β at the hotter surface is smaller than at the film temperature.
    EXPECT_LT(kVer(60, 0.8, 20, 0.9, 1).Gr, top.Gr);
    EXPECT_EQ(kVer(60, 0.8, 20, 0.9, 1).Gr, kCylinder(60, 0.8, 20, 0.9, 1).Gr);
}

// The flat and vertical surfaces take every property at the film temperature
// (RO's 550 °C binds); the horizontal cylinder also takes CP, LAM and MI at
// the surface.
TEST(VesselCoefficients, AirDataLimits) {
    for (const Terms& f : {kTop, kDown, kVer}) {
        EXPECT_FALSE(f(1080, 0.8, 20, 0.9, 1).outsideAirData); // film 550
        EXPECT_TRUE(f(1081, 0.8, 20, 0.9, 1).outsideAirData);
    }
    EXPECT_FALSE(kCylinder(600, 0.8, 20, 0.9, 1).outsideAirData);
    EXPECT_TRUE(kCylinder(601, 0.8, 20, 0.9, 1).outsideAirData);
}

} // namespace
} // namespace termiva
