#include "textconvert.h"

#include "statusframe.h"

std::string BoolToText(bool value) {
  return value ? "TRUE" : "FALSE";
}

bool TextToBool(std::string_view text) {
  return text == "TRUE";
}

bool TryTextToInt(const std::string& text, int32_t& value) {
  std::string::size_type at = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) at = 1;
  if (at == text.size()) return false;
  // Accumulate the magnitude in 64 bits; stop as soon as it cannot fit.
  int64_t magnitude = 0;
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

int32_t TextToInt(const std::string& text) {
  int32_t value = 0;
  if (!TryTextToInt(text, value))
    THROW_PROGRAM_ERROR("'" + text + "' is not a valid integer value.");
  return value;
}
