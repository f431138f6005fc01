#pragma once
// CPngButton: an owner-drawn push button that paints its own rectangle cut from a
// full-window skin picture, one picture per state, with an optional caption, tooltip and
// coloured frame.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/skin/skin_button.h"
#include "ui/widgets/button_picture_choice.h"
#include "ui/widgets/subclassed_window.h"
#include "ui/widgets/unique_window.h"

namespace tarvolin::widgets {

class CPngButton : public SubclassedWindow, public skin::SkinButton {
 public:
  // Called after each paint with the button and 1 when it showed its normal picture.
  using HoverHook = std::function<void(HWND button, int showsNormal)>;

  static constexpr int kMaxFrameValue = 100;
  // Window property holding the frame colour | 0x1000000 while a frame is drawn.
  static constexpr wchar_t kFrameProperty[] = L"TarvolinFrame";

  CPngButton() = default;
  ~CPngButton() override;

  // Takes over a button of a dialog: adds the owner-draw style and refreshes the frame.
  bool Attach(HWND button);
  // Creates a child button and takes it over.
  bool Create(HWND parent, int id, const RECT& rect, const std::wstring& text);

  HWND Handle() const override { return hwnd(); }
  void SetSkin(int sourceX, int sourceY, const skin::StatePictures& pictures) override;
  void SetPictures(const skin::StatePictures& pictures);
  void SetSelection(const skin::SkinSurface* unselected, const skin::SkinSurface* selected,
                    int selectionMode, int isSelected);
  void SetChecked(int checked, bool repaint);
  void SetTextStyle(int drawText, int pointSize, const std::wstring& face, COLORREF colour,
                    UINT format);
  void SetRotation(int escapement, int rotated);
  void SetTextOffsets(int left, int right, int top, int bottom);
  void SetFrame(COLORREF colour, int value, int on);
  void SetHoverHook(HoverHook hook) { hover_hook_ = std::move(hook); }
  // Ends hover and leave tracking, for a window that hides: a leave that never comes would
  // keep the system watching the pointer for it.
  void CancelMouseTracking();
  void SetTooltip(const std::wstring& text, bool active);

  int checked() const { return checked_; }
  int hover() const { return hover_; }
  int pressed() const { return pressed_; }
  int frame_value() const { return frame_value_; }
  int source_x() const { return source_x_; }
  int source_y() const { return source_y_; }
  const skin::SkinSurface* last_painted() const { return last_painted_; }
  HWND tooltip() const { return tooltip_.get(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void RequestLeaveOnly();
  void DrawItem(const DRAWITEMSTRUCT& item);
  const skin::SkinSurface* PictureFor(ButtonPicture choice) const;
  void DrawCaption(HDC dc, const RECT& client);
  void ClearMouseState();
  void Repaint();
  void EnsureTooltip();

  skin::StatePictures pictures_;
  const skin::SkinSurface* last_painted_ = nullptr;
  const skin::SkinSurface* unselected_ = nullptr;
  const skin::SkinSurface* selected_picture_ = nullptr;
  int hover_ = 0;
  int tracking_ = 0;
  int pressed_ = 0;
  int checked_ = 0;
  int selection_mode_ = 0;
  int selected_ = 0;
  int source_x_ = 0;
  int source_y_ = 0;
  int draw_text_ = 0;
  int font_size_ = 8;
  std::wstring font_face_ = L"Tahoma";
  COLORREF text_colour_ = 0;
  UINT text_format_ = DT_SINGLELINE | DT_VCENTER | DT_CENTER;  // 0x25
  RECT text_offsets_{0, 0, 0, 0};                              // left, top, right, bottom
  int escapement_ = 0;
  int rotated_ = 0;
  HoverHook hover_hook_;
  std::wstring tooltip_text_;
  // Destroyed with the button's window (its owner is the top-level window, which may live
  // on); a button attached to a new window, as in a dialog opened again, makes a new one.
  UniqueWindow tooltip_;
  int frame_mode_ = 0;
  COLORREF frame_colour_ = 0;
  int frame_value_ = 0;
};

}  // namespace tarvolin::widgets
