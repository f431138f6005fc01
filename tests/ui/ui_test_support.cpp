#include "tests/ui/ui_test_support.h"

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

#include "ui/widgets/message_reflection.h"

namespace tarvolin::uitest {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

constexpr wchar_t kParentClass[] = L"TarvolinTestParent";

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"tarvolin-ui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(counter++) + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  // SHFileOperation wants a double-terminated list and no trailing backslash.
  std::wstring from = path_.substr(0, path_.size() - 1);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationW(&operation);
}

void ScratchFolder::Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const {
  HANDLE file = CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void ScratchFolder::WriteText(const std::wstring& name, const std::string& text) const {
  Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> MakeBmp(int width, int height, const PixelFunction& pixel) {
  const int stride = (width * 3 + 3) & ~3;
  const auto imageSize = static_cast<std::uint32_t>(stride * height);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + imageSize);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = pixel(x, y);
      out.push_back(GetBValue(colour));
      out.push_back(GetGValue(colour));
      out.push_back(GetRValue(colour));
      written += 3;
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  return out;
}

RecordingParent::RecordingParent(int width, int height) {
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RecordingParent::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassW(&windowClass);
  }();
  (void)atom;
  hwnd_ = CreateWindowExW(0, kParentClass, L"test parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                          0, 0, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  PumpMessages();
}

RecordingParent::~RecordingParent() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  PumpMessages();
}

int RecordingParent::CountOf(UINT message) const {
  int count = 0;
  for (const Message& m : messages_) count += m.message == message ? 1 : 0;
  return count;
}

LRESULT CALLBACK RecordingParent::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<RecordingParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr) {
    if ((message >= 0xA700 && message <= 0xA7FF) || message == 0x28D1) {
      self->messages_.push_back({message, wParam, lParam});
      return 0;
    }
    if (message == WM_COMMAND) self->messages_.push_back({message, wParam, lParam});
    LRESULT result = 0;
    if (widgets::ReflectToChild(message, wParam, lParam, result)) return result;
    if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

RenderedClient::RenderedClient(HWND window, COLORREF background) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  if (width_ <= 0 || height_ <= 0) return;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(memory, &client, brush);
  DeleteObject(brush);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  pixels_.resize(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      pixels_[static_cast<std::size_t>(y) * width_ + x] = GetPixel(memory, x, y);
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

COLORREF RenderedClient::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

std::wstring WindowsPathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return {};
  std::wstring path;
  if (value[0] == '/') path = L"Z:";
  for (const char* c = value; *c != '\0'; ++c) {
    path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  }
  if (path.back() != L'\\') path.push_back(L'\\');
  return path;
}

}  // namespace tarvolin::uitest
