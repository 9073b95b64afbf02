// What must hold for any bytes read as a game file: a game is refused or it
// is whole (a permutation of its play area with flags of 0 or 1, settings and
// counters within their limits), it writes and reads back the same, and
// moves played on it keep it whole. Shared by the fuzzer and by the core
// tests, which replay the fuzzer's corpus.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/gamefile.h"
#include "tests/support/boards.h"

namespace gamefile_properties {

inline bool NamesAPicture(const std::string& name) {
  return name.size() > 4 &&
         (name.substr(name.size() - 4) == ".bmp" || name.substr(name.size() - 4) == ".jpg");
}

inline bool SameBoard(const TBoard& a, const TBoard& b) {
  if (a.ColumnsCount != b.ColumnsCount || a.RowsCount != b.RowsCount ||
      a.ResultedColumns != b.ResultedColumns || a.ResultedRows != b.ResultedRows ||
      a.MovesCount != b.MovesCount || a.WrongMoves != b.WrongMoves)
    return false;
  for (int column = 0; column < a.ResultedColumns; ++column)
    for (int row = 0; row < a.ResultedRows; ++row) {
      const TCell &x = a.Map[column][row], &y = b.Map[column][row];
      if (x.C != y.C || x.R != y.R || x.FH != y.FH || x.FV != y.FV) return false;
    }
  return true;
}

// "" when every property holds, else what broke. The defaults are the ones a
// window with an empty chooser would pass (0 columns) or an ordinary one.
inline std::string Check(std::string_view data) {
  const TStoredText text = TStoredText::Parse(data);
  for (const TCommonSettings& defaults :
       {TCommonSettings{7, 7, false, "current.bmp"}, TCommonSettings{0, 30, true, ""}}) {
    const TLoadedGame loaded = LoadGameFile(text, defaults, NamesAPicture);
    if (loaded.Fault != TGameFileFault::None) {
      if (loaded.Fault == TGameFileFault::NamesNoPicture && NamesAPicture(loaded.NamedPicture))
        return "refused a game that names a picture";
      continue;
    }
    const TBoard& board = loaded.File.Game.Board();
    if (!test::IsPermutation(board)) return "accepted a board that is no permutation";
    if (board.MovesCount < 0 || board.WrongMoves < 0) return "accepted negative counters";
    if (loaded.File.Settings.PictureTitle != loaded.NamedPicture)
      return "took another picture than the file names";
    if (loaded.NamedPicture.size() > kMaxTitleLength) return "accepted an overlong picture name";
    const TCommonSettings& settings = loaded.File.Settings;
    if ((settings.ColumnsCount != defaults.ColumnsCount &&
         (settings.ColumnsCount < kMinGridCount || settings.ColumnsCount > kMaxGridCount)) ||
        (settings.RowsCount != defaults.RowsCount &&
         (settings.RowsCount < kMinGridCount || settings.RowsCount > kMaxGridCount)))
      return "took a chosen grid outside the choosers";

    // Written and read back, the game is the same.
    TStoredText written;
    WriteGameFile(written, loaded.File.Game, settings.LightGrid, settings.PictureTitle);
    const TLoadedGame again =
        LoadGameFile(TStoredText::Parse(written.Format()), defaults, NamesAPicture);
    if (again.Fault != TGameFileFault::None) return "refused a game it wrote itself";
    if (!SameBoard(again.File.Game.Board(), board)) return "read back another board";

    // Moves and flips from the data's bytes keep the board whole.
    TGame game = loaded.File.Game;
    for (size_t i = 0; i + 3 < data.size() && i < 64; i += 4) {
      const auto at = [&](size_t k) {
        return TCellPos{static_cast<unsigned char>(data[k]) % 32 - 1,
                        static_cast<unsigned char>(data[k + 1]) % 32 - 1};
      };
      const int32_t moves = game.Moves();
      const TDropOutcome outcome = game.Drop(at(i), at(i + 2));
      if ((outcome == TDropOutcome::Refused) != (game.Moves() == moves) && moves != INT32_MAX)
        return "a drop counted wrongly";
      game.Flip(at(i + 2), (data[i] & 1) ? TFlip::Horizontally : TFlip::Vertically);
      if (!test::IsPermutation(game.Board())) return "a move broke the board";
    }
  }
  return "";
}

}  // namespace gamefile_properties
