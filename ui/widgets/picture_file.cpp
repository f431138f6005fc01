#include "ui/widgets/picture_file.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include "platform/win32/unique_handle.h"

namespace tarvolin::widgets {
namespace {

// Frees the memory block unless a stream has taken it over.
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (block_ != nullptr) GlobalFree(block_);
  }
  HGLOBAL get() const { return block_; }
  HGLOBAL Release() {
    HGLOBAL block = block_;
    block_ = nullptr;
    return block;
  }

 private:
  HGLOBAL block_;
};

template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface** Out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

skin::BitmapHandle LoadPictureBitmap(const std::wstring& path) {
  const win32::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  // Skin pictures are small; anything beyond 256 MiB is not a picture we can use.
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > (LONGLONG{1} << 28)) {
    return {};
  }
  const auto byteCount = static_cast<DWORD>(size.QuadPart);
  GlobalBlock block(byteCount);
  if (block.get() == nullptr) return {};
  void* data = GlobalLock(block.get());
  if (data == nullptr) return {};
  DWORD read = 0;
  const BOOL readOk = ReadFile(file.get(), data, byteCount, &read, nullptr);
  GlobalUnlock(block.get());
  if (!readOk || read != byteCount) return {};

  ComPointer<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.Out())) || stream.get() == nullptr) {
    return {};
  }
  block.Release();  // the stream frees it now
  ComPointer<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(byteCount), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.Out()))) ||
      picture.get() == nullptr) {
    return {};
  }
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Handle(&handle)) || handle == 0) return {};
  // The picture owns its bitmap; keep a copy of our own and release the picture.
  HANDLE copy = CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0,
                          0, LR_CREATEDIBSECTION);
  return skin::BitmapHandle(static_cast<HBITMAP>(copy));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

}  // namespace tarvolin::widgets
