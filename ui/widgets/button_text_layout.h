#pragma once
// Where an image button's caption goes when it is drawn at an angle. Portable.

namespace tarvolin::widgets {

struct TextBox {
  int left;
  int top;
  int right;
  int bottom;
  bool operator==(const TextBox&) const = default;
};

// Moves the box of rotated text (escapement in tenths of a degree, text extent cx by cy) so
// that the slanted caption sits centred: the left edge moves right by half the spare width
// less half the rise of the text height, and the bottom edge moves up by half the spare
// height and down by half the text height's run.
TextBox PlaceRotatedText(TextBox box, int textWidth, int textHeight, int escapement);

// The font height (negative, as CreateFont takes it) at which rotated text of this extent,
// measured at `fontHeight`, stands inside a box `boxHeight` high: the rise of the text plus
// its own slanted height. `fontHeight` itself when it fits already; never below 6 pixels.
int FitRotatedFontHeight(int fontHeight, int textWidth, int textHeight, int escapement,
                         int boxHeight);

}  // namespace tarvolin::widgets
