// A stored text list: a file of named sections of key=value lines held in
// memory, read and written whole. Its owner takes the values out in OnLoad
// and puts them in in OnSave; the list knows nothing of the keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/storedtext.h"

class TStoredTextList {
 public:
  explicit TStoredTextList(std::string filePath) : FilePath(std::move(filePath)) {}

  std::string FilePath;
  std::function<void(TStoredTextList& list)> OnLoad;
  std::function<void(TStoredTextList& list)> OnSave;

  // Context "TStoredTextList::Load". Replaces the contents with the file's
  // (none when there is no file), then calls OnLoad. A failure is shown as
  // "Failed to load file." and stays in FunStatContext for the caller.
  [[nodiscard]] bool Load();
  [[nodiscard]] bool LoadFrom(const std::string& filePath);
  // Context "TStoredTextList::Save". Asks before overwriting when prompting,
  // calls OnSave and replaces the file durably. True when the file was
  // written; a failure is shown as "Failed to save file." and then cleared.
  [[nodiscard]] bool Save(bool prompt);
  // Keeps the contents; a list that has none yet takes them from the file at
  // the new path first.
  [[nodiscard]] bool SaveAs(const std::string& filePath, bool prompt);
  void Clear();

  // No contents until the first Load or SaveAs (or a write), and none after
  // a failed Load.
  const TStoredText* Contents() const { return contents_ ? &*contents_ : nullptr; }
  // The contents to read or write through the core's typed readers and
  // writers; empty ones are made when there are none.
  TStoredText& EditContents() { return EnsureContents(); }

  void ReadString(const std::string& section, const std::string& key, std::string& target,
                  bool allowEmpty, std::size_t maximumLength) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& text);
  void ReadBool(const std::string& section, const std::string& key, bool& target) const;
  void WriteBool(const std::string& section, const std::string& key, bool flag);
  void ReadInteger(const std::string& section, const std::string& key, int32_t& target,
                   int32_t maximum, int32_t minimum) const;
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);

 private:
  TStoredText& EnsureContents();
  std::optional<TStoredText> contents_;
};

// The overwrite question asked by Save.
std::string OverwriteQuestion(const std::string& filePath);
