#include "textfile.h"

#include <algorithm>

#include "core/pathtext.h"
#include "core/statusframe.h"
#include "platform/handles.h"
#include "platform/paths.h"
#include "platform/retry.h"

std::function<DWORD(TDurableWriteStep step, const std::string& temporaryPath)> DurableWriteTestHook;

namespace {

// Big files go through the system in pieces the DWORD counts can hold.
constexpr DWORD ChunkSize = 1024 * 1024;

DWORD TestHookCode(TDurableWriteStep step, const std::string& temporaryPath) {
  return DurableWriteTestHook ? DurableWriteTestHook(step, temporaryPath) : 0;
}

// The code to report after a call that said it failed; never 0, so that the
// failure is not mistaken for success further up.
DWORD FailureCode() {
  const DWORD code = GetLastError();
  return code != 0 ? code : ERROR_GEN_FAILURE;
}

// Deletes the temporary file unless it has been renamed into place.
class TTemporaryFile {
 public:
  ~TTemporaryFile() {
    if (!Path.empty()) DeleteFileA(Path.c_str());
  }
  std::string Path;
};

}  // namespace

void ReadTextFile(const std::string& path, std::string& text) {
  STATUS_FRAME("ReadTextFile");
  frame.Run([&] {
    text.clear();
    SetLastError(0);
    // Others may read it, and rename a new version over it, while we read.
    TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid())
      return frame.Raise(__LINE__, "Failed to open file.", path, "", FailureCode());
    LARGE_INTEGER size{};
    SetLastError(0);
    if (!GetFileSizeEx(file.Get(), &size))
      return frame.Raise(__LINE__, "Failed to read file.", path, "", FailureCode());
    if (static_cast<uint64_t>(size.QuadPart) > MaximumTextFileSize)
      return frame.Raise(__LINE__, "File is too large.", path, std::to_string(size.QuadPart));

    text.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < text.size()) {
      const DWORD wanted = static_cast<DWORD>(std::min<size_t>(text.size() - done, ChunkSize));
      DWORD read = 0;
      SetLastError(0);
      if (!ReadFile(file.Get(), text.data() + done, wanted, &read, nullptr)) {
        text.clear();
        return frame.Raise(__LINE__, "Failed to read file.", path, "", FailureCode());
      }
      if (read == 0) break;  // shrunk while we read: take what there is
      done += read;
    }
    text.resize(done);
  });
}

void WriteTextFileDurably(const std::string& path, const std::string& text) {
  STATUS_FRAME("WriteTextFileDurably");
  frame.Run([&] {
    // Declared before the handle, so the file is closed before it is deleted.
    TTemporaryFile temporary;
    const std::string folder = GetFileDirectory(path);
    const std::string directory = folder.empty() ? std::string(".") : folder;

    if (IsPathTooLong(path) || IsFolderTooLong(directory))
      return frame.Raise(__LINE__, kPathTooLong, path);
    char name[MAX_PATH] = {};
    SetLastError(0);
    DWORD code = TestHookCode(TDurableWriteStep::CreateTemporary, "");
    if (code == 0 && GetTempFileNameA(directory.c_str(), "qtl", 0, name) == 0) code = FailureCode();
    if (code != 0)
      return frame.Raise(__LINE__, "Failed to create temporary file.", path, directory, code);
    temporary.Path = name;

    SetLastError(0);
    TKernelHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
      return frame.Raise(__LINE__, "Failed to create temporary file.", path, name, FailureCode());

    code = TestHookCode(TDurableWriteStep::Write, temporary.Path);
    for (size_t done = 0; code == 0 && done < text.size();) {
      const DWORD wanted = static_cast<DWORD>(std::min<size_t>(text.size() - done, ChunkSize));
      DWORD written = 0;
      SetLastError(0);
      if (!WriteFile(file.Get(), text.data() + done, wanted, &written, nullptr) || written == 0)
        code = FailureCode();
      done += written;
    }
    if (code != 0) return frame.Raise(__LINE__, "Failed to write file.", path, name, code);

    code = TestHookCode(TDurableWriteStep::Flush, temporary.Path);
    SetLastError(0);
    if (code == 0 && !FlushFileBuffers(file.Get())) code = FailureCode();
    file.Close();
    if (code != 0) return frame.Raise(__LINE__, "Failed to write file.", path, name, code);

    // A read-only file would refuse the rename: clear every attribute, as
    // for any read-only file we overwrite, and put them back on failure.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
                          (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    code = RetryWhileHeld([&]() -> DWORD {
      if (const DWORD hooked = TestHookCode(TDurableWriteStep::Replace, temporary.Path))
        return hooked;
      SetLastError(0);
      return MoveFileExA(name, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                 ? 0
                 : FailureCode();
    });
    if (code != 0) {
      if (readOnly) SetFileAttributesA(path.c_str(), attributes);
      return frame.Raise(__LINE__, "Failed to replace file.", path, name, code);
    }
    temporary.Path.clear();
  });
}
