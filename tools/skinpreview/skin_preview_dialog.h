#pragma once
// The preview window: a skin folder's main window picture with an image button on every
// BUTTONINFO key of its Main.ini, so a skin can be looked at and tried without a keyboard.
#include <memory>
#include <string>
#include <vector>

#include "ui/skin/skin_image_set.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/png_button.h"

namespace tarvolin::skinpreview {

class SkinPreviewDialog : public widgets::CBaseDialog {
 public:
  static constexpr int kFirstButtonId = 2000;

  explicit SkinPreviewDialog(const std::wstring& skinFolder);

 protected:
  BOOL OnInitDialog() override;

 private:
  void PlaceButtons();

  skin::SkinImages images_;
  std::vector<std::unique_ptr<widgets::CPngButton>> buttons_;
};

}  // namespace tarvolin::skinpreview
