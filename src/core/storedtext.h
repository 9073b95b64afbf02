// The contents of a stored text list and its file format: named sections of
// "key=value" lines, read and written whole, with typed reads that keep the
// target's value unless the stored one is acceptable.
//
// Reading splits the text at CR LF, a lone CR and a lone LF; a zero byte ends
// it. Nothing is trimmed. Empty lines and lines starting with ";" are skipped,
// "[name]" starts a section, lines before the first section are dropped, and
// every other line is kept as it stands. A key is the text before a line's
// first "=". Section names and keys are compared ignoring ASCII letter case;
// the first match wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "textconvert.h"

struct TStoredSection {
  std::string Name;
  std::vector<std::string> Lines;
};

class TStoredText {
 public:
  // Builds the contents from a file's text by the format's rules; never fails.
  static TStoredText Parse(std::string_view text);
  // The file's text: for every section "[name]", its lines and one empty
  // line, each ending in CR LF.
  std::string Format() const;

  void Clear();
  const std::vector<TStoredSection>& Sections() const { return sections_; }

  // The value of the first matching key line of the first matching section;
  // false when there is none.
  bool FindValue(std::string_view section, std::string_view key, std::string_view& value) const;
  // Replaces the first matching key line with key=value or appends it, in the
  // section found or a new one appended. Texts are written as given, cut at a
  // line break or a zero byte, which the format cannot hold.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  // The typed reads: the target changes only when the stored value is
  // acceptable, so its current value serves as the default.
  void ReadString(std::string_view section, std::string_view key, std::string& target,
                  bool allowEmpty, std::size_t maximumLength) const;
  void ReadBool(std::string_view section, std::string_view key, bool& target) const;
  void ReadInteger(std::string_view section, std::string_view key, int32_t& target, int32_t maximum,
                   int32_t minimum) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view text);
  void WriteBool(std::string_view section, std::string_view key, bool flag);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);

 private:
  using TIndex = std::unordered_map<std::string, std::size_t>;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::size_t FindSection(std::string_view name) const;
  std::size_t FindLine(std::size_t section, std::string_view key) const;

  std::vector<TStoredSection> sections_;
  // Built on first use and kept up to date by SetValue, so that reading or
  // writing a game's thousands of keys never scans the file once per key:
  // lower-cased section names to their first section, and for each section
  // looked into, lower-cased keys to their first line.
  mutable bool sectionIndexBuilt_ = false;
  mutable TIndex sectionIndex_;
  mutable std::unordered_map<std::size_t, TIndex> keyIndexes_;
};

// A stored integer: leading blanks, an optional sign, then decimal digits or
// hexadecimal ones after "$" or "0x" (either case), nothing after them, and
// within the 32-bit signed range.
bool ParseStoredInteger(std::string_view text, int32_t& value);
