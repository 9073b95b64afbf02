// When the recovery copy of a game is written and removed. A game exists
// only in memory until it is saved; while it is modified, a copy in the game
// file format is kept on disk, written once the game has rested since its
// last change, so that a crash or a power cut loses at most that rest.
#pragma once

#include <string>

class TRecoveryKeeper {
 public:
  enum class TAction { None, Write, Remove };
  // Asked at a steady pace, with the game's modified mark and the text its
  // copy would hold (looked at only while modified). Write: the game is
  // modified and unchanged since the last ask, and the copy holds something
  // else. Remove: the game is no longer modified (saved, replaced, new) and a
  // copy may lie on disk.
  TAction Tick(bool modified, const std::string& text);
  // The copy was written with this text (or tried: a copy that can't be
  // written is tried again only after the next change).
  void Wrote(const std::string& text);
  // The copy is gone, or never was.
  void Removed();

 private:
  std::string seen_;     // the text at the last ask
  std::string written_;  // the copy's text
  bool onDisk_ = false;
};
