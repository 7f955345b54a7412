// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The value caches that charts carry beside their range formulas (private to
// the workbook layer). Some readers draw a chart from these caches instead of
// the cells, so they are rebuilt whenever the cells change.

#include "files/workbook.h"

#include <optional>
#include <vector>

namespace termiva::files::detail {

class Package;

// Rebuilds every c:numCache and c:strCache, in every chart part of the
// package, whose formula draws only from the `edited` worksheets, from their
// current cells, and stages the changed chart parts.
std::optional<WorkbookError> RewriteChartCaches(Package& package,
                                                const std::vector<Worksheet*>& edited);

} // namespace termiva::files::detail
