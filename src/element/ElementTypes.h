#pragma once
// The type ids of the element classes: written first in every element record
// of the drawing file, so the values never change.
namespace ElementTypeId {
inline constexpr int Arc = 1;
inline constexpr int Line = 2;
inline constexpr int Ellipse = 3;
inline constexpr int Text = 4;
inline constexpr int Measure = 5;
inline constexpr int Wood = 6;
inline constexpr int Spline = 7;
inline constexpr int Cuir = 8;
inline constexpr int BobstAsm = 13;
inline constexpr int Holder = 14;
inline constexpr int Bobst = 15;
inline constexpr int Martin = 16;
inline constexpr int SeperationRule = 17;
inline constexpr int BobstSP = 18;
inline constexpr int StripperWood = 19;
// Not a class: a selection criterion's "any type".
inline constexpr int Any = 11;
} // namespace ElementTypeId
