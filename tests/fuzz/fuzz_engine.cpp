// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's calculations on any finite inputs: every result is finite,
// or the calculation says why there is none; the iterations stay bounded.

#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"
#include "fuzz_support.h"

#include <cmath>

using namespace termiva;
using namespace termiva::fuzz;

namespace {

double Finite(Input& input) {
    const double value = input.Double();
    return std::isfinite(value) ? value : 0;
}

template <class Values> void CheckFinite(const Values& values, const char* what) {
    for (const double value : values)
        Check(std::isfinite(value), what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    switch (input.Byte() % 4) {
    case 0: {
        SinglePipeInput in;
        in.D2 = Finite(input), in.T1 = Finite(input), in.Tout = Finite(input);
        in.e = Finite(input), in.WC = Finite(input), in.k = Finite(input);
        for (double& t : in.tins)
            t = Finite(input);
        const auto result = SinglePipeHeatLoss(in);
        if (!result)
            break;
        CheckFinite(result->HeatLoss, "single pipe: a loss that is not finite");
        CheckFinite(result->Tsurface, "single pipe: a surface temperature that is not finite");
        for (const int passes : result->passes)
            Check(passes >= 0 && passes <= 100, "single pipe: passes out of bounds");
        break;
    }
    case 1: {
        VesselInput in;
        in.shape = 1 + input.Byte() % 3;
        in.L = Finite(input), in.H = Finite(input), in.W = Finite(input);
        in.T1 = Finite(input), in.Tout = Finite(input), in.k = Finite(input);
        in.e = Finite(input), in.WC = Finite(input);
        for (double& t : in.tins)
            t = Finite(input);
        const auto result = VesselHeatLoss(in);
        if (!result)
            break;
        CheckFinite(result->HeatLoss, "vessel: a loss that is not finite");
        CheckFinite(result->Tsurface, "vessel: a surface temperature that is not finite");
        break;
    }
    case 2: {
        PipeGroupInput in;
        in.Tout = Finite(input), in.T1 = Finite(input), in.delta = Finite(input);
        in.k = Finite(input), in.e = Finite(input), in.WC = Finite(input);
        for (auto& row : in.rows) {
            row.used = input.Byte() % 2;
            row.L = Finite(input), row.valves = Finite(input), row.flanges = Finite(input);
        }
        const auto result = PipeGroupHeatLoss(in);
        if (!result)
            break;
        Check(std::isfinite(result->QbareTotal) && std::isfinite(result->QinsTotal),
              "pipe group: a total that is not finite");
        for (const auto& row : result->rows) {
            Check(std::isfinite(row.Qbare) && std::isfinite(row.Qins),
                  "pipe group: a row loss that is not finite");
            Check(row.passes >= 0 && row.passes <= 1000, "pipe group: passes out of bounds");
        }
        break;
    }
    default: {
        DiameterTableInput in;
        in.T1 = Finite(input), in.Tout = Finite(input), in.k = Finite(input);
        in.e = Finite(input), in.WC = Finite(input);
        for (double& t : in.tins)
            t = Finite(input);
        const auto result = ComputeDiameterTable(in);
        if (!result)
            break;
        for (const auto& row : result->rows)
            CheckFinite(row, "diameter table: a value that is not finite");
        break;
    }
    }
    return 0;
}
