#include "ui/tray/about_window.h"

#include "app/program_paths.h"
#include "i18n/language_loader.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ini_store.h"
#include "ui/main/main_window_ids.h"
#include "ui/widgets/message_reflection.h"

namespace tarvolin::tray {

AboutWindow::~AboutWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void AboutWindow::Open(const std::wstring& linkUrl) {
  if (hwnd_ != nullptr && IsWindowVisible(hwnd_)) return;
  link_url_ = linkUrl;
  if (hwnd_ == nullptr) {
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(mainwnd::kAboutDialog), nullptr,
                       &AboutWindow::Procedure, reinterpret_cast<LPARAM>(this));
  } else {
    OnInit();
  }
}

bool AboutWindow::CanClose() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
  return true;
}

void AboutWindow::OnInit() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  HWND link = GetDlgItem(hwnd_, mainwnd::id::kAboutLink);
  if (!link_.IsAttached()) link_.Attach(link);
  link_.SetUrl(link_url_);
  SetWindowTextW(link, link_url_.c_str());
  const win32::Win32IniStore language(
      win32::FromWide(app::ThePaths().skin_folder + L"language.ini"));
  const AboutTexts texts = LoadAboutTexts(language);
  SetDlgItemTextW(hwnd_, mainwnd::id::kAboutIntro, win32::ToWide(texts.intro).c_str());
  SetDlgItemTextW(hwnd_, mainwnd::id::kAboutCopyright, win32::ToWide(texts.copyright).c_str());
}

INT_PTR CALLBACK AboutWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<AboutWindow*>(lParam);
    self->hwnd_ = window;
    self->OnInit();
    return TRUE;
  }
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  LRESULT reflected = 0;
  if (widgets::ReflectToChild(message, wParam, lParam, reflected)) {
    // Colour messages return their brush directly; the others through the message result.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
      return static_cast<INT_PTR>(reflected);
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, reflected);
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ShowWindow(window, SW_HIDE);
        return TRUE;
      }
      return FALSE;
    case WM_NCDESTROY:
      self->hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarvolin::tray
