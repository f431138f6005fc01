#include "ui/main/message_box_prompter.h"

#include "platform/win32/wide_text.h"

namespace tarvolin::mainwnd {

PromptAnswer MessageBoxPrompter::Ask(std::u16string_view text, PromptButtons buttons) {
  const bool ownThread =
      owner_ != nullptr && GetWindowThreadProcessId(owner_, nullptr) == GetCurrentThreadId();
  HWND owner = ownThread ? owner_ : nullptr;
  UINT style = buttons == PromptButtons::kYesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
  if (owner == nullptr) style |= MB_SETFOREGROUND | MB_TOPMOST;
  const std::wstring wide = win32::ToWide(text);
  const int answer = MessageBoxW(owner, wide.c_str(), L"", style);
  if (buttons == PromptButtons::kOk) return PromptAnswer::kOk;
  return answer == IDYES ? PromptAnswer::kYes : PromptAnswer::kNo;
}

}  // namespace tarvolin::mainwnd
