#include "storedtext.h"

#include "pathtext.h"

namespace {

// Sections and keys match whatever their case.
std::string LowerKey(std::string_view text) {
  return LowerAscii(std::string(text));
}

// The key of a stored line: everything before its first "=". Lines without
// one have no key and never match.
bool LineKey(std::string_view line, std::string_view& key) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  key = line.substr(0, equals);
  return true;
}

// What the format can hold of a text: everything before its first line break
// or zero byte. Anything after one would come back as other lines, or end the
// file, when it is read again.
std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
}

bool IsSectionLine(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

int DigitValue(char c, bool hexadecimal) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hexadecimal) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TStoredText TStoredText::Parse(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  TStoredText contents;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;

    if (line.empty() || line.front() == ';') continue;
    if (IsSectionLine(line)) {
      contents.sections_.push_back({std::string(line.substr(1, line.size() - 2)), {}});
    } else if (!contents.sections_.empty()) {
      contents.sections_.back().Lines.emplace_back(line);
    }
  }
  return contents;
}

std::string TStoredText::Format() const {
  std::size_t size = 0;
  for (const TStoredSection& section : sections_) {
    size += section.Name.size() + 6;
    for (const std::string& line : section.Lines) size += line.size() + 2;
  }
  std::string text;
  text.reserve(size);
  for (const TStoredSection& section : sections_) {
    text += '[';
    text += section.Name;
    text += "]\r\n";
    for (const std::string& line : section.Lines) {
      text += line;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

void TStoredText::Clear() {
  sections_.clear();
  sectionIndexBuilt_ = false;
  sectionIndex_.clear();
  keyIndexes_.clear();
}

std::size_t TStoredText::FindSection(std::string_view name) const {
  if (!sectionIndexBuilt_) {
    for (std::size_t i = 0; i < sections_.size(); ++i)
      sectionIndex_.emplace(LowerKey(sections_[i].Name), i);  // keeps the first
    sectionIndexBuilt_ = true;
  }
  const auto found = sectionIndex_.find(LowerKey(name));
  return found == sectionIndex_.end() ? npos : found->second;
}

std::size_t TStoredText::FindLine(std::size_t section, std::string_view key) const {
  auto [index, added] = keyIndexes_.try_emplace(section);
  if (added) {
    const std::vector<std::string>& lines = sections_[section].Lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string_view lineKey;
      if (LineKey(lines[i], lineKey)) index->second.emplace(LowerKey(lineKey), i);
    }
  }
  const auto found = index->second.find(LowerKey(key));
  return found == index->second.end() ? npos : found->second;
}

bool TStoredText::FindValue(std::string_view section, std::string_view key,
                            std::string_view& value) const {
  const std::size_t s = FindSection(section);
  if (s == npos) return false;
  const std::size_t l = FindLine(s, key);
  if (l == npos) return false;
  const std::string& line = sections_[s].Lines[l];
  value = std::string_view(line).substr(line.find('=') + 1);
  return true;
}

void TStoredText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  section = FirstLine(section);
  key = FirstLine(key);
  value = FirstLine(value);

  std::size_t s = FindSection(section);
  if (s == npos) {
    s = sections_.size();
    sections_.push_back({std::string(section), {}});
    sectionIndex_.emplace(LowerKey(section), s);
  }
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append(1, '=').append(value);

  std::vector<std::string>& lines = sections_[s].Lines;
  const std::size_t l = FindLine(s, key);
  if (l != npos) {
    lines[l] = std::move(line);
    return;
  }
  // Indexed under the key the line will be read back with: a key holding
  // "=" is, in the file, only the text before it.
  std::string_view lineKey;
  LineKey(line, lineKey);
  keyIndexes_[s].emplace(LowerKey(lineKey), lines.size());
  lines.push_back(std::move(line));
}

void TStoredText::ReadString(std::string_view section, std::string_view key, std::string& target,
                             bool allowEmpty, std::size_t maximumLength) const {
  std::string_view value;
  if (!FindValue(section, key, value)) return;
  if ((allowEmpty || !value.empty()) && value.size() <= maximumLength) target.assign(value);
}

void TStoredText::ReadBool(std::string_view section, std::string_view key, bool& target) const {
  std::string_view value;
  if (FindValue(section, key, value)) target = TextToBool(value);
}

void TStoredText::ReadInteger(std::string_view section, std::string_view key, int32_t& target,
                              int32_t maximum, int32_t minimum) const {
  std::string_view value;
  int32_t number = 0;
  if (FindValue(section, key, value) && ParseStoredInteger(value, number) && number >= minimum &&
      number <= maximum)
    target = number;
}

void TStoredText::WriteString(std::string_view section, std::string_view key,
                              std::string_view text) {
  SetValue(section, key, text);
}

void TStoredText::WriteBool(std::string_view section, std::string_view key, bool flag) {
  SetValue(section, key, BoolToText(flag));
}

void TStoredText::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  SetValue(section, key, std::to_string(value));
}

bool ParseStoredInteger(std::string_view text, int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hexadecimal = false;
  if (i < text.size() && text[i] == '$') {
    hexadecimal = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hexadecimal = true;
    i += 2;
  }
  if (i == text.size()) return false;

  // The magnitude may reach 2^31 for the most negative number; anything
  // beyond is out of range, however many digits follow.
  const uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  const unsigned base = hexadecimal ? 16 : 10;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hexadecimal);
    if (digit < 0) return false;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
    if (magnitude > limit) return false;
  }
  value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                   : static_cast<int32_t>(magnitude);
  return true;
}
