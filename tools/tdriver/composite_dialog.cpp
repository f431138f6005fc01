#include "tools/tdriver/composite_dialog.h"

#include <cstdio>

#include "platform/number_text.h"
#include "platform/win32/wide_text.h"
#include "tools/tdriver/macro_pane_queries.h"
#include "tools/tdriver/target_process.h"
#include "tools/tdriver/window_queries.h"

namespace tarvolin::tdriver {
namespace {

std::optional<long> ParseLong(const std::string& text) {
  long value = 0;
  if (!ParseNumber(text, -2147483647L, 2147483647L, value)) return std::nullopt;
  return value;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

bool IsComboBox(HWND control) {
  return WindowClass(control) == L"ComboBox";
}

int Fail(const char* what) {
  fprintf(stderr, "tdriver: %s\n", what);
  return 2;
}

}  // namespace

Fields CompositeControlState(const std::vector<DWORD>& processIds, int id) {
  HWND dialog = FindMacroPaneDialog(processIds);
  Fields fields = PaneControlState(dialog, id);
  HWND control = dialog == nullptr ? nullptr : id == 0 ? dialog : GetDlgItem(dialog, id);
  if (control != nullptr && IsComboBox(control)) {
    // The caption goes last (it may hold blanks).
    const auto caption = fields.back();
    fields.pop_back();
    fields.emplace_back("selection", std::to_string(Ask(control, CB_GETCURSEL, 0, 0)));
    fields.emplace_back("count", std::to_string(Ask(control, CB_GETCOUNT, 0, 0)));
    fields.push_back(caption);
  }
  return fields;
}

std::optional<int> RunCompositeCommand(const std::vector<std::string>& args,
                                       const std::wstring& exe) {
  const std::string& command = args[0];
  if (command == "keystate") {
    const std::optional<long> vk = args.size() == 2 ? ParseLong(args[1]) : std::nullopt;
    if (!vk) return Fail("usage: keystate VK");
    printf("down=%d\n", (GetAsyncKeyState(static_cast<int>(*vk)) & 0x8000) != 0 ? 1 : 0);
    return 0;
  }
  if (command != "dialog-text" && command != "dialog-select" && command != "dialog-front") {
    return std::nullopt;
  }
  HWND dialog = FindMacroPaneDialog(ProcessIds(exe));
  if (dialog == nullptr) return Fail("no composite dialog");
  if (command == "dialog-front") {
    return SetForegroundWindow(dialog) ? 0 : 1;
  }
  const std::optional<long> id = args.size() >= 2 ? ParseLong(args[1]) : std::nullopt;
  if (!id) return Fail("usage: dialog-text ID TEXT | dialog-select ID INDEX");
  HWND control = GetDlgItem(dialog, static_cast<int>(*id));
  if (control == nullptr) return Fail("no such control");
  if (args.size() != 3) return Fail("usage: dialog-text ID TEXT | dialog-select ID INDEX");
  if (command == "dialog-text") {
    // WM_SETTEXT is marshalled across processes; the edit tells its dialog as typing does.
    const std::wstring text = win32::WideFromUtf8(args[2]);
    return Ask(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE ? 0 : 1;
  }
  const std::optional<long> index = ParseLong(args[2]);
  if (!index) return Fail("bad INDEX");
  if (Ask(control, CB_SETCURSEL, static_cast<WPARAM>(*index), 0) != *index) return 1;
  // A selection made by a message is not announced; announce it as the user's would be.
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(*id, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(control))
             ? 0
             : 1;
}

}  // namespace tarvolin::tdriver
