#pragma once
// The sides of the playfield, the two paddle shapes, and the tables that connect them.

// Which mouse coordinates an input records and which keys steer it.
enum EAxis : unsigned int { NoAxis = 0, XAxis = 1, YAxis = 2, BothAxes = 3 };

enum Side : unsigned int { SideNone = 0, SideLeft = 1, SideTop = 2, SideBottom = 3, SideRight = 4 };

enum EPadType : unsigned int { PadRectangular = 0, PadRounded = 1 };

// The direction in which sliders and paddles move.
enum Orientation : unsigned int { NoOrientation = 0, Horizontal = 1, Vertical = 2 };

// Indexed by Side.
constexpr Orientation SideToOrientation[5] = {NoOrientation, Vertical, Horizontal, Horizontal, Vertical};
constexpr EAxis SideToAxis[5] = {NoAxis, YAxis, XAxis, XAxis, YAxis};

// Indexed by pad slot: slot 0 plays at the bottom, 1 left, 2 top, 3 right.
constexpr unsigned int kPadSlots = 4;
constexpr Side ePadSides[kPadSlots] = {SideBottom, SideLeft, SideTop, SideRight};

// Side values outside the table count as no side.
inline Side ValidSide(unsigned int side) { return side <= SideRight ? static_cast<Side>(side) : SideNone; }
