#include "error.h"

#include "core/funstat.h"
#include "platform/program.h"
#include "platform/timetext.h"

namespace {

bool IsOneOf(DWORD code, std::initializer_list<DWORD> codes) {
  for (DWORD listed : codes)
    if (code == listed) return true;
  return false;
}

// Failures are shown from anywhere through the status context, which cannot
// be handed a dialog: the dialog that shows them is kept here.
TErrorDialogEntry& DialogEntry() {
  static TErrorDialogEntry entry;
  return entry;
}

std::function<int32_t()>& RecursionCount() {
  static std::function<int32_t()> count;
  return count;
}

}  // namespace

bool IsSystemError() {
  return !IsOneOf(GetLastError(), {0, 14, 1235});
}

bool IsSystemErrorExceptExisting() {
  return !IsOneOf(GetLastError(), {0, 14, 183, 1235});
}

bool IsFindEndCode(DWORD code) {
  return IsOneOf(code, {0, 2, 18});
}

bool IsComFailure(HRESULT result) {
  return result < 0 && static_cast<uint32_t>(result) != 0x800704C7u;
}

std::string SystemErrorText(uint32_t code) {
  // The system allocates: a message longer than our limit is cut, not lost.
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT),
      reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (buffer) {
    text.assign(buffer, length);
    LocalFree(buffer);
  }
  return TrimMessageText(text);
}

std::string TrimMessageText(const std::string& message) {
  std::string text = message.substr(0, 255);
  while (!text.empty()) {
    const unsigned char last = static_cast<unsigned char>(text.back());
    if (last > ' ' && last != 0x7F && last != '.') break;
    text.pop_back();
  }
  return text;
}

void SetErrorDialogEntry(TErrorDialogEntry entry, std::function<int32_t()> recursionCount) {
  DialogEntry() = std::move(entry);
  RecursionCount() = std::move(recursionCount);
}

void InstallErrorReporting() {
  TFunStatContext::ReportEnvironment = [](uint32_t code) {
    TReportEnvironment environment;
    environment.TimeText = GetDateTimeText(" | ", CurrentDateTime());
    environment.ProgramPath = GetProgramFileName();
    environment.RecursiveAttempts = RecursionCount() ? RecursionCount()() : 0;
    if (code != 0) environment.SystemErrorText = SystemErrorText(code);
    return environment;
  };
  TFunStatContext::ShowHandler = [](const TFunStatContext& context, const std::string& headline,
                                    bool* noErrors) {
    if (DialogEntry())
      return DialogEntry()(TFunStatContext::GetStatusText(context.Status), headline,
                           context.GetReportText(), noErrors);
    MessageBoxA(nullptr, "The error-dialog form is not created. You must create it.", "Error",
                MB_OK);
    if (noErrors) *noErrors = false;
    return false;
  };
}

void TFunStatContext::OnApplicationException(const std::string& message) {
  const DWORD code = GetLastError();
  const std::string text = "Unhandled error.\r\n" + message;
  FunStatContext.Raise(__FILE_NAME__, "TFunStatContext::OnApplicationException", __LINE__, fsError,
                       text, "", "", code);
  FunStatContext.NoteShow(__FILE_NAME__, "TFunStatContext::OnApplicationException", __LINE__);
  FunStatContext.Show(text);
  FunStatContext.Reset(fsPerfect);
}
