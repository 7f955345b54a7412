// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The vessel shape and its encodings, converted here only: the shape number
// of VesselInput (1..3, also the number the files and termiva-calc show), the
// object of the thickness-for-a-limit calculation (0 the pipe, then the
// shapes), the vessel screen's list index (shape - 1) and the object list
// index of the limit and economics screens (the LimitObject value).

#include <algorithm>

namespace termiva {

enum class VesselShape {
    Rectangular = 1,
    HorizontalCylinder = 2,
    VerticalCylinder = 3,
};

enum class LimitObject {
    Pipe = 0, // a single horizontal pipe (D2)
    Rectangular = static_cast<int>(VesselShape::Rectangular),
    HorizontalCylinder = static_cast<int>(VesselShape::HorizontalCylinder),
    VerticalCylinder = static_cast<int>(VesselShape::VerticalCylinder),
};

// VesselInput::shape of a shape.
constexpr int ShapeNumber(VesselShape shape) {
    return static_cast<int>(shape);
}

// The shape number of the vessel screen's list entry, and back; an index out
// of the list gives a number the vessel calculation refuses.
constexpr int ShapeNumberOfVesselListIndex(int listIndex) {
    return listIndex + 1;
}
constexpr int VesselListIndexOfShapeNumber(int shape) {
    return shape - 1;
}

// The object of an object list entry (an index past either end counts as the
// nearest entry), and the object list entry of the vessel screen's entry.
constexpr LimitObject LimitObjectOfListIndex(int listIndex) {
    return static_cast<LimitObject>(std::clamp(listIndex, 0, 3));
}
constexpr int ObjectListIndexOfVesselListIndex(int vesselListIndex) {
    return std::clamp(vesselListIndex, 0, 2) + 1;
}

// The shape number of a vessel object (0 for the pipe) and of an object list
// entry.
constexpr int ShapeNumberOf(LimitObject object) {
    return static_cast<int>(object);
}
constexpr int ShapeNumberOfObjectListIndex(int listIndex) {
    return listIndex;
}

} // namespace termiva
