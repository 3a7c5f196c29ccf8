#pragma once

#include "PropertyBag.h"

// The XP-style frame's persisted properties in reading order: key and default of each, the
// one place the frame's defaults are written down.  The three fonts (the
// host's ambient font) and the two pictures have no fixed default and are
// handled by the frame itself.
namespace XpFrameProperty {

inline constexpr BagProperty<OleColor> BackColor{"BackColor", kButtonFace};
inline constexpr BagProperty<bool> UseCustomColors{"UseCustomColors", false};
inline constexpr BagProperty<bool> Expandable{"Expandable", false};
inline constexpr BagProperty<bool> HeaderVisible{"HeaderVisible", true};
inline constexpr BagProperty<bool> FooterVisible{"FooterVisible", true};
inline constexpr BagProperty<const char*> HeaderText{"HeaderText", "Header"};
inline constexpr BagProperty<const char*> FooterText{"FooterText", "Footer"};
inline constexpr BagProperty<int> HeaderTextAlign{"HeaderTextAlign", 0};
inline constexpr BagProperty<int> FooterTextAlign{"FooterTextAlign", 0};
inline constexpr BagProperty<int> HeaderFillStyle{"HeaderFillStyle", 1};
inline constexpr BagProperty<int> FooterFillStyle{"FooterFillStyle", 1};
inline constexpr BagProperty<int> ContainerFillStyle{"ContainerFillStyle", 1};
inline constexpr BagProperty<OleColor> HeaderTextColor{"HeaderTextColor", 0xFFFFFF};
inline constexpr BagProperty<OleColor> FooterTextColor{"FooterTextColor", 0xFFFFFF};
inline constexpr BagProperty<OleColor> ContainerForeColor{"ContainerForeColor", kButtonText};
inline constexpr BagProperty<OleColor> HeaderBackColor{"HeaderBackColor", 0xFFFFFF};
inline constexpr BagProperty<OleColor> FooterBackColor{"FooterBackColor", 14248960};
inline constexpr BagProperty<OleColor> ContainerBackColor{"ContainerBackColor", kButtonFace};
inline constexpr BagProperty<OleColor> HeaderFadeColor{"HeaderFadeColor", 14248960};
inline constexpr BagProperty<OleColor> FooterFadeColor{"FooterFadeColor", 0xFFFFFF};
inline constexpr BagProperty<OleColor> ContainerFadeColor{"ContainerFadeColor", kButtonFace};
inline constexpr BagProperty<OleColor> ContainerBorderColor{"ContainerBorderColor", 0};
inline constexpr BagProperty<int> ContainerBorderStyle{"ContainerBorderStyle", 0};
inline constexpr BagProperty<int> ContainerShapeStyle{"ContainerShapeStyle", 0};
inline constexpr BagProperty<int> ContainerCornerRadius{"ContainerCornerRadius", 20};
inline constexpr BagProperty<int> Appearence{"Appearence", 0};
inline constexpr BagProperty<bool> Enabled{"Enabled", true};
inline constexpr BagProperty<int> HeaderSize{"HeaderSize", 1};
inline constexpr BagProperty<int> FooterSize{"FooterSize", 0};
inline constexpr BagProperty<OleColor> CollapseButtonColor{"CollapseButtonColor", 255};
inline constexpr BagProperty<int> HeaderPictureSize{"HeaderPictureSize", 16};
inline constexpr BagProperty<bool> HeaderPictureVisible{"HeaderPictureVisible", true};
inline constexpr BagProperty<int> ContainerPictureSize{"ContainerPictureSize", 32};
inline constexpr BagProperty<bool> ContainerPictureVisible{"ContainerPictureVisible", true};
inline constexpr BagProperty<int> ContainerPictureBufferTop{"ContainerPictureBufferTop", 0};
inline constexpr BagProperty<int> ContainerPictureBufferLeft{"ContainerPictureBufferLeft", 0};
inline constexpr BagProperty<bool> ContainerResizable{"ContainerResizable", false};
inline constexpr BagProperty<bool> ContainerMovable{"ContainerMovable", false};
inline constexpr BagProperty<bool> ClassicXPStyle{"ClassicXPStyle", true};
inline constexpr BagProperty<bool> ZOrderOnFocus{"ZOrderOnFocus", true};
// A new frame starts without either; a stored form without the key has them.
inline constexpr bool kNewClassicXPStyle = false;
inline constexpr bool kNewZOrderOnFocus = false;
inline constexpr BagProperty<bool> Closeable{"Closeable", false};
inline constexpr BagProperty<bool> Closed{"Closed", false};

} // namespace XpFrameProperty
