#include "storedtextlist.h"

#include "core/statusframe.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/textfile.h"

std::string OverwriteQuestion(const std::string& filePath) {
  return "File \"" + filePath + "\"already exists.\nOverwrite it?";
}

bool TStoredTextList::Load() {
  STATUS_FRAME("TStoredTextList::Load");
  frame.Run([&] {
    contents_.reset();
    TStoredText contents;
    if (MyFileExists(FilePath)) {
      std::string text;
      ReadTextFile(FilePath, text);
      if (frame.Adopt()) return;
      contents = TStoredText::Parse(text);
    }
    contents_ = std::move(contents);
    // The hook runs no frame of its own; only what it throws is its failure.
    if (OnLoad) OnLoad(*this);
  });
  frame.ShowStep(__LINE__, "Failed to load file.", false);
  return !frame.Failed();
}

bool TStoredTextList::LoadFrom(const std::string& filePath) {
  FilePath = filePath;
  return Load();
}

bool TStoredTextList::Save(bool prompt) {
  STATUS_FRAME("TStoredTextList::Save");
  bool written = false;
  frame.Run([&] {
    if (prompt && MyFileExists(FilePath) && !QueryDialog(OverwriteQuestion(FilePath))) return;
    // As in Load, the hook's callees may leave a status of their own (a
    // warned-about combo box, say); the file is written all the same.
    if (OnSave) OnSave(*this);
    WriteTextFileDurably(FilePath, EnsureContents().Format());
    if (frame.Adopt()) return;
    written = true;
  });
  frame.ShowStep(__LINE__, "Failed to save file.");
  return written;
}

bool TStoredTextList::SaveAs(const std::string& filePath, bool prompt) {
  FilePath = filePath;
  if (!contents_) {
    // A file that cannot be read here gives empty contents: the owner's hook
    // fills them, and Save reports whether the file can be written.
    TStoredText contents;
    if (MyFileExists(FilePath)) {
      std::string text;
      ReadTextFile(FilePath, text);
      contents = TStoredText::Parse(text);
    }
    contents_ = std::move(contents);
  }
  return Save(prompt);
}

void TStoredTextList::Clear() {
  EnsureContents().Clear();
}

TStoredText& TStoredTextList::EnsureContents() {
  if (!contents_) contents_.emplace();
  return *contents_;
}

void TStoredTextList::ReadString(const std::string& section, const std::string& key,
                                 std::string& target, bool allowEmpty,
                                 std::size_t maximumLength) const {
  if (contents_) contents_->ReadString(section, key, target, allowEmpty, maximumLength);
}

void TStoredTextList::WriteString(const std::string& section, const std::string& key,
                                  const std::string& text) {
  EnsureContents().WriteString(section, key, text);
}

void TStoredTextList::ReadBool(const std::string& section, const std::string& key,
                               bool& target) const {
  if (contents_) contents_->ReadBool(section, key, target);
}

void TStoredTextList::WriteBool(const std::string& section, const std::string& key, bool flag) {
  EnsureContents().WriteBool(section, key, flag);
}

void TStoredTextList::ReadInteger(const std::string& section, const std::string& key,
                                  int32_t& target, int32_t maximum, int32_t minimum) const {
  if (contents_) contents_->ReadInteger(section, key, target, maximum, minimum);
}

void TStoredTextList::WriteInteger(const std::string& section, const std::string& key,
                                   int32_t value) {
  EnsureContents().WriteInteger(section, key, value);
}
