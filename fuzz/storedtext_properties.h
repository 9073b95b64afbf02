// What must hold for any bytes read as a stored text list. Shared by the
// fuzzer and by the core tests, which replay the fuzzer's corpus.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/storedtext.h"

namespace storedtext_properties {

inline bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The lookup as the format defines it, by plain scanning.
inline bool ScanValue(const TStoredText& text, std::string_view section, std::string_view key,
                      std::string_view& value) {
  for (const TStoredSection& s : text.Sections()) {
    if (!SameAscii(s.Name, section)) continue;
    for (const std::string& line : s.Lines) {
      const size_t equals = line.find('=');
      if (equals != std::string::npos && SameAscii(std::string_view(line).substr(0, equals), key)) {
        value = std::string_view(line).substr(equals + 1);
        return true;
      }
    }
    return false;  // only the first section of a name counts
  }
  return false;
}

// The integer syntax checked with the C library's conversion.
inline bool ReferenceInteger(std::string_view text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (text.substr(i, 1) == "$") {
    base = 16;
    i += 1;
  } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
    base = 16;
    i += 2;
  }
  const std::string digits(text.substr(i));
  if (digits.empty()) return false;
  for (char c : digits) {
    const bool decimal = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!decimal && !(base == 16 && hex)) return false;
  }
  errno = 0;
  const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
  if (errno == ERANGE || magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  value = static_cast<int32_t>(negative ? -static_cast<long long>(magnitude)
                                        : static_cast<long long>(magnitude));
  return true;
}

inline bool IsPlainLine(std::string_view line) {
  return !line.empty() && line.front() != ';' && !(line.front() == '[' && line.back() == ']') &&
         line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Empty when every property holds; otherwise the first one broken.
inline std::string Check(std::string_view data) {
  const TStoredText text = TStoredText::Parse(data);

  for (const TStoredSection& section : text.Sections()) {
    if (section.Name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      return "a section name holds a line break or zero byte";
    for (const std::string& line : section.Lines)
      if (!IsPlainLine(line)) return "a stored line is empty, a comment, a section or broken";
  }

  // Written and read again, the contents are the same; writing is stable.
  const std::string formatted = text.Format();
  const TStoredText again = TStoredText::Parse(formatted);
  if (again.Format() != formatted) return "formatting is not stable";
  if (again.Sections().size() != text.Sections().size()) return "sections lost on a round trip";
  for (size_t i = 0; i < text.Sections().size(); ++i)
    if (again.Sections()[i].Name != text.Sections()[i].Name ||
        again.Sections()[i].Lines != text.Sections()[i].Lines)
      return "a section changed on a round trip";

  // The indexed lookup agrees with plain scanning, for the keys the input
  // names and for names in other letter case.
  int lookups = 0;
  for (const TStoredSection& section : text.Sections()) {
    for (const std::string& line : section.Lines) {
      if (++lookups > 64) break;
      const std::string key = line.substr(0, line.find('='));
      std::string upperKey = key;
      for (char& c : upperKey)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      for (const std::string& probe : {key, upperKey}) {
        std::string_view found, expected;
        const bool has = text.FindValue(section.Name, probe, found);
        if (has != ScanValue(text, section.Name, probe, expected) || (has && found != expected))
          return "the indexed lookup differs from scanning";
        if (!has) continue;

        int32_t number = 12345, reference = 0;
        text.ReadInteger(section.Name, probe, number, INT32_MAX, INT32_MIN);
        const bool parsed = ReferenceInteger(found, reference);
        if (parsed ? number != reference : number != 12345)
          return "an integer read differs from the reference conversion";
        bool flag = false;
        text.ReadBool(section.Name, probe, flag);
        if (flag != (found == "TRUE")) return "a flag read is wrong";
        std::string value = "unchanged";
        text.ReadString(section.Name, probe, value, false, 16);
        const bool taken = !found.empty() && found.size() <= 16;
        if (value != (taken ? std::string(found) : std::string("unchanged")))
          return "a string read ignores its limits";
      }
    }
  }

  // A write is read back, in memory and through the file's text, with the
  // parts the format can hold.
  const std::string_view head = data.substr(0, 48);
  const size_t cut1 = head.size() / 3, cut2 = 2 * head.size() / 3;
  const std::string_view section = head.substr(0, cut1);
  const std::string_view key = head.substr(cut1, cut2 - cut1);
  const std::string_view value = head.substr(cut2);
  const auto firstLine = [](std::string_view t) {
    return t.substr(0, t.find_first_of(std::string_view("\r\n\0", 3)));
  };
  TStoredText written = text;
  written.WriteString(section, key, value);
  if (firstLine(key).find('=') == std::string_view::npos) {
    std::string back;
    written.ReadString(firstLine(section), firstLine(key), back, true, SIZE_MAX);
    if (back != firstLine(value)) return "a written string is not read back";
    const std::string line = std::string(firstLine(key)) + "=" + std::string(firstLine(value));
    if (IsPlainLine(line)) {
      back.clear();
      TStoredText::Parse(written.Format())
          .ReadString(firstLine(section), firstLine(key), back, true, SIZE_MAX);
      if (back != firstLine(value)) return "a written string is lost in the file";
    }
  }
  int32_t number = 0;
  written.WriteInteger(section, "N", static_cast<int32_t>(data.size()) - 1000);
  written.ReadInteger(section, "n", number, INT32_MAX, INT32_MIN);
  if (firstLine(section) == section && number != static_cast<int32_t>(data.size()) - 1000)
    return "a written integer is not read back";
  return "";
}

}  // namespace storedtext_properties
