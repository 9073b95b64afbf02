// The open and save file dialogs.
#pragma once

#include <string>

class TFileDialog {
 public:
  // "Description|pattern|Description|pattern".
  std::string Filter;
  // Where the dialog opens and what it proposes: a folder with a pattern
  // ("C:\Pictures\*") opens in that folder.
  std::string FileName;
  std::string DefaultExtension;  // without the dot
  std::string Title;

  // True when the player confirmed; FileName is then the chosen path.
  bool Execute();

 protected:
  explicit TFileDialog(bool save) : save_(save) {}

 private:
  bool save_;
};

class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog() : TFileDialog(false) {}
};

class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog() : TFileDialog(true) {}
};
