#include "tools/tdriver/dialog_commands.h"

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cwctype>
#include <optional>
#include <thread>

#include "platform/number_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "tools/tdriver/fields.h"
#include "tools/tdriver/target_process.h"
#include "tools/tdriver/window_queries.h"

namespace tarvolin::tdriver {

const char kDialogUsage[] =
    "dialogs other than the main window (found by a control they hold):\n"
    "  dialog state ID            the dialog's control ID (fields as for state)\n"
    "  dialog list ID             report list ID: rows, ticked, selected, row<N>=cell|cell|..\n"
    "  dialog click ID            BM_CLICK (posted) to control ID of the dialog\n"
    "  dialog tick ID ROW         a mouse click on the check box of the list's row\n"
    "  dialog select ID ROW       a mouse click on the list's row (its second cell)\n"
    "  dialog help ID             WM_HELP (as F1 sends it) to the dialog holding control ID\n"
    "  dialog wait MS state|list ID FIELD=VALUE|FIELD~=TEXT ...\n"
    "  filedialog                 the common file dialog: present, title, name, folder\n"
    "  filedialog accept [PATH]   types PATH (when given) as the file name and presses OK\n"
    "  filedialog cancel          presses Cancel\n";

namespace {

constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFolderLabel = 0x440;    // stc1 (older dialogs) ...
constexpr int kFolderCombo = 0x471;    // cmb2, the "look in" box

std::optional<long> Number(const std::string& text) {
  long value = 0;
  if (!ParseNumber(text, LONG_MIN, LONG_MAX, value)) return std::nullopt;
  return value;
}

// The first visible top-level window of the processes, other than the marked main window,
// that holds control `id` (of class `childClass` when given).
HWND FindDialog(const std::vector<DWORD>& processIds, int id, const wchar_t* childClass) {
  HWND main = FindMainWindow(processIds);
  for (HWND window : TopLevelWindows(processIds)) {
    if (window == main || !IsWindowVisible(window)) continue;
    HWND control = GetDlgItem(window, id);
    if (control == nullptr) continue;
    if (childClass != nullptr && _wcsicmp(WindowClass(control).c_str(), childClass) != 0) {
      continue;
    }
    return window;
  }
  return nullptr;
}

// An edit or a combo box of any flavour (ComboBoxEx32, a version-prefixed class name).
bool IsTextControl(HWND control) {
  std::wstring kind = WindowClass(control);
  for (wchar_t& c : kind) c = static_cast<wchar_t>(towlower(c));
  return kind.find(L"combobox") != std::wstring::npos || kind.find(L"edit") != std::wstring::npos;
}

// A visible dialog of the processes whose file-name control is an edit or a combo box (the
// main window is a dialog too, with buttons of the same ids).
HWND FindFileDialog(const std::vector<DWORD>& processIds) {
  HWND main = FindMainWindow(processIds);
  for (HWND window : TopLevelWindows(processIds)) {
    if (window == main || !IsWindowVisible(window) || WindowClass(window) != L"#32770") continue;
    for (int id : {kFileNameCombo, kFileNameEdit}) {
      HWND control = GetDlgItem(window, id);
      if (control == nullptr) continue;
      if (IsTextControl(control)) return window;
    }
  }
  return nullptr;
}

HWND FileNameControl(HWND dialog) {
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  if (combo != nullptr && IsTextControl(combo)) return combo;
  return GetDlgItem(dialog, kFileNameEdit);
}

// A block of memory inside the program, for the list messages that take pointers.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_.Reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (process_) {
      address_ =
          VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  bool Ready() const { return address_ != nullptr; }
  void* address() const { return address_; }
  bool Write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
    return offset + size <= size_ &&
           WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size,
                              nullptr) != FALSE;
  }
  bool Read(void* data, SIZE_T size, SIZE_T offset = 0) const {
    return offset + size <= size_ &&
           ReadProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size,
                             nullptr) != FALSE;
  }

 private:
  win32::UniqueHandle process_;
  void* address_ = nullptr;
  SIZE_T size_;
};

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

std::wstring CellText(HWND list, int row, int column) {
  constexpr int kChars = 1024;
  RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!block.Ready()) return L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<LPWSTR>(static_cast<char*>(block.address()) + sizeof(LVITEMW));
  block.Write(&item, sizeof item);
  Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.address()));
  std::wstring text(kChars, L'\0');
  block.Read(text.data(), kChars * sizeof(wchar_t), sizeof(LVITEMW));
  text.resize(wcsnlen(text.c_str(), kChars));
  return text;
}

std::optional<RECT> CellRect(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(RECT));
  if (!block.Ready()) return std::nullopt;
  RECT rect{LVIR_BOUNDS, column, 0, 0};  // left = the part, top = the column
  block.Write(&rect, sizeof rect);
  if (Send(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
           reinterpret_cast<LPARAM>(block.address())) == 0) {
    return std::nullopt;
  }
  block.Read(&rect, sizeof rect);
  return rect;
}

// The centre of the row's check box, found by hit-testing along the row's first cell.
std::optional<POINT> CheckBoxPoint(HWND list, int row) {
  const std::optional<RECT> cell = CellRect(list, row, 0);
  if (!cell) return std::nullopt;
  RemoteBlock block(list, sizeof(LVHITTESTINFO));
  if (!block.Ready()) return std::nullopt;
  const int y = (cell->top + cell->bottom) / 2;
  int first = -1;
  int last = -1;
  for (int x = cell->left; x < cell->right && x < cell->left + 60; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    block.Write(&hit, sizeof hit);
    Send(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(block.address()));
    block.Read(&hit, sizeof hit);
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return std::nullopt;
  return POINT{(first + last) / 2, y};
}

bool PostClickAt(HWND window, POINT point) {
  const LPARAM where = MAKELPARAM(point.x, point.y);
  return PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where) != FALSE &&
         PostMessageW(window, WM_LBUTTONUP, 0, where) != FALSE;
}

Fields ListState(HWND list) {
  if (list == nullptr) return {{"present", "0"}};
  const int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
  const int columns = static_cast<int>(
      Send(reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
  int ticked = -1;
  int selected = -1;
  Fields rowFields;
  for (int row = 0; row < rows; ++row) {
    const auto state = static_cast<UINT>(Send(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                              LVIS_STATEIMAGEMASK | LVIS_SELECTED));
    if (ticked < 0 && (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) ticked = row;
    if (selected < 0 && (state & LVIS_SELECTED) != 0) selected = row;
    std::string cells;
    for (int column = 0; column < columns; ++column) {
      if (column > 0) cells += "|";
      cells += win32::Utf8FromWide(CellText(list, row, column));
    }
    rowFields.emplace_back("row" + std::to_string(row), cells);
  }
  Fields fields{{"present", "1"},
                {"rows", std::to_string(rows)},
                {"ticked", std::to_string(ticked)},
                {"selected", std::to_string(selected)}};
  fields.insert(fields.end(), rowFields.begin(), rowFields.end());
  return fields;
}

Fields FileDialogState(HWND dialog) {
  if (dialog == nullptr) return {{"present", "0"}};
  std::wstring folder;
  if (HWND look = GetDlgItem(dialog, kFolderCombo)) folder = WindowText(look);
  if (folder.empty()) {
    if (HWND label = GetDlgItem(dialog, kFolderLabel)) folder = WindowText(label);
  }
  return {{"present", "1"},
          {"title", win32::Utf8FromWide(WindowText(dialog))},
          {"folder", win32::Utf8FromWide(folder)},
          {"name", win32::Utf8FromWide(WindowText(FileNameControl(dialog)))},
          {"name_class", win32::Utf8FromWide(WindowClass(FileNameControl(dialog)))}};
}

int Fail(const char* what) {
  fprintf(stderr, "tdriver: %s\n", what);
  return 2;
}

// "state ID" or "list ID" of the dialog that holds the control.
Fields AskDialog(const std::wstring& exe, const std::string& what, int id) {
  const std::vector<DWORD> ids = ProcessIds(exe);
  const bool list = what == "list";
  HWND dialog = FindDialog(ids, id, list ? WC_LISTVIEWW : nullptr);
  HWND control = dialog != nullptr ? GetDlgItem(dialog, id) : nullptr;
  return list ? ListState(control) : ControlState(control);
}

int RunDialog(const std::vector<std::string>& args, const std::wstring& exe) {
  if (args.size() < 3) return Fail("usage: dialog state|list|click|tick|select|help|wait ...");
  const std::string& what = args[1];
  if (what == "wait") {
    const std::optional<long> ms = Number(args[2]);
    const std::optional<long> id = args.size() > 4 ? Number(args[4]) : std::nullopt;
    if (!ms || !id || args.size() < 6 || (args[3] != "state" && args[3] != "list")) {
      return Fail("usage: dialog wait MS state|list ID FIELD=VALUE ...");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(*ms);
    for (;;) {
      const Fields fields = AskDialog(exe, args[3], static_cast<int>(*id));
      bool all = true;
      for (size_t i = 5; i < args.size() && all; ++i) all = Holds(fields, args[i]);
      if (all) return 0;
      if (std::chrono::steady_clock::now() >= deadline) {
        fprintf(stderr, "tdriver: timed out after %ld ms; last answer:\n", *ms);
        for (const auto& [name, value] : fields) {
          fprintf(stderr, "  %s=%s\n", name.c_str(), Printable(value).c_str());
        }
        return 1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  const std::optional<long> id = Number(args[2]);
  if (!id) return Fail("bad control id");
  if (what == "state" || what == "list") {
    const Fields fields = AskDialog(exe, what, static_cast<int>(*id));
    Print(fields);
    return fields.front().second == "0" ? 1 : 0;
  }
  const std::vector<DWORD> ids = ProcessIds(exe);
  const bool onList = what == "tick" || what == "select";
  HWND dialog = FindDialog(ids, static_cast<int>(*id), onList ? WC_LISTVIEWW : nullptr);
  if (dialog == nullptr) return Fail("no dialog holds that control");
  HWND control = GetDlgItem(dialog, static_cast<int>(*id));
  if (what == "click") return PostButtonClick(control) ? 0 : 1;
  if (what == "help") {
    // What F1 makes the dialog manager send; WM_HELP carries a pointer, so it is sent (the
    // system copies the record across), not posted.
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = static_cast<int>(*id);
    info.hItemHandle = control;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info),
                               SMTO_ABORTIFHUNG, 10000, &ignored) != 0
               ? 0
               : 1;
  }
  if (!onList) return Fail("unknown dialog command");
  const std::optional<long> row = args.size() == 4 ? Number(args[3]) : std::nullopt;
  if (!row) return Fail("usage: dialog tick|select ID ROW");
  std::optional<POINT> point;
  if (what == "tick") {
    point = CheckBoxPoint(control, static_cast<int>(*row));
  } else if (const std::optional<RECT> cell = CellRect(control, static_cast<int>(*row), 1)) {
    point = POINT{(cell->left + cell->right) / 2, (cell->top + cell->bottom) / 2};
  }
  if (!point) return Fail("no such row");
  return PostClickAt(control, *point) ? 0 : 1;
}

int RunFileDialog(const std::vector<std::string>& args, const std::wstring& exe) {
  HWND dialog = FindFileDialog(ProcessIds(exe));
  if (args.size() == 1) {
    const Fields fields = FileDialogState(dialog);
    Print(fields);
    return dialog == nullptr ? 1 : 0;
  }
  if (dialog == nullptr) return Fail("no file dialog");
  if (args[1] == "cancel" && args.size() == 2) {
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)))
               ? 0
               : 1;
  }
  if (args[1] != "accept" || args.size() > 3)
    return Fail("usage: filedialog [accept [PATH]|cancel]");
  if (args.size() == 3) {
    const std::wstring path = win32::WideFromUtf8(args[2]);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(FileNameControl(dialog), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000, &ignored);
  }
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)))
             ? 0
             : 1;
}

}  // namespace

int RunDialogCommand(const std::vector<std::string>& args, const std::wstring& exe) {
  if (args.empty()) return -1;
  if (args[0] == "dialog") return RunDialog(args, exe);
  if (args[0] == "filedialog") return RunFileDialog(args, exe);
  return -1;
}

}  // namespace tarvolin::tdriver
