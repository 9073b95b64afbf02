#include "statusframe.h"

TStatusFrame::TStatusFrame(const char* file, const char* context, int line)
    : file_(file), context_(context), line_(line) {
  FunStatContext.Begin(file, context, line);
}

TStatusFrame::~TStatusFrame() {
  // A destructor must not throw: out of memory while copying the texts would
  // end the program. The level alone still tells the caller how it went.
  try {
    FunStatContext.Assign(Local);
  } catch (...) {
    FunStatContext.Status = Local.Status;
  }
}

void TStatusFrame::Raise(int line, const std::string& description, const std::string& parameter1,
                         const std::string& parameter2, uint32_t systemErrorCode, int32_t level) {
  Local.Raise(file_, context_, line, level, description, parameter1, parameter2, systemErrorCode);
}

bool TStatusFrame::Adopt() {
  if (!FunStatContext.Failed()) return false;
  Local.Assign(FunStatContext);
  return true;
}

void TStatusFrame::ShowStep(int line, const std::string& headline, bool resetAfterShow) {
  if (Local.Failed()) {
    Local.NoteShow(file_, "", line);
    Local.Show(headline);
  }
  if (resetAfterShow) Local.Reset(fsPerfect);
}

void TStatusFrame::Catch(const std::string& description, const std::string& throwFile,
                         int throwLine) noexcept {
  try {
    Local.Raise(file_, context_, line_, fsError, description, throwFile,
                std::to_string(static_cast<unsigned>(throwLine)), 0);
  } catch (...) {
    // Out of memory while recording: the level alone still says it failed.
    Local.Status = fsError;
  }
}
