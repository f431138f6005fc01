#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/file_dialog_filter.h"

// The common file dialogs that pick profile files: import and the profile manager's Load
// open a file, export and the profile manager's Add save one.

namespace tarvolin::profiles::win32 {

enum class FileDialogKind { kOpen, kSave };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  std::u16string initial_file_name{kProfileInitialFileName};
  std::u16string default_extension{kProfileDefaultExtension};
  std::u16string filter{kProfileFileFilter};  // "text|pattern|...||"
  DWORD flags = OFN_HIDEREADONLY;
};

// Open: OFN_HIDEREADONLY. Save: OFN_HIDEREADONLY and OFN_OVERWRITEPROMPT.
FileDialogRequest OpenProfileRequest(
    std::u16string_view initial_file_name = kProfileInitialFileName);
FileDialogRequest SaveProfileRequest(
    std::u16string_view initial_file_name = kProfileInitialFileName);

// The OPENFILENAMEW of a request with the buffers it points into.
class FileDialogSetup {
 public:
  // Long enough for the longest path Windows accepts.
  static constexpr std::size_t kFileBufferLength = 32768;

  FileDialogSetup(HWND owner, const FileDialogRequest& request);
  FileDialogSetup(const FileDialogSetup&) = delete;
  FileDialogSetup& operator=(const FileDialogSetup&) = delete;

  OPENFILENAMEW& Get() { return dialog_; }
  const OPENFILENAMEW& Get() const { return dialog_; }
  // What the file buffer holds: the initial name before the dialog, the choice after it.
  std::wstring FileName() const;

 private:
  std::wstring filter_;
  std::wstring default_extension_;
  std::vector<wchar_t> file_buffer_;
  OPENFILENAMEW dialog_{};
};

// Shows the dialog; the chosen path, or nothing when the user cancels (or the dialog fails).
std::optional<std::filesystem::path> ShowFileDialog(HWND owner, const FileDialogRequest& request);

}  // namespace tarvolin::profiles::win32
