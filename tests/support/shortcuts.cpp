#include "shortcuts.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "files.h"

namespace test {

TShortcut ReadShortcut(const std::string& path) {
  TShortcut content;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  const std::wstring name(path.begin(), path.end());
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(name.c_str(), STGM_READ))) {
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    content.Target = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    content.WorkingDirectory = text;
    link->GetArguments(text, MAX_PATH);
    content.Arguments = text;
    content.Read = true;
    // Wine's link object does not load the show command back; the file's
    // header keeps it at offset 0x3C.
    const std::string bytes = ReadText(path);
    if (bytes.size() >= 0x40) content.ShowCommand = static_cast<unsigned char>(bytes[0x3C]);
  }
  if (file) file->Release();
  if (link) link->Release();
  return content;
}

}  // namespace test
