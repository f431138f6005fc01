// The main window's side of the lighting: the panel's notifications and slider messages go to
// the lighting controller, and what it answers is drawn on the panel, the report-rate buttons
// and the key buttons (the marks of the per-key effect).
#include <algorithm>

#include "lighting/mark_buttons.h"
#include "lighting/panel_control_ids.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {
namespace {

namespace ctl = lighting::control;

// The keys' plain look: normal, hover, pressed, normal when disabled, checked.
constexpr skin::StatePicturePattern kPlainKeyPattern = {
    skin::MainPicture::kNormal, skin::MainPicture::kOver, skin::MainPicture::kDown,
    skin::MainPicture::kNormal, skin::MainPicture::kDisable};

std::optional<int> ReportRateIndex(int id) {
  const auto found = std::find(ctl::kReportRateButtons.begin(), ctl::kReportRateButtons.end(), id);
  if (found == ctl::kReportRateButtons.end()) return std::nullopt;
  return static_cast<int>(found - ctl::kReportRateButtons.begin());
}

int Selection(HWND list) {
  return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

}  // namespace

void CTarvolinDlg::ShowLighting(const lighting::PanelUpdate& update) {
  panel_->Show(update);
  if (update.report_rate_pressed) {
    for (std::size_t i = 0; i < ctl::kReportRateButtons.size(); ++i) {
      if (widgets::CPngButton* button = Button(ctl::kReportRateButtons[i])) {
        button->SetChecked(static_cast<int>(i) == *update.report_rate_pressed ? 1 : 0, true);
      }
    }
  }
  if (update.keys) ShowKeyMarks(*update.keys);
}

void CTarvolinDlg::ShowKeyMarks(const lighting::KeyPictures& keys) {
  if (keys.restore_normal) {
    for (const lighting::MarkButton& mark : lighting::MarkButtons()) {
      if (widgets::CPngButton* button = Button(mark.button_id)) {
        button->SetFrame(0, 0, 0);
        button->SetPictures(PicturesOf(kPlainKeyPattern));
      }
    }
  }
  if (keys.redraw_assignments) RefreshKeyLooks();
  for (const lighting::ButtonFrame& frame : keys.frames) {
    if (widgets::CPngButton* button = Button(frame.button_id)) {
      button->SetFrame(static_cast<COLORREF>(frame.colour), lighting::kMarkFrameValue, 1);
    }
  }
}

bool CTarvolinDlg::OnLightingCommand(int id, int notification) {
  if (id == ctl::kEffectList || id == ctl::kUserModeList) {
    if (notification != CBN_SELCHANGE) return false;
    const int position = Selection(GetDlgItem(hwnd(), id));
    ShowLighting(id == ctl::kEffectList ? lighting_->SelectEffectPosition(position)
                                        : lighting_->ChooseUserMode(position));
    return true;
  }
  // Pictures report a click as STN_CLICKED, buttons as BN_CLICKED: both 0.
  if (notification != BN_CLICKED) return false;
  if (const std::optional<int> rate = ReportRateIndex(id)) {
    ShowLighting(lighting_->ChooseReportRate(*rate));
    return true;
  }
  switch (id) {
    case ctl::kLamp:
      ShowLighting(lighting_->ToggleLightingMode());
      return true;
    case ctl::kDirectionLeftPicture:
      ShowLighting(lighting_->ChooseDirection(lighting::kDirectionLeft));
      return true;
    case ctl::kDirectionRightPicture:
      ShowLighting(lighting_->ChooseDirection(lighting::kDirectionRight));
      return true;
    case ctl::kPaintTool:
      ShowLighting(lighting_->ChooseTool(lighting::kToolPaint));
      return true;
    case ctl::kEraseTool:
      ShowLighting(lighting_->ChooseTool(lighting::kToolErase));
      return true;
    case ctl::kFill:
      ShowLighting(lighting_->FillMask());
      return true;
    case ctl::kClear:
      ShowLighting(lighting_->ClearMask());
      return true;
    default:
      return false;
  }
}

}  // namespace tarvolin::mainwnd
