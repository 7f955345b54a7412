// SPDX-License-Identifier: GPL-3.0-or-later
// Extreme inputs never let a NaN or an infinity out of the engine: each
// calculation returns finite results or an error, and each case says which,
// so that an engine refusing everything fails as surely as one returning NaN.

#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace termiva {
namespace {

// F: finite results; N: "The calculation did not converge."; A: the message
// naming the range of the air data.
enum Outcome { F, N, A };

struct Expected {
    Outcome singlePipe;
    Outcome table;
    Outcome group;
    Outcome vessel[3]; // shapes 1, 2, 3
};

struct Extreme {
    const char* name;
    double T1;
    double Tout;
    double size; // diameter in mm for pipes, dimensions in m for vessels
    double tins; // mm
    double k;
    double e;
    double WC;
    Expected expected;
};

// A huge spread has its film temperature at 0 °C: the flat and vertical
// vessel surfaces evaluate no property beyond the data before the arithmetic
// overflows, the cylinder's shell does (at its surface).
const Extreme kExtremes[] = {
    {"huge T1", 1e300, 20, 50, 50, 0.05, 0.9, 1, {A, A, A, {A, A, A}}},
    {"huge spread", 1e300, -1e300, 50, 50, 0.05, 0.9, 1, {A, A, A, {N, A, N}}},
    {"hot beyond the air properties", 5000, 20, 50, 50, 0.05, 0.9, 1, {A, A, A, {A, A, A}}},
    {"tiny difference", 20 + 1e-12, 20, 50, 50, 0.05, 0.9, 1, {F, F, F, {F, F, F}}},
    {"huge ambient", 2e15, 1e15, 50, 50, 0.05, 0.9, 1, {A, A, A, {A, A, A}}},
    {"huge size", 150, 20, 1e300, 50, 0.05, 0.9, 1, {N, F, F, {N, N, N}}},
    {"tiny size", 150, 20, 1e-300, 50, 0.05, 0.9, 1, {F, F, F, {N, F, F}}},
    {"huge thickness", 150, 20, 50, 1e300, 0.05, 0.9, 1, {N, N, N, {N, N, N}}},
    {"tiny thickness", 150, 20, 50, 1e-300, 0.05, 0.9, 1, {F, F, F, {F, F, F}}},
    {"huge k", 150, 20, 50, 50, 1e300, 0.9, 1, {F, F, F, {F, F, F}}},
    {"tiny k", 150, 20, 50, 50, 1e-300, 0.9, 1, {F, F, F, {F, F, F}}},
    {"huge e", 150, 20, 50, 50, 0.05, 1e300, 1, {N, N, N, {F, F, F}}},
    {"huge WC", 150, 20, 50, 50, 0.05, 0.9, 1e300, {N, N, N, {F, F, F}}},
    {"tiny e, no wind", 150, 20, 50, 50, 0.05, 1e-300, 0, {F, F, F, {F, F, F}}},
};

template <class Array> bool AllFinite(const Array& values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

template <class Result> void ExpectOutcome(const Result& r, Outcome expected) {
    if (expected == F) {
        EXPECT_TRUE(r.has_value()) << r.error().message;
        return;
    }
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error().message,
              expected == A ? kBeyondAirDataMessage : "The calculation did not converge.");
}

TEST(HostileInputs, SinglePipe) {
    for (const Extreme& x : kExtremes) {
        SCOPED_TRACE(x.name);
        SinglePipeInput in{{x.T1, x.Tout, x.k, x.e, x.WC}, x.size, {x.tins, 0, 1, 1e3, 1e6}};
        const auto r = SinglePipeHeatLoss(in);
        ExpectOutcome(r, x.expected.singlePipe);
        if (r.has_value()) {
            EXPECT_TRUE(AllFinite(r->HeatLoss));
            EXPECT_TRUE(AllFinite(r->Tsurface));
        }
    }
}

TEST(HostileInputs, DiameterTable) {
    for (const Extreme& x : kExtremes) {
        SCOPED_TRACE(x.name);
        const auto r =
            ComputeDiameterTable({x.T1, x.Tout, x.k, x.e, x.WC, {x.tins, 0, 1, 1e3, 1e6}});
        ExpectOutcome(r, x.expected.table);
        if (r.has_value()) {
            for (const auto& row : r->rows)
                EXPECT_TRUE(AllFinite(row));
        }
    }
}

TEST(HostileInputs, PipeGroup) {
    for (const Extreme& x : kExtremes) {
        SCOPED_TRACE(x.name);
        PipeGroupInput in;
        in.T1 = x.T1;
        in.Tout = x.Tout;
        in.delta = x.tins;
        in.k = x.k;
        in.e = x.e;
        in.WC = x.WC;
        for (std::size_t row : {0u, 6u, 12u}) {
            in.rows[row].used = true;
            in.rows[row].L = x.size;
            in.rows[row].valves = 3;
            in.rows[row].flanges = 2;
        }
        const auto r = PipeGroupHeatLoss(in);
        ExpectOutcome(r, x.expected.group);
        if (r.has_value()) {
            for (const PipeRowResult& row : r->rows) {
                EXPECT_TRUE(std::isfinite(row.Qbare));
                EXPECT_TRUE(std::isfinite(row.Qins));
            }
            EXPECT_TRUE(std::isfinite(r->QbareTotal));
            EXPECT_TRUE(std::isfinite(r->QinsTotal));
        }
    }
}

TEST(HostileInputs, Vessel) {
    for (int shape : {1, 2, 3}) {
        for (const Extreme& x : kExtremes) {
            SCOPED_TRACE(std::string(x.name) + ", shape " + std::to_string(shape));
            VesselInput in;
            in.shape = shape;
            in.L = x.size;
            in.H = x.size;
            in.W = x.size / 3;
            in.T1 = x.T1;
            in.Tout = x.Tout;
            in.k = x.k;
            in.e = x.e;
            in.WC = x.WC;
            in.tins = {x.tins, 1, 1e3, 1e6};
            const auto r = VesselHeatLoss(in);
            ExpectOutcome(r, x.expected.vessel[shape - 1]);
            if (r.has_value()) {
                EXPECT_TRUE(AllFinite(r->HeatLoss));
                EXPECT_TRUE(AllFinite(r->Tsurface));
            }
        }
    }
}

} // namespace
} // namespace termiva
