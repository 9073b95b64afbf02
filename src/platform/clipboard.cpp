#include "clipboard.h"

#include <shellapi.h>

#include "platform/ansipaths.h"
#include "platform/gdiplusapi.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The clipboard, opened for this thread while the object lives.
class TOpenClipboard {
 public:
  TOpenClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

// GDI+'s PNG encoder.
const CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

}  // namespace

std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    const std::string path = AnsiPath(name);
    if (!path.empty()) files.push_back(path);
  }
  return files;
}

std::vector<std::string> ClipboardFiles() {
  TOpenClipboard clipboard;
  if (!clipboard.Open()) return {};
  HANDLE drop = GetClipboardData(CF_HDROP);
  return drop ? DroppedFiles(static_cast<HDROP>(drop)) : std::vector<std::string>();
}

bool ClipboardHasPicture() {
  return IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB);
}

bool SaveClipboardPicture(const std::string& pngPath) {
  const std::wstring path = ToWide(pngPath);
  TOpenClipboard clipboard;
  if (path.empty() || !clipboard.Open()) return false;
  // The system makes a bitmap of a copied device-independent one.
  HBITMAP copied = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  GpBitmap* bitmap = nullptr;
  if (!copied || GdipCreateBitmapFromHBITMAP(copied, nullptr, &bitmap) != Ok) return false;
  const bool saved = GdipSaveImageToFile(bitmap, path.c_str(), &kPngEncoder, nullptr) == Ok;
  GdipDisposeImage(bitmap);
  if (!saved) DeleteFileW(path.c_str());
  return saved;
}
