// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_sizes.h"

namespace termiva {

const std::array<PipeSizeEntry, 14> kSinglePipeSizes = {{
    {"Custom", std::nullopt, std::nullopt},
    {"ND 20 (¾)", 20, 26.9},
    {"ND 25 (1)", 25, 33.7},
    {"ND 32 (1¼)", 32, 42.4},
    {"ND 40 (1½)", 40, 48.3},
    {"ND 50 (2)", 50, 60.3},
    {"ND 65 (2½)", 65, 76.1},
    {"ND 80 (3)", 80, 88.9},
    {"ND 100 (4)", 100, 114.3},
    {"ND 125 (5)", 125, 141.3},
    {"ND 150 (6)", 150, 168.3},
    {"ND 200 (8)", 200, 219.1},
    {"ND 250 (10)", 250, 273},
    {"ND 310 (12)", 310, 324},
}};

} // namespace termiva
