#include "links.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "core/statusframe.h"
#include "platform/error.h"
#include "platform/fileinfo.h"
#include "platform/handles.h"
#include "platform/paths.h"

void TLinkFile::Reset() {
  InfoSize = Attributes = SizeHigh = SizeLow = 0;
  const FILETIME zero{};
  CreationTime = LastAccessTime = LastWriteTime = ConvertFileTime(zero);
  ReferencePath.clear();
  WorkingPath.clear();
  Arguments.clear();
  Description.clear();
  IconPath.clear();
  IconIndex = 0;
  HotKey = 0;
  ShowCommand = 0;
}

void TLinkFile::Save(const std::string& linkPath, bool overwrite) {
  STATUS_FRAME("TLinkFile::Save");
  frame.Run([&] {
    ReferencePath = GetFullPath(ReferencePath);
    if (IsLinkFile(ReferencePath))
      return frame.Raise(__LINE__, "This operating system does not support chained links.",
                         linkPath);
    if (MyFileExists(linkPath) && !overwrite) return;

    // Each step either succeeds or raises its message with the shell's result.
    auto failed = [&](HRESULT result, int line, const char* message) {
      if (!IsComFailure(result)) return false;
      frame.Raise(line, message, linkPath, "", static_cast<uint32_t>(result));
      return true;
    };
    TComPtr<IShellLinkA> link;
    TComPtr<IPersistFile> file;
    if (failed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()),
               __LINE__, "Failed to initialize instance."))
      return;
    if (failed(link->SetPath(ReferencePath.c_str()), __LINE__, "Failed to set reference path."))
      return;
    if (failed(link->SetWorkingDirectory(WorkingPath.c_str()), __LINE__,
               "Failed to set working path."))
      return;
    if (failed(link->SetArguments(Arguments.c_str()), __LINE__, "Failed to set arguments.")) return;
    if (failed(link->SetDescription(Description.c_str()), __LINE__, "Failed to set description."))
      return;
    if (failed(link->SetIconLocation(IconPath.c_str(), IconIndex), __LINE__,
               "Failed to set icon path."))
      return;
    if (failed(link->SetHotkey(HotKey), __LINE__, "Failed to set hot key.")) return;
    if (failed(link->SetShowCmd(ShowCommand), __LINE__, "Failed to set show command.")) return;
    if (failed(link->QueryInterface(IID_IPersistFile, file.PutVoid()), __LINE__,
               "Failed to query interface."))
      return;
    // The name in UTF-16, as long as it needs to be.
    SetLastError(0);
    const int length = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
    std::wstring name(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    if (length <= 0 ||
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, name.data(), length) <= 0 ||
        IsSystemError())
      return frame.Raise(__LINE__, "Failed to convert to unicode.", linkPath, "", GetLastError());
    failed(file->Save(name.c_str(), TRUE), __LINE__, "Failed to save link file.");
  });
  if (frame.Failed()) Reset();
}

void CopyFileAsLink(const std::string& target, const std::string& linkPath,
                    const std::string& arguments, const TLinkOptions& options) {
  STATUS_FRAME("CopyFileAsLink");
  frame.Run([&] {
    TLinkFile link;
    link.Reset();
    link.ReferencePath = target;
    if (options.StartInTargetDirectory) link.WorkingPath = GetFileDirectory(target);
    link.Arguments = arguments;
    link.ShowCommand = options.Minimised ? SW_SHOWMINNOACTIVE : 0;
    link.Save(linkPath, options.Overwrite);
    frame.Adopt();
  });
}

void CopyFileAsLinkWithParam(const std::string& target, const std::string& linkPath,
                             const std::string& arguments, const TLinkOptions& options) {
  STATUS_FRAME("CopyFileAsLinkWithParam");
  frame.Run([&] {
    TLinkFile link;
    link.Reset();
    link.ReferencePath = target;
    link.WorkingPath = GetFileDirectory(target);
    link.Arguments = arguments;
    link.ShowCommand = options.Minimised ? SW_SHOWMINNOACTIVE : 0;
    link.Save(linkPath, options.Overwrite);
    frame.Adopt();
  });
}
