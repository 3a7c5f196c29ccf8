#pragma once

#include "PropertyBag.h"

// The gradient container's persisted properties in writing order: key and
// default of each, the one place the widget's defaults are written down.
// The caption font (the host's ambient font), "HeaderIcon" and "Picture"
// have no fixed default and are handled by the widget itself.
namespace GradContainerProperty {

inline constexpr BagProperty<float> HeaderAngle{"HeaderAngle", 90.0f};
inline constexpr BagProperty<float> BackAngle{"BackAngle", 90.0f};
inline constexpr BagProperty<int> IconSize{"IconSize", 1};
// A new widget shows its icon at natural size; a stored form without the
// key has it fitted to the header (the default above).
inline constexpr int kNewIconSize = 0;
inline constexpr BagProperty<OleColor> HeaderColor2{"HeaderColor2", 16244947};
inline constexpr BagProperty<OleColor> HeaderColor1{"HeaderColor1", 15582631};
inline constexpr BagProperty<OleColor> BackColor2{"BackColor2", 16577775};
inline constexpr BagProperty<OleColor> BackColor1{"BackColor1", 16443612};
inline constexpr BagProperty<OleColor> BorderColor{"BorderColor", 14467501};
inline constexpr BagProperty<OleColor> CaptionColor{"CaptionColor", 8072450};
inline constexpr BagProperty<const char*> Caption{"Caption", "MorphContainer"};
inline constexpr BagProperty<int> CaptionAlignment{"CaptionAlignment", 0};
inline constexpr BagProperty<int> HeaderHeight{"HeaderHeight", 25};
inline constexpr BagProperty<bool> Enabled{"Enabled", false};
inline constexpr BagProperty<qint16> BorderWidth{"BorderWidth", 1};
inline constexpr BagProperty<bool> BackMiddleOut{"BackMiddleOut", true};
inline constexpr BagProperty<bool> HeaderMiddleOut{"HeaderMiddleOut", true};
inline constexpr BagProperty<bool> HeaderVisible{"HeaderVisible", true};
inline constexpr BagProperty<int> CurveTopLeft{"CurveTopLeft", 0};
inline constexpr BagProperty<int> CurveTopRight{"CurveTopRight", 0};
inline constexpr BagProperty<int> CurveBottomLeft{"CurveBottomLeft", 0};
inline constexpr BagProperty<int> CurveBottomRight{"CurveBottomRight", 0};
inline constexpr BagProperty<int> Theme{"Theme", 0};
inline constexpr BagProperty<bool> Expanded{"Expanded", true};
inline constexpr BagProperty<bool> AutoResize{"AutoResize", true};
inline constexpr BagProperty<int> AutoResizeOn{"AutoResizeOn", 1};
inline constexpr BagProperty<bool> Movable{"Movable", false};
inline constexpr BagProperty<int> IconAlignment{"IconAlignment", 0};
inline constexpr BagProperty<bool> Transparent{"Transparent", false};

} // namespace GradContainerProperty
