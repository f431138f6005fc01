#include "tools/tdriver/panel_queries.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/wide_text.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {
namespace {

constexpr UINT kAnswerMs = 2000;

LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT failed = -1) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                           &answer)) {
    return failed;
  }
  return static_cast<LRESULT>(answer);
}

bool IsComboBox(HWND control) {
  return _wcsicmp(WindowClass(control).c_str(), WC_COMBOBOXW) == 0;
}

std::string PictureName(HWND control) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(control, L"TarvolinPicture")));
  if (atom == 0) return "";
  wchar_t name[256] = {};
  const UINT length = GlobalGetAtomNameW(atom, name, 256);
  return win32::Utf8FromWide(std::wstring_view(name, length));
}

std::string FrameColour(HWND control) {
  const auto value = reinterpret_cast<UINT_PTR>(GetPropW(control, L"TarvolinFrame"));
  if ((value & 0x1000000) == 0) return "none";
  char text[16];
  snprintf(text, sizeof text, "%06X", static_cast<unsigned>(value & 0xFFFFFF));
  return text;
}

std::string ListItems(HWND control, LRESULT count) {
  std::string items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Ask(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
    if (length > 0) {
      Ask(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<std::size_t>(length));
    } else {
      text.clear();
    }
    items += (i > 0 ? "|" : "") + win32::Utf8FromWide(text);
  }
  return items;
}

}  // namespace

Fields PanelState(HWND control) {
  if (control == nullptr || !IsWindow(control)) return {{"present", "0"}};
  const bool list = IsComboBox(control);
  const LRESULT count = list ? Ask(control, CB_GETCOUNT) : 0;
  return {{"present", "1"},
          {"visible", IsWindowVisible(control) != FALSE ? "1" : "0"},
          {"picture", PictureName(control)},
          {"position", list ? "-1" : std::to_string(Ask(control, TBM_GETPOS))},
          {"selection", list ? std::to_string(Ask(control, CB_GETCURSEL)) : "-1"},
          {"count", std::to_string(count)},
          {"frame", FrameColour(control)},
          {"items", list ? ListItems(control, count) : ""}};
}

Fields VisibleAmong(HWND main, const std::string& ids) {
  std::string visible;
  std::size_t start = 0;
  while (start <= ids.size()) {
    const std::size_t comma = std::min(ids.find(',', start), ids.size());
    const std::string id = ids.substr(start, comma - start);
    start = comma + 1;
    HWND control = id.empty() ? nullptr : GetDlgItem(main, atoi(id.c_str()));
    if (control != nullptr && IsWindowVisible(control))
      visible += (visible.empty() ? "" : ",") + id;
  }
  return {{"present", "1"}, {"visible", visible}};
}

bool SelectListEntry(HWND main, HWND list, int index) {
  if (main == nullptr || list == nullptr || !IsComboBox(list)) return false;
  if (Ask(list, CB_SETCURSEL, static_cast<WPARAM>(index)) != index) return false;
  return PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list)) != FALSE;
}

}  // namespace tarvolin::tdriver
