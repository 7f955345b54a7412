// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/single_pipe.h"
#include "engine/thickness_limit.h"
#include "engine/vessel.h"
#include "expect_digits.h"
#include "test_data.h"

#include <gtest/gtest.h>
#include <random>

namespace termiva {
namespace {

ThicknessLimitInput PipeLimit(const SinglePipeInput& pipe) {
    ThicknessLimitInput in;
    in.object = LimitObject::Pipe;
    in.D2 = pipe.D2;
    in.T1 = pipe.T1;
    in.Tout = pipe.Tout;
    in.k = pipe.k;
    in.e = pipe.e;
    in.WC = pipe.WC;
    in.standard = DefaultStandardThicknesses();
    return in;
}

ThicknessLimitInput VesselLimit(const VesselInput& vessel) {
    ThicknessLimitInput in;
    in.object = static_cast<LimitObject>(vessel.shape);
    in.L = vessel.L;
    in.H = vessel.H;
    in.W = vessel.W;
    in.T1 = vessel.T1;
    in.Tout = vessel.Tout;
    in.k = vessel.k;
    in.e = vessel.e;
    in.WC = vessel.WC;
    in.standard = DefaultStandardThicknesses();
    return in;
}

// The single pipe calculation itself, one column per thickness.
SinglePipeResult PipeAt(SinglePipeInput pipe, double t0, double t1) {
    pipe.tins = {t0, t1, t0, t0, t0};
    return *SinglePipeHeatLoss(pipe);
}

VesselResult VesselAt(VesselInput vessel, double t0, double t1) {
    vessel.tins = {t0, t1, t0, t0};
    return *VesselHeatLoss(vessel);
}

// A small pipe whose loss rises under a thin layer (its critical radius lies
// outside the pipe) before it falls.
SinglePipeInput SmallPipe() {
    SinglePipeInput pipe = test_data::SinglePipe();
    pipe.D2 = 6;
    pipe.k = 0.2;
    return pipe;
}

TEST(ThicknessLimit, SinglePipeTestDataWithA50DegreeSurface) {
    const SinglePipeInput pipe = test_data::SinglePipe();
    ThicknessLimitInput in = PipeLimit(pipe);
    in.maxSurface = 50;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_EQ(*r->surfaceThickness, 12.4);
    EXPECT_FALSE(r->lossThickness);
    EXPECT_EQ(r->governing, Governing::Surface);

    // By the single pipe calculation: 12.3 mm is too thin, 12.4 mm is enough,
    // and the answer reads the same as its column.
    const SinglePipeResult check = PipeAt(pipe, 12.3, 12.4);
    EXPECT_GT(check.Tsurface[1], 50);
    EXPECT_LE(check.Tsurface[2], 50);
    EXPECT_EQ(r->answer.thickness, 12.4);
    EXPECT_EQ(r->answer.HeatLoss, check.HeatLoss[2]);
    EXPECT_EQ(r->answer.Tsurface, check.Tsurface[2]);
    EXPECT_DIGITS(r->answer.HeatLoss, "62.68");
    EXPECT_DIGITS(r->answer.Tsurface, "49.84");
    EXPECT_FALSE(r->answer.flags.any());

    // The next standard thickness is the screen's first test thickness.
    ASSERT_TRUE(r->standard);
    EXPECT_EQ(r->standard->thickness, 20);
    EXPECT_DIGITS(r->standard->HeatLoss, "49.552");
    EXPECT_DIGITS(r->standard->Tsurface, "40.30");
}

TEST(ThicknessLimit, BothLimitsAndTheGoverningOne) {
    const SinglePipeInput pipe = test_data::SinglePipe();
    ThicknessLimitInput in = PipeLimit(pipe);
    in.maxSurface = 50;
    in.maxLoss = 30;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_EQ(*r->surfaceThickness, 12.4);
    EXPECT_EQ(*r->lossThickness, 60.1);
    EXPECT_EQ(r->governing, Governing::Loss);
    const SinglePipeResult check = PipeAt(pipe, 60.0, 60.1);
    EXPECT_GT(check.HeatLoss[1], 30);
    EXPECT_LE(check.HeatLoss[2], 30);
    EXPECT_EQ(r->answer.HeatLoss, check.HeatLoss[2]);
    EXPECT_EQ(r->standard->thickness, 70);

    // A surface limit that needs exactly as much governs together with it.
    in.maxSurface = check.Tsurface[2];
    const auto both = InsulationThicknessForLimit(in);
    ASSERT_TRUE(both.has_value());
    EXPECT_EQ(both->governing, Governing::Both);
    EXPECT_EQ(both->answer.thickness, 60.1);
}

TEST(ThicknessLimit, SmallPipeWhoseLossFirstRises) {
    const SinglePipeInput pipe = SmallPipe();
    // The bare pipe loses 62.60 W/m, 3 mm lose 68.14 W/m.
    const SinglePipeResult rise = PipeAt(pipe, 0, 3);
    EXPECT_DIGITS(rise.HeatLoss[0], "62.60");
    EXPECT_DIGITS(rise.HeatLoss[2], "68.14");

    ThicknessLimitInput in = PipeLimit(pipe);
    in.maxLoss = 65;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    // The bare pipe meets 65 W/m, but a thin layer does not: the answer lies
    // above the hump, not at 0.
    const double t = *r->lossThickness;
    EXPECT_GT(t, 5);
    const SinglePipeResult check = PipeAt(pipe, t - 0.1, t);
    EXPECT_GT(check.HeatLoss[1], 65);
    EXPECT_LE(check.HeatLoss[2], 65);
    EXPECT_EQ(r->answer.HeatLoss, check.HeatLoss[2]);
    for (double above : {t + 0.1, t + 1, t + 10, 200.0, 1000.0})
        EXPECT_LE(PipeAt(pipe, above, above).HeatLoss[1], 65) << above;
}

TEST(ThicknessLimit, SurfaceTemperatureFallsAndLossNeedNot) {
    // Surface temperature falls with every millimetre, for the pipe and each
    // vessel; the small pipe's loss does not.
    std::vector<ThicknessLimitInput> objects = {PipeLimit(test_data::SinglePipe()),
                                                PipeLimit(SmallPipe())};
    for (int shape = 1; shape <= 3; ++shape)
        objects.push_back(VesselLimit(test_data::Vessel(shape)));
    for (const ThicknessLimitInput& in : objects) {
        SCOPED_TRACE(static_cast<int>(in.object));
        double previous = in.T1 + 1;
        for (int mm = 0; mm <= 1000; mm += 1) {
            const auto p = ThicknessLimitPoint(in, mm);
            ASSERT_TRUE(p.has_value());
            ASSERT_LT(p->Tsurface, previous) << mm;
            previous = p->Tsurface;
        }
    }
    const ThicknessLimitInput small = PipeLimit(SmallPipe());
    EXPECT_GT(ThicknessLimitPoint(small, 2)->HeatLoss, ThicknessLimitPoint(small, 0)->HeatLoss);
}

TEST(ThicknessLimit, EachVesselShapeWithALossLimit) {
    const double expected[] = {60.5, 22.6, 33.5};
    for (int shape = 1; shape <= 3; ++shape) {
        SCOPED_TRACE(shape);
        const VesselInput vessel = test_data::Vessel(shape);
        ThicknessLimitInput in = VesselLimit(vessel);
        in.maxLoss = 1000;
        const auto r = InsulationThicknessForLimit(in);
        ASSERT_TRUE(r.has_value()) << r.error().message;
        const double t = *r->lossThickness;
        EXPECT_EQ(t, expected[shape - 1]);
        const VesselResult check = VesselAt(vessel, t - 0.1, t);
        EXPECT_GT(check.HeatLoss[1], 1000);
        EXPECT_LE(check.HeatLoss[2], 1000);
        EXPECT_EQ(r->answer.HeatLoss, check.HeatLoss[2]);
        EXPECT_EQ(r->answer.Tsurface, check.Tsurface[2]);
        ASSERT_TRUE(r->standard);
        const VesselResult standard = VesselAt(vessel, r->standard->thickness, 1);
        EXPECT_EQ(r->standard->HeatLoss, standard.HeatLoss[1]);
    }
}

TEST(ThicknessLimit, BareSurfaceAlreadyMeetsTheLimits) {
    const SinglePipeInput pipe = test_data::SinglePipe();
    ThicknessLimitInput in = PipeLimit(pipe);
    in.maxSurface = 150;
    in.maxLoss = 300;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_EQ(*r->surfaceThickness, 0);
    EXPECT_EQ(*r->lossThickness, 0);
    EXPECT_EQ(r->answer.thickness, 0);
    // Exactly the bare column of the single pipe screen.
    const SinglePipeResult check = PipeAt(pipe, 20, 20);
    EXPECT_EQ(r->answer.HeatLoss, check.HeatLoss[0]);
    EXPECT_EQ(r->answer.Tsurface, 143);

    ThicknessLimitInput vessel = VesselLimit(test_data::Vessel(2));
    vessel.maxSurface = 150;
    const auto v = InsulationThicknessForLimit(vessel);
    ASSERT_TRUE(v.has_value()) << v.error().message;
    EXPECT_EQ(v->answer.thickness, 0);
    EXPECT_EQ(v->answer.HeatLoss, VesselAt(test_data::Vessel(2), 20, 20).HeatLoss[0]);
}

TEST(ThicknessLimit, Errors) {
    ThicknessLimitInput in = PipeLimit(test_data::SinglePipe());
    auto r = InsulationThicknessForLimit(in);
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error().message,
              "Give a maximum surface temperature, a maximum heat loss or both.");

    // Even 1000 mm keep the surface above 20.1 oC.
    in.maxSurface = 20.1;
    in.maxLoss = 30;
    r = InsulationThicknessForLimit(in);
    ASSERT_FALSE(r.has_value());
    ASSERT_TRUE(r.error().unmet);
    EXPECT_EQ(r.error().unmet->atMaximum.thickness, 1000);
    const SinglePipeResult at1000 = PipeAt(test_data::SinglePipe(), 1000, 1000);
    EXPECT_EQ(r.error().unmet->atMaximum.Tsurface, at1000.Tsurface[1]);
    EXPECT_DIGITS(at1000.Tsurface[1], "20.3");
    EXPECT_DIGITS(at1000.HeatLoss[1], "12.48");
    EXPECT_EQ(r.error().message, "No insulation thickness up to 1000 mm keeps the surface "
                                 "temperature at or below 20.1 oC: at 1000 mm it is 20.3 oC.");
    EXPECT_EQ(UnmetLimitMessage(*r.error().unmet, LimitObject::Pipe, ','),
              "No insulation thickness up to 1000 mm keeps the surface temperature at or "
              "below 20,1 oC: at 1000 mm it is 20,3 oC.");

    in.maxSurface.reset();
    in.maxLoss = 10;
    r = InsulationThicknessForLimit(in);
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error().message, "No insulation thickness up to 1000 mm keeps the heat loss at "
                                 "or below 10.00 W/m: at 1000 mm it is 12.48 W/m.");

    // The input errors of the calculation behind it.
    in.T1 = 10;
    r = InsulationThicknessForLimit(in);
    ASSERT_FALSE(r.has_value());
    EXPECT_FALSE(r.error().unmet);
    EXPECT_EQ(r.error().message, "Fluid temperature must be higher than ambient temperature.");
    ThicknessLimitInput vessel = VesselLimit(test_data::Vessel(1));
    vessel.maxLoss = 1000;
    vessel.H = 0;
    EXPECT_EQ(InsulationThicknessForLimit(vessel).error().message,
              "Vessel height must be greater than 0.");
}

// The points carry the marks of the single pipe and vessel results.
TEST(ThicknessLimit, PointsAreMarkedAsTheCalculationsMarkThem) {
    SinglePipeInput pipe = test_data::SinglePipe();
    pipe.T1 = 700;
    const SinglePipeResult check = PipeAt(pipe, 0, 3);
    ASSERT_TRUE(check.flags[0].outsideAirData);
    const ThicknessLimitInput in = PipeLimit(pipe);
    EXPECT_TRUE(ThicknessLimitPoint(in, 0)->flags.outsideAirData);
    EXPECT_EQ(ThicknessLimitPoint(in, 3)->flags.outsideAirData, check.flags[2].outsideAirData);

    VesselInput vessel = test_data::Vessel(3);
    vessel.k = 0.001; // a loss below 10 W: the balance test is coarse for it
    const VesselResult v = VesselAt(vessel, 200, 200);
    const auto p = ThicknessLimitPoint(VesselLimit(vessel), 200);
    EXPECT_EQ(p->flags.approximate, v.flags[1].approximate);
    EXPECT_TRUE(p->flags.approximate);
}

TEST(ThicknessLimit, StandardThicknessAtOrAboveTheAnswer) {
    ThicknessLimitInput in = PipeLimit(test_data::SinglePipe());
    in.maxSurface = 50;
    in.standard = {30, 12.4, 15};
    auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->standard->thickness, 12.4);
    EXPECT_EQ(r->standard->HeatLoss, r->answer.HeatLoss);
    in.standard = {5, 10};
    r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value());
    EXPECT_FALSE(r->standard);
    EXPECT_TRUE(r->standardError.empty());
    // A standard thickness that cannot be computed leaves the answer standing.
    in.standard = {5, 1e100};
    r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_FALSE(r->standard);
    EXPECT_FALSE(r->standardError.empty());
}

// A 0.5 m vertical cylinder's loss falls to a minimum and rises again: 90 W
// is met in a range of thicknesses only, and the answer is its lower end.
TEST(ThicknessLimit, VesselLossThatFallsAndRisesAgain) {
    VesselInput vessel = test_data::Vessel(3);
    vessel.H = 0.5;
    vessel.W = 0.5;
    ThicknessLimitInput in = VesselLimit(vessel);
    in.maxLoss = 90;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    const double t = r->answer.thickness;
    const double top = r->metUpTo;
    ASSERT_LT(top, kMaxLimitThickness);
    EXPECT_GT(VesselAt(vessel, t - 0.1, t).HeatLoss[1], 90);
    EXPECT_LE(VesselAt(vessel, t - 0.1, t).HeatLoss[2], 90);
    EXPECT_LE(VesselAt(vessel, top, top + 0.1).HeatLoss[1], 90);
    EXPECT_GT(VesselAt(vessel, top, top + 0.1).HeatLoss[2], 90);
    EXPECT_LE(VesselAt(vessel, 200, 200).HeatLoss[1], 90);
    // No standard thickness past the range is offered.
    in.standard = {top + 1};
    EXPECT_FALSE(InsulationThicknessForLimit(in)->standard);
}

// D2 1 mm, k 0.04: the bare pipe meets 14.2 W/m, 0.1 to 0.8 mm do not.
TEST(ThicknessLimit, RiseBetweenWholeMillimetres) {
    SinglePipeInput pipe = test_data::SinglePipe();
    pipe.D2 = 1;
    pipe.k = 0.04;
    ThicknessLimitInput in = PipeLimit(pipe);
    in.maxLoss = 14.2;
    const auto r = InsulationThicknessForLimit(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_EQ(r->answer.thickness, 0.9);
    EXPECT_EQ(r->metUpTo, kMaxLimitThickness);
}

// The single pipe or vessel calculation at the thicknesses `ts`, as many at a
// time as it takes.
std::vector<ThicknessPoint> Points(bool pipe, SinglePipeInput p, VesselInput v,
                                   const std::vector<double>& ts) {
    std::vector<ThicknessPoint> points;
    const std::size_t batch = pipe ? p.tins.size() : v.tins.size();
    for (std::size_t from = 0; from < ts.size(); from += batch) {
        const auto t = [&](std::size_t j) { return ts[std::min(from + j, ts.size() - 1)]; };
        std::array<double, 5> loss{}, surface{};
        loss.fill(NAN);
        surface.fill(NAN);
        for (std::size_t j = 0; j < batch; ++j)
            (pipe ? p.tins[j] : v.tins[j]) = t(j);
        if (pipe) {
            if (const auto c = SinglePipeHeatLoss(p)) {
                std::copy(c->HeatLoss.begin() + 1, c->HeatLoss.end(), loss.begin());
                std::copy(c->Tsurface.begin() + 1, c->Tsurface.end(), surface.begin());
            }
        } else if (const auto c = VesselHeatLoss(v)) {
            std::copy(c->HeatLoss.begin() + 1, c->HeatLoss.end(), loss.begin());
            std::copy(c->Tsurface.begin() + 1, c->Tsurface.end(), surface.begin());
        }
        for (std::size_t j = 0; j < batch && from + j < ts.size(); ++j)
            points.push_back({t(j), loss[j], surface[j], {}});
    }
    return points;
}

ThicknessPoint Point(bool pipe, const SinglePipeInput& p, const VesselInput& v, double t) {
    return Points(pipe, p, v, {t}).front();
}

// Random pipes and vessels, seeded: the answer and the end of its range
// checked against the single pipe and vessel calculations at the grid around
// them, every tenth of the first 5 mm and random tenths of the range.
TEST(ThicknessLimit, RandomCasesAgreeWithTheCalculationsOnTheGrid) {
    std::mt19937 random(19);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto tenth = [&](double low, double high) {
        const int from = static_cast<int>(std::lround(low * 10));
        const int to = static_cast<int>(std::lround(high * 10));
        return std::uniform_int_distribution<int>(from, to)(random) / 10.0;
    };
    for (int i = 0; i < 200; ++i) {
        const bool pipe = i % 2 == 0;
        ThicknessLimitInput in;
        SinglePipeInput p = test_data::SinglePipe();
        VesselInput v = test_data::Vessel(1 + i / 2 % 3);
        p.D2 = uniform(0.5, 60);
        p.k = v.k = uniform(0.02, 0.3);
        p.T1 = v.T1 = uniform(60, 400);
        p.Tout = v.Tout = uniform(-10, 30);
        p.e = v.e = uniform(0.1, 1);
        v.L = uniform(0.2, 3);
        v.H = uniform(0.2, 3);
        v.W = uniform(0.2, 3);
        in = pipe ? PipeLimit(p) : VesselLimit(v);
        const ThicknessPoint thick = Point(pipe, p, v, uniform(20, 300));
        if (i % 3 != 1)
            in.maxLoss = uniform(0.9, 1.05) * thick.HeatLoss;
        if (i % 3 != 0)
            in.maxSurface = thick.Tsurface + uniform(-2, 5);
        // The thicknesses of `ts` where the calculation does not meet the limits.
        const auto failing = [&](const std::vector<double>& ts) {
            std::vector<double> failed;
            for (const ThicknessPoint& x : Points(pipe, p, v, ts)) {
                if (!((!in.maxLoss || x.HeatLoss <= *in.maxLoss) &&
                      (!in.maxSurface || x.Tsurface <= *in.maxSurface)))
                    failed.push_back(x.thickness);
            }
            return failed;
        };
        const auto r = InsulationThicknessForLimit(in);
        if (!r) {
            // Then no tenth may meet the limits.
            const std::vector<double> ts = {0.0, 0.1, 1.0, tenth(0, 1000), 1000.0};
            EXPECT_EQ(failing(ts), ts) << i << ": " << r.error().message;
            continue;
        }
        const double t = r->answer.thickness;
        const double top = r->metUpTo;
        SCOPED_TRACE(testing::Message() << "case " << i << ": " << t << " to " << top << " mm");
        EXPECT_EQ(r->answer.HeatLoss, Point(pipe, p, v, t).HeatLoss);
        std::vector<double> inside = {t, top};
        for (int tenths = 1; tenths < 30; ++tenths) {
            if (tenths / 10.0 >= t && tenths / 10.0 <= top)
                inside.push_back(tenths / 10.0);
        }
        for (int j = 0; j < 10; ++j)
            inside.push_back(tenth(t, top));
        EXPECT_EQ(failing(inside), std::vector<double>{});
        std::vector<double> outside;
        if (t > 0)
            outside.push_back(t - 0.1);
        if (top < kMaxLimitThickness)
            outside.push_back(top + 0.1);
        EXPECT_EQ(failing(outside), outside);
    }
}

} // namespace
} // namespace termiva
