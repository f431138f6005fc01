#include "ui/widgets/button_text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tarvolin::widgets {
namespace {
int Truncate(double value) {
  return static_cast<int>(std::trunc(value));
}
}  // namespace

TextBox PlaceRotatedText(TextBox box, int textWidth, int textHeight, int escapement) {
  const double angle = escapement / 10.0 * 3.1415927 / 180.0;
  const double cosA = std::cos(angle);
  const double sinA = std::sin(angle);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const int runWidth = Truncate(cosA * textWidth);
  if (runWidth < width) box.left += (width - runWidth) / 2 - Truncate(0.5 * sinA * textHeight);
  const int riseHeight = Truncate(sinA * textWidth);
  if (riseHeight < height) {
    box.bottom = box.bottom - (height - riseHeight) / 2 + Truncate(0.5 * cosA * textHeight);
  }
  return box;
}

int FitRotatedFontHeight(int fontHeight, int textWidth, int textHeight, int escapement,
                         int boxHeight) {
  constexpr int kSmallest = 6;
  const double angle = escapement / 10.0 * 3.1415927 / 180.0;
  const double needed = std::abs(std::sin(angle)) * textWidth + std::cos(angle) * textHeight;
  if (needed <= boxHeight || needed <= 0) return fontHeight;
  const int magnitude = std::abs(fontHeight);
  const int fitted = std::max(kSmallest, Truncate(magnitude * boxHeight / needed));
  return fontHeight < 0 ? -fitted : fitted;
}

}  // namespace tarvolin::widgets
