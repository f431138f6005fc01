#include "ui/widgets/base_dialog.h"

#include <windowsx.h>

#include "platform/win32/wide_text.h"
#include "ui/skin/device_context.h"
#include "ui/skin/fatal_exit.h"
#include "ui/skin/layout_value.h"
#include "ui/skin/skin_layout.h"
#include "ui/widgets/dialog_template.h"
#include "ui/widgets/mask_region.h"
#include "ui/widgets/message_reflection.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::widgets {
namespace {

constexpr COLORREF kMaskTransparent = RGB(255, 255, 255);

// Messages whose dialog-procedure result is returned directly instead of through
// DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

CBaseDialog::CBaseDialog(int templateId, HWND parent, std::wstring skinIniPath,
                         std::wstring skinFolder)
    : template_id_(templateId),
      parent_(parent),
      skin_ini_path_(std::move(skinIniPath)),
      skin_folder_(std::move(skinFolder)) {}

CBaseDialog::~CBaseDialog() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    if (!modal_) DestroyWindow(hwnd_);
  }
}

INT_PTR CBaseDialog::DoModal() {
  modal_ = true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto param = reinterpret_cast<LPARAM>(this);
  if (template_id_ != 0) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(template_id_), parent_,
                           &CBaseDialog::DialogProcedure, param);
  }
  const std::vector<WORD> blank = BlankDialogTemplate(WS_POPUP | WS_CLIPCHILDREN, 200, 150);
  return DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(blank.data()),
                                 parent_, &CBaseDialog::DialogProcedure, param);
}

HWND CBaseDialog::Create() {
  modal_ = false;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto param = reinterpret_cast<LPARAM>(this);
  if (template_id_ != 0) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(template_id_), parent_,
                              &CBaseDialog::DialogProcedure, param);
  }
  const std::vector<WORD> blank = BlankDialogTemplate(WS_POPUP | WS_CLIPCHILDREN, 200, 150);
  return CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(blank.data()),
                                    parent_, &CBaseDialog::DialogProcedure, param);
}

INT_PTR CALLBACK CBaseDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<CBaseDialog*>(lParam)->hwnd_ = window;
  }
  auto* self = reinterpret_cast<CBaseDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  LRESULT result = 0;
  const bool handled = self->HandleMessage(message, wParam, lParam, result);
  if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
  if (!handled) return FALSE;
  if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

bool CBaseDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (OnMessage(message, wParam, lParam, result)) return true;
  if (ReflectToChild(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
          OnOK();
          return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          OnCancel();
          return true;
        }
      }
      return false;
    case WM_ERASEBKGND:
      result = 1;  // the background is painted whole in WM_PAINT
      return true;
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_PRINTCLIENT:
      // Printing the window (a capture, a test) draws what WM_PAINT draws.
      DrawBackground(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_NCPAINT:
      result = 0;  // no frame, no caption
      return true;
    case WM_LBUTTONDOWN: {
      // A press that no control took starts moving the window as a caption press would.
      POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd_, &screen);
      SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
      UpdateWindow(hwnd_);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

bool CBaseDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

BOOL CBaseDialog::OnInitDialog() {
  DoDataExchange();
  SetUpSkin();
  return TRUE;
}

void CBaseDialog::SetUpSkin() {
  loading_ = true;
  ini_.SetPath(win32::FromWide(skin_ini_path_));
  const std::u16string mainName = ini_.Read(skin::kScreenSection, u"Main").value_or(u"");
  const std::u16string maskName = ini_.Read(skin::kScreenSection, u"Mask").value_or(mainName);

  // Without its background or shape the window cannot be shown at all.
  background_ = LoadPictureBitmap(skin_folder_ + win32::ToWide(mainName));
  if (!background_) skin::EndProcessSilently();
  mask_ = LoadPictureBitmap(skin_folder_ + win32::ToWide(maskName));
  if (!mask_) skin::EndProcessSilently();

  const SIZE size = BitmapSize(background_.get());
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);

  skin::RegionHandle shape = RegionFromMask(mask_.get(), kMaskTransparent, 0);
  if (shape) {
    // The window owns the region once it is set.
    if (SetWindowRgn(hwnd_, shape.get(), TRUE) != 0) shape.Release();
  }
  loading_ = false;
}

void CBaseDialog::Paint() {
  skin::PaintScope paint(hwnd_);
  DrawBackground(paint.get());
}

void CBaseDialog::DrawBackground(HDC target) {
  if (!background_ || target == nullptr) return;
  skin::MemoryDc source(target);
  if (!source) return;
  skin::SelectedObject selected(source.get(), background_.get());
  const SIZE size = BitmapSize(background_.get());
  BitBlt(target, 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void CBaseDialog::ReleaseSkinBitmaps() {
  background_.Reset();
  mask_.Reset();
}

void CBaseDialog::EndWith(INT_PTR code) {
  if (hwnd_ == nullptr) return;
  if (modal_) {
    EndDialog(hwnd_, code);
  } else {
    DestroyWindow(hwnd_);
  }
}

void CBaseDialog::OnOK() {
  ReleaseSkinBitmaps();
  EndWith(IDOK);
}

void CBaseDialog::OnCancel() {
  ReleaseSkinBitmaps();
  EndWith(IDCANCEL);
}

}  // namespace tarvolin::widgets
