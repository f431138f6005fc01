#pragma once
// The shell side of the core's questions: a message box with an empty title, owned by the
// main window when asked on its thread (other threads get an unowned box in front).
#include <windows.h>

#include "platform/prompt.h"

namespace tarvolin::mainwnd {

class MessageBoxPrompter final : public Prompter {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  PromptAnswer Ask(std::u16string_view text, PromptButtons buttons) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace tarvolin::mainwnd
