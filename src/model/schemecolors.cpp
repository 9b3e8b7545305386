// Scheme colours: a value with the top bit set names an element of the host's colour
// scheme. They are resolved through one replaceable hook; by default the colours of a
// classic Windows desktop apply.
#include <array>
#include <utility>

#include "model/model.h"

namespace {

TSchemeColorResolver& Resolver() {
  static TSchemeColorResolver resolver;
  return resolver;
}

// Colours are 0x00BBGGRR.
constexpr std::array<TColor, 31> kClassicColors = {
    0x00C0C0C0u,  //  0 scroll bar
    0x00808000u,  //  1 desktop (teal)
    0x00800000u,  //  2 active caption (navy)
    0x00808080u,  //  3 inactive caption
    0x00C0C0C0u,  //  4 menu
    0x00FFFFFFu,  //  5 window
    0x00000000u,  //  6 window frame
    0x00000000u,  //  7 menu text
    0x00000000u,  //  8 window text
    0x00FFFFFFu,  //  9 caption text
    0x00C0C0C0u,  // 10 active border
    0x00C0C0C0u,  // 11 inactive border
    0x00808080u,  // 12 application workspace
    0x00800000u,  // 13 highlight
    0x00FFFFFFu,  // 14 highlight text
    0x00C0C0C0u,  // 15 button face
    0x00808080u,  // 16 button shadow
    0x00808080u,  // 17 grey text
    0x00000000u,  // 18 button text
    0x00C0C0C0u,  // 19 inactive caption text
    0x00FFFFFFu,  // 20 button highlight
    0x00000000u,  // 21 3-D dark shadow
    0x00C0C0C0u,  // 22 3-D light
    0x00000000u,  // 23 tooltip text
    0x00E1FFFFu,  // 24 tooltip background (pale yellow)
    0x00C0C0C0u,  // 25 button alternate face
    0x00800000u,  // 26 hot-tracked item
    0x00F0CAA6u,  // 27 active caption gradient
    0x00C0C0C0u,  // 28 inactive caption gradient
    0x00800000u,  // 29 highlighted menu item
    0x00C0C0C0u,  // 30 menu bar
};

}  // namespace

void SetSchemeColorResolver(TSchemeColorResolver resolver) { Resolver() = std::move(resolver); }

TColor ClassicSchemeColor(uint32_t index) {
  return index < kClassicColors.size() ? kClassicColors[index] : 0x00000000u;
}

TColor ResolveColor(TColor color) {
  if ((color & clSchemeFlag) == 0) return color;
  const uint32_t index = color & 0xFFu;
  const TSchemeColorResolver& resolver = Resolver();
  // A resolver's answer is taken as an ordinary colour even if it sets the top byte.
  return (resolver ? resolver(index) : ClassicSchemeColor(index)) & 0x00FFFFFFu;
}
