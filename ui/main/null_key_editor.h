#pragma once
// The key assignment editor until the composite dialog exists: a click on a key is taken and
// nothing opens; it is never open and never refuses to close.
#include "ui/main/key_click_target.h"

namespace tarvolin::mainwnd {

class NullKeyEditor final : public KeyEditorOpener {
 public:
  void OpenForButton(int buttonId) override { last_button_ = buttonId; }
  int OpenCount() const override { return 0; }
  bool CanClose() override { return true; }
  int last_button() const { return last_button_; }

 private:
  int last_button_ = 0;
};

}  // namespace tarvolin::mainwnd
