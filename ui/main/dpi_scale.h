#pragma once
// The skin is drawn for 96 DPI; at other DPI values every skin length is multiplied by
// DPI/96. Portable, so the rounding is tested natively.
#include "ui/skin/layout_value.h"

namespace tarvolin::mainwnd {

inline constexpr int kSkinDpi = 96;

class DpiScale {
 public:
  explicit DpiScale(int dpi = kSkinDpi) : dpi_(dpi > 0 ? dpi : kSkinDpi) {}

  int dpi() const { return dpi_; }
  bool IsIdentity() const { return dpi_ == kSkinDpi; }
  // Rounds to the nearest pixel, halves away from zero.
  int Scale(int length) const {
    const long long product = static_cast<long long>(length) * dpi_;
    const long long half = kSkinDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kSkinDpi
                                         : -((-product + half) / kSkinDpi));
  }
  // Position and size scaled from their skin values: the right and bottom edges are scaled
  // too, so neighbouring controls that touch in the skin still touch. The absent marker
  // (1, 1) is kept as it is, so an absent control stays recognisable.
  skin::LayoutValue Scale(const skin::LayoutValue& value) const {
    if (value.IsAbsent() || IsIdentity()) return value;
    const int left = Scale(value.x);
    const int top = Scale(value.y);
    return {left, top, Scale(value.x + value.width) - left, Scale(value.y + value.height) - top};
  }

 private:
  int dpi_;
};

}  // namespace tarvolin::mainwnd
