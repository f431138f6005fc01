#pragma once
// The preview window: a skin folder's main window picture with every BUTTONINFO key of its
// Main.ini placed as the main window places it (image buttons, the lighting panel's lists,
// sliders, texts and pictures, and the Flip arrows), so a skin can be looked at and tried
// without a keyboard.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/skin_image_set.h"
#include "ui/skin/skin_layout.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/png_button.h"

namespace tarvolin::skinpreview {

class SkinPreviewDialog : public widgets::CBaseDialog {
 public:
  static constexpr int kFirstButtonId = 2000;

  explicit SkinPreviewDialog(const std::wstring& skinFolder);

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void PlaceButtons();
  void PlaceImageButton(const skin::SkinLayout& layout, std::u16string_view key, int id);
  void PlaceArrow(const skin::SkinLayout& layout, std::u16string_view key, int id);
  void PlacePanelControl(const skin::SkinLayout& layout, std::u16string_view key, int id);

  skin::SkinImages images_;
  std::vector<std::unique_ptr<widgets::CPngButton>> buttons_;
};

}  // namespace tarvolin::skinpreview
