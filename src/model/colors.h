// Colours as the configuration file holds them, and the host's colour scheme.
#pragma once

#include <cstdint>
#include <functional>

// A colour: red in the low byte, green in the next, blue in the third.
// With the top bit set, the low bits name an element of the host's colour scheme.
using TColor = uint32_t;

inline constexpr TColor clSchemeFlag = 0x80000000u;
inline constexpr TColor clBtnShadow = 0x80000010u;
inline constexpr TColor clBtnHighlight = 0x80000014u;

// Scheme colours. The resolver maps a scheme element index (the low bits of a
// scheme colour) to an ordinary colour. Without one, the classic Windows values apply.
using TSchemeColorResolver = std::function<TColor(uint32_t index)>;
void SetSchemeColorResolver(TSchemeColorResolver resolver);  // empty restores the classic values
TColor ClassicSchemeColor(uint32_t index);
TColor ResolveColor(TColor color);  // an ordinary colour is returned unchanged
