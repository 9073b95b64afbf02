#include "recovery.h"

TRecoveryKeeper::TAction TRecoveryKeeper::Tick(bool modified, const std::string& text) {
  if (!modified) {
    seen_.clear();
    return onDisk_ ? TAction::Remove : TAction::None;
  }
  // Changed since the last ask: it is written once it rests.
  if (text != seen_) {
    seen_ = text;
    return TAction::None;
  }
  return onDisk_ && text == written_ ? TAction::None : TAction::Write;
}

void TRecoveryKeeper::Wrote(const std::string& text) {
  written_ = text;
  onDisk_ = true;
}

void TRecoveryKeeper::Removed() {
  written_.clear();
  onDisk_ = false;
}
