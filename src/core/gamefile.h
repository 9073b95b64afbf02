// The game file and the settings it shares with the options file: the keys,
// their limits and defaults, and the check that a game read is whole. The
// window passes the defaults in; nothing here reads a control.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game.h"
#include "storedtext.h"

// The section that the options file and game files share, and the longest
// path either of them keeps.
inline constexpr const char* kGameSection = "QuiltraGame";
inline constexpr int kMaxTitleLength = 259;
// A recovery copy's own key: the name the game was loaded or saved under.
inline constexpr const char* kRecoveredTitleKey = "RecoveredTitle";

// The four keys both files begin with.
struct TCommonSettings {
  int32_t ColumnsCount = kDefaultGridCount;
  int32_t RowsCount = kDefaultGridCount;
  bool LightGrid = false;
  std::string PictureTitle;
};

// Each value is kept unless the stored one is acceptable (counts within the
// choosers' limits, a title of at most kMaxTitleLength characters, empty
// allowed), except the light grid, which is off unless stored on.
void ReadCommonSettings(const TStoredText& text, TCommonSettings& settings);
void WriteCommonSettings(TStoredText& text, const TCommonSettings& settings);

// A game file's whole text: the game section, then the map, C R FH FV for
// every cell of the play area row by row. The text is cleared first.
void WriteGameFile(TStoredText& text, const TGame& game, bool lightGrid,
                   const std::string& pictureTitle);

// What a game file holds, key by key, each missing or unacceptable value
// taking its default: the settings from the defaults given, the play area
// from the chosen grid read, the counters 0, a cell its own piece unmirrored.
struct TGameFile {
  TCommonSettings Settings;
  TGame Game;
};
TGameFile ReadGameFile(const TStoredText& text, const TCommonSettings& defaults);

// Every piece of a play area of 1 to kMaxGridCells each way exactly once.
bool IsValidBoard(const TBoard& board);

enum class TGameFileFault { None, NamesNoPicture, NoValidBoard };
// The message a refused game file is reported with.
const char* GameFileFaultText(TGameFileFault fault);

// A game file read and checked: whole and valid, or refused with a fault.
struct TLoadedGame {
  TGameFileFault Fault = TGameFileFault::None;
  // The picture the file itself names, "" when none (no key, an empty or an
  // overlong one).
  std::string NamedPicture;
  TGameFile File;
};
// Refused when the file names no picture of its own that isPicture accepts,
// or when its board is not valid.
[[nodiscard]] TLoadedGame LoadGameFile(const TStoredText& text, const TCommonSettings& defaults,
                                       const std::function<bool(const std::string&)>& isPicture);
