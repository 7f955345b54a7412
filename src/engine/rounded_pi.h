// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace termiva {

// The calculation rules take pi as 3.14 in every perimeter, area and loss
// per metre; the results are checked against values worked with it.
inline constexpr double kPi = 3.14;

} // namespace termiva
