#include "tools/tdriver/message_box.h"

#include <array>
#include <string>
#include <utility>

#include "platform/win32/wide_text.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

constexpr std::array<std::pair<int, std::string_view>, 7> kButtons{{{IDOK, "ok"},
                                                                    {IDCANCEL, "cancel"},
                                                                    {IDABORT, "abort"},
                                                                    {IDRETRY, "retry"},
                                                                    {IDIGNORE, "ignore"},
                                                                    {IDYES, "yes"},
                                                                    {IDNO, "no"}}};

HWND VisibleChild(HWND box, int id) {
  HWND child = GetDlgItem(box, id);
  return child != nullptr && IsWindowVisible(child) ? child : nullptr;
}

}  // namespace

HWND FindMessageBox(const std::vector<DWORD>& processIds) {
  for (HWND window : TopLevelWindows(processIds)) {
    if (IsWindowVisible(window) && WindowClass(window) == L"#32770" &&
        GetDlgItem(window, kMessageTextId) != nullptr) {
      return window;
    }
  }
  return nullptr;
}

Fields MessageBoxState(HWND box) {
  if (box == nullptr) return {{"present", "0"}};
  std::string buttons;
  std::string defaultButton;
  for (const auto& [id, name] : kButtons) {
    HWND button = VisibleChild(box, id);
    if (button == nullptr) continue;
    buttons += (buttons.empty() ? "" : ",") + std::string(name);
    if ((GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) defaultButton = name;
  }
  return {{"present", "1"},
          {"buttons", buttons},
          {"default", defaultButton},
          {"title", win32::Utf8FromWide(WindowText(box))},
          {"text", win32::Utf8FromWide(WindowText(GetDlgItem(box, kMessageTextId)))}};
}

bool AnswerMessageBox(HWND box, std::string_view button) {
  for (const auto& [id, name] : kButtons) {
    if (name != button) continue;
    HWND control = VisibleChild(box, id);
    if (control == nullptr) return false;
    // The dialog's own answer to its button: what a click on it ends in.
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != FALSE;
  }
  return false;
}

}  // namespace tarvolin::tdriver
