// Flags and whole numbers as texts, the way stored files and choosers write
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "TRUE" or "FALSE".
std::string BoolToText(bool value);
// True exactly for "TRUE"; "True", "true" and "" are false.
bool TextToBool(std::string_view text);

// A signed decimal 32-bit integer: an optional sign and at least one digit,
// nothing else (no blanks). False when the text is anything else or out of
// range.
bool TryTextToInt(const std::string& text, int32_t& value);
// The same, throwing EProgramError "'text' is not a valid integer value."
// for a text that does not convert.
int32_t TextToInt(const std::string& text);
