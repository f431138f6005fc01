#pragma once
// CBitmapSlider: a slider whose whole look is one picture per position. A click or drag
// picks the position under the mouse, the arrow keys step it, and every change the user
// makes posts kSliderMovedMessage (wParam = control id, lParam = position) to the parent.
#include <windows.h>

#include "ui/widgets/subclassed_window.h"

namespace tarvolin::widgets {

inline constexpr UINT kSliderMovedMessage = 0x28D1;

class CBitmapSlider : public SubclassedWindow {
 public:
  // Takes over any child window (a trackbar or static of a dialog template).
  bool Attach(HWND window);
  bool Create(HWND parent, const RECT& rect, int id);

  void SetRange(int minimum, int maximum);
  // Sets the position without telling the parent.
  void SetPos(int position);
  int GetPos() const { return position_; }
  // The picture shown; borrowed, not owned.
  void SetPicture(HBITMAP picture);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  int PositionAt(int x) const;
  void MoveByUser(int position);

  int minimum_ = 0;
  int maximum_ = 4;
  int position_ = 0;
  HBITMAP picture_ = nullptr;
  bool dragging_ = false;
};

}  // namespace tarvolin::widgets
