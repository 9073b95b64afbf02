#include "directories.h"

#include <windows.h>

#include "core/statusframe.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/retry.h"

namespace {

// A directory search that, like the framework's, visits only entries whose
// hidden, system, volume and directory bits are all within the mask. Code()
// is 0 while there is an entry, otherwise the system's error code (18 at the
// end).
class TFileSearch {
 public:
  TFileSearch(const std::string& pattern, DWORD mask)
      : excluded_(~mask & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08 |
                           FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(0);
    handle_ = FindFirstFileA(pattern.c_str(), &entry_);
    if (handle_ == INVALID_HANDLE_VALUE)
      code_ = GetLastError() ? GetLastError() : ERROR_FILE_NOT_FOUND;
    SkipExcluded();
  }
  ~TFileSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  TFileSearch(const TFileSearch&) = delete;
  TFileSearch& operator=(const TFileSearch&) = delete;

  DWORD Code() const { return code_; }
  void Next() {
    Step();
    SkipExcluded();
  }
  std::string Name() const { return entry_.cFileName; }
  bool IsDirectory() const { return entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY; }
  bool IsLink() const { return entry_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT; }
  // "." and "..": the directory itself and its parent.
  bool IsSelfOrParent() const { return Name() == "." || Name() == ".."; }

 private:
  void Step() {
    SetLastError(0);
    if (FindNextFileA(handle_, &entry_)) {
      code_ = 0;
    } else {
      // A failing step that leaves no code still ends the search.
      code_ = GetLastError() ? GetLastError() : ERROR_NO_MORE_FILES;
    }
  }
  void SkipExcluded() {
    while (code_ == 0 && (entry_.dwFileAttributes & excluded_)) Step();
  }
  DWORD excluded_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA entry_{};
  DWORD code_ = 0;
};

// One level of CopyDeleteDirectory. excluded is the canonical destination
// when it lies inside the source: it is never entered, so a copy into its
// own subfolder does not copy itself again and again.
void CopyDeleteLevel(const std::string& source, const std::string& destination, bool copy,
                     const std::string& excluded) {
  STATUS_FRAME("CopyDeleteDirectory");
  frame.Run([&] {
    if (destination.empty()) return frame.Raise(__LINE__, "Empty destination name.", source);
    SetLastError(0);
    CreateDirectoryExA(source.c_str(), destination.c_str(), nullptr);
    if (IsSystemErrorExceptExisting())
      return frame.Raise(__LINE__, "Failed to create directory.", source, destination,
                         GetLastError());
    const std::string from = AddPathDelimiter(source);
    const std::string to = AddPathDelimiter(destination);
    TFileSearch search(from + "*",
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    if (!IsFindEndCode(search.Code()))
      return frame.Raise(__LINE__, "Failed to find first file.", source, destination,
                         search.Code());
    for (; search.Code() == 0; search.Next()) {
      if (search.IsSelfOrParent()) continue;
      const std::string sourceEntry = from + search.Name();
      const std::string destinationEntry = to + search.Name();
      if (search.IsDirectory()) {
        if (!excluded.empty() &&
            SameTextAscii(RemovePathDelimiter(GetCanonicalPath(sourceEntry)), excluded))
          continue;
        CopyDeleteLevel(sourceEntry, destinationEntry, copy, excluded);
        // A copy stops at its first failure, which its caller must see: an
        // incomplete program is never taken for an installed one.
        if (frame.Adopt() && copy) return;
      } else if (copy) {
        RemoveReadOnly(destinationEntry);
        const DWORD code = RetryWhileHeld([&]() -> DWORD {
          SetLastError(0);
          return CopyFileA(sourceEntry.c_str(), destinationEntry.c_str(), FALSE) ? 0
                                                                                 : GetLastError();
        });
        if (code != 0)
          return frame.Raise(__LINE__, "Failed to copy file.", sourceEntry, destinationEntry, code);
      } else {
        RemoveReadOnly(sourceEntry);
        DeleteFileA(sourceEntry.c_str());
      }
    }
  });
  if (!copy) {
    RemoveReadOnly(source);
    RemoveDirectoryA(source.c_str());
  }
}

// The canonical destination when it lies inside the source (or is the
// source); empty otherwise.
std::string DestinationInsideSource(const std::string& source, const std::string& destination) {
  if (source.empty() || destination.empty()) return "";
  const std::string from = RemovePathDelimiter(GetCanonicalPath(source));
  const std::string to = RemovePathDelimiter(GetCanonicalPath(destination));
  if (SameTextAscii(to, from)) return to;
  const std::string prefix = AddPathDelimiter(from);
  if (to.size() > prefix.size() && SameTextAscii(to.substr(0, prefix.size()), prefix)) return to;
  return "";
}

}  // namespace

void MyRenameFile(const std::string& oldPath, const std::string& newPath, bool overwrite) {
  STATUS_FRAME("MyRenameFile");
  frame.Run([&] {
    DWORD flags = MOVEFILE_COPY_ALLOWED;
    if (overwrite && !IsSamePath(oldPath, newPath) && MyFileExists(newPath)) {
      RemoveReadOnly(newPath);
      // Replacing in the move itself, not deleting first: a move that fails
      // must not cost the existing file.
      flags |= MOVEFILE_REPLACE_EXISTING;
    }
    const DWORD code = RetryWhileHeld([&]() -> DWORD {
      SetLastError(0);
      return MoveFileExA(oldPath.c_str(), newPath.c_str(), flags) ? 0 : GetLastError();
    });
    if (code != 0) {
      SetLastError(code);
      frame.Raise(__LINE__, "Failed to rename.", oldPath, newPath);
    }
  });
}

void DeleteDirectoryNoErrors(const std::string& directory, const std::string& kept) {
  STATUS_FRAME("DeleteDirectoryNoErrors");
  frame.Run([&] {
    // An empty text would search the current directory and empty it.
    if (directory.empty()) return frame.Raise(__LINE__, "Can not find directory.", directory);
    const std::string base = AddPathDelimiter(directory);
    {
      TFileSearch search(base + "*", 0x3F);
      if (!IsFindEndCode(search.Code())) {
        frame.Raise(__LINE__, "Can not find directory.", directory);
      } else {
        for (; search.Code() == 0; search.Next()) {
          if (search.IsSelfOrParent()) continue;
          if (!kept.empty() && SameTextAscii(search.Name(), kept)) continue;
          const std::string entry = base + search.Name();
          if (search.IsDirectory() && search.IsLink()) {
            // A junction or directory link: remove the link, keep its target.
            RemoveReadOnly(entry);
            RemoveDirectoryA(entry.c_str());
          } else if (search.IsDirectory()) {
            DeleteDirectoryNoErrors(entry);
          } else {
            RemoveReadOnly(entry);
            DeleteFileA(entry.c_str());
          }
        }
        if (!IsFindEndCode(search.Code()))
          frame.Raise(__LINE__, "Failed to delete directory content.", directory);
      }
    }
    RemoveReadOnly(directory);
    RemoveDirectoryA(directory.c_str());
  });
}

void CopyDeleteDirectory(const std::string& source, const std::string& destination, bool copy) {
  STATUS_FRAME("CopyDeleteDirectory");
  frame.Run([&] {
    CopyDeleteLevel(source, destination, copy,
                    copy ? DestinationInsideSource(source, destination) : std::string());
    frame.Adopt();
  });
  // One box for the whole tree, however deep the failure lay.
  if (frame.Failed())
    MessageBoxA(nullptr, "Failed to process directory.", "Error", MB_OKCANCEL | MB_ICONERROR);
}
