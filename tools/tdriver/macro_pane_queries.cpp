#include "tools/tdriver/macro_pane_queries.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "tools/tdriver/target_process.h"
#include "tools/tdriver/window_queries.h"

namespace tarvolin::tdriver {
namespace {

constexpr int kActionListId = 1019;
constexpr int kColumns = 3;
constexpr std::size_t kCellTextCapacity = 260;

// A block of memory inside the program, for the list view's pointer arguments.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) {
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  void* address() const { return address_; }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0) {
    return offset + size <= size_ &&
           WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                              nullptr) != FALSE;
  }
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const {
    return offset + size <= size_ &&
           ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                             nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::string CellText(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(LVITEMW) + kCellTextCapacity * sizeof(wchar_t));
  if (!block.ok()) return "";
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = static_cast<int>(kCellTextCapacity);
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.address()) + sizeof item);
  if (!block.Write(&item, sizeof item)) return "";
  const LRESULT length = Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(block.address()));
  if (length <= 0) return "";
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (!block.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item)) return "";
  return win32::Utf8FromWide(text);
}

std::string CellRect(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(RECT));
  RECT rect{};
  rect.top = column;
  rect.left = LVIR_LABEL;
  if (!block.ok() || !block.Write(&rect, sizeof rect)) return "";
  if (Ask(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
          reinterpret_cast<LPARAM>(block.address())) <= 0 ||
      !block.Read(&rect, sizeof rect)) {
    return "";
  }
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  MapWindowPoints(list, nullptr, corners, 2);
  return std::to_string(corners[0].x) + "," + std::to_string(corners[0].y) + "," +
         std::to_string(corners[1].x) + "," + std::to_string(corners[1].y);
}

bool HasVisibleEditor(HWND list) {
  for (const wchar_t* kind : {L"Edit", L"ComboBox"}) {
    for (HWND child = FindWindowExW(list, nullptr, kind, nullptr); child != nullptr;
         child = FindWindowExW(list, child, kind, nullptr)) {
      if (IsWindowVisible(child)) return true;
    }
  }
  return false;
}

}  // namespace

HWND FindMacroPaneDialog(const std::vector<DWORD>& processIds) {
  for (HWND window : TopLevelWindows(processIds)) {
    // The main window has a control 1019 of its own.
    if (GetWindowLongPtrW(window, GWLP_USERDATA) == kMainWindowMarker) continue;
    if (IsWindowVisible(window) && GetDlgItem(window, kActionListId) != nullptr) return window;
  }
  return nullptr;
}

Fields PaneControlState(HWND dialog, int id) {
  if (dialog == nullptr) return {{"present", "0"}};
  HWND control = id == 0 ? dialog : GetDlgItem(dialog, id);
  Fields fields = ControlState(control);
  if (id != kActionListId || control == nullptr) return fields;
  const LRESULT rows = Ask(control, LVM_GETITEMCOUNT, 0, 0);
  const LRESULT selected = Ask(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  // The caption (a free text) stays last.
  fields.insert(fields.end() - 1, {"rows", std::to_string(rows)});
  fields.insert(fields.end() - 1, {"selected", std::to_string(selected)});
  fields.insert(fields.end() - 1, {"editing", HasVisibleEditor(control) ? "1" : "0"});
  return fields;
}

Fields PaneRow(HWND dialog, int row) {
  HWND list = dialog != nullptr ? GetDlgItem(dialog, kActionListId) : nullptr;
  if (list == nullptr || row < 0 || row >= Ask(list, LVM_GETITEMCOUNT, 0, 0)) {
    return {{"present", "0"}};
  }
  const std::string direction = CellText(list, row, 1);
  Fields fields = {{"present", "1"},
                   {"direction", direction.find("\u2191") != std::string::npos ? "up" : "down"},
                   {"delay", CellText(list, row, 2)}};
  for (int column = 0; column < kColumns; ++column) {
    fields.push_back({"rect" + std::to_string(column), CellRect(list, row, column)});
  }
  fields.push_back({"key", CellText(list, row, 0)});
  return fields;
}

Fields PaneSteps(HWND dialog, std::string* listing) {
  HWND list = dialog != nullptr ? GetDlgItem(dialog, kActionListId) : nullptr;
  if (list == nullptr) return {{"present", "0"}};
  const LRESULT rows = Ask(list, LVM_GETITEMCOUNT, 0, 0);
  for (int row = 0; row < rows && listing != nullptr; ++row) {
    const bool up = CellText(list, row, 1).find("\u2191") != std::string::npos;
    *listing +=
        CellText(list, row, 0) + "\t" + (up ? "up" : "down") + "\t" + CellText(list, row, 2) + "\n";
  }
  return {{"present", "1"}, {"rows", std::to_string(rows)}};
}

bool ShowPaneRow(HWND dialog, int row) {
  HWND list = dialog != nullptr ? GetDlgItem(dialog, kActionListId) : nullptr;
  return list != nullptr && Ask(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE) > 0;
}

}  // namespace tarvolin::tdriver
