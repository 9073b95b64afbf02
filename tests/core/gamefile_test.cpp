// Game files natively: the text a game is written as, reading every key with
// its default, and the check that refuses a game that is not whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/gamefile.h"
#include "tests/support/boards.h"

namespace {

bool AnyPicture(const std::string& name) {
  return name.size() > 4 && name.substr(name.size() - 4) == ".bmp";
}

std::string GameKeys(int resultedColumns, int resultedRows, const std::string& picture) {
  return "ColumnsCount=7\r\nRowsCount=7\r\nLightGrid=TRUE\r\nPictureTitle=" + picture +
         "\r\nResultedColumns=" + std::to_string(resultedColumns) +
         "\r\nResultedRows=" + std::to_string(resultedRows) +
         "\r\nMovesCount=12\r\nWrongMoves=3\r\n";
}

TLoadedGame Load(const std::string& text) {
  return LoadGameFile(TStoredText::Parse(text), TCommonSettings{7, 7, false, "current.bmp"},
                      AnyPicture);
}

TEST(GameFile, HoldsTheGridTheCountersAndEveryCellInOrder) {
  TBoard board = test::Swapped(test::PlayingBoard(3, 2), {{{0, 0}, {1, 0}}, {{2, 1}, {0, 1}}});
  board.Map[1][0].FH = 1;
  board.Map[0][1].FV = 1;
  board.MovesCount = 5;
  board.WrongMoves = 2;
  TStoredText text = TStoredText::Parse("[Old]\r\nKey=1\r\n");
  WriteGameFile(text, TGame::FromBoard(board), false, "C:\\p.bmp");
  EXPECT_EQ(text.Format(),
            "[QuiltraGame]\r\nColumnsCount=7\r\nRowsCount=7\r\nLightGrid=FALSE\r\n"
            "PictureTitle=C:\\p.bmp\r\nResultedColumns=3\r\nResultedRows=2\r\nMovesCount=5\r\n"
            "WrongMoves=2\r\n\r\n[Map]\r\n"
            "C0=1\r\nR0=0\r\nFH0=FALSE\r\nFV0=FALSE\r\nC1=0\r\nR1=0\r\nFH1=TRUE\r\nFV1=FALSE\r\n"
            "C2=2\r\nR2=0\r\nFH2=FALSE\r\nFV2=FALSE\r\nC3=2\r\nR3=1\r\nFH3=FALSE\r\nFV3=TRUE\r\n"
            "C4=1\r\nR4=1\r\nFH4=FALSE\r\nFV4=FALSE\r\nC5=0\r\nR5=1\r\nFH5=FALSE\r\nFV5=FALSE\r\n"
            "\r\n");

  // Read back whole.
  const TLoadedGame loaded = LoadGameFile(text, TCommonSettings{9, 9, true, ""}, AnyPicture);
  ASSERT_EQ(loaded.Fault, TGameFileFault::None);
  EXPECT_EQ(loaded.NamedPicture, "C:\\p.bmp");
  EXPECT_EQ(loaded.File.Settings.PictureTitle, "C:\\p.bmp");
  EXPECT_FALSE(loaded.File.Settings.LightGrid);
  const TBoard& read = loaded.File.Game.Board();
  EXPECT_EQ(read.ColumnsCount, 7);
  EXPECT_EQ(read.MovesCount, 5);
  EXPECT_EQ(read.WrongMoves, 2);
  EXPECT_FALSE(read.GameModified);
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 2; ++row) {
      EXPECT_EQ(read.Map[column][row].C, board.Map[column][row].C);
      EXPECT_EQ(read.Map[column][row].R, board.Map[column][row].R);
      EXPECT_EQ(read.Map[column][row].FH, board.Map[column][row].FH);
      EXPECT_EQ(read.Map[column][row].FV, board.Map[column][row].FV);
    }
}

TEST(GameFile, ReadingTakesWhatIsValidAndDefaultsTheRest) {
  // More columns than chosen, every cell as saved.
  std::vector<TCell> cells = test::HomeCells(8, 7);
  std::reverse(cells.begin(), cells.end());
  cells[3].FH = cells[4].FV = 1;
  const TGameFile wide =
      ReadGameFile(TStoredText::Parse(test::GameFileText(GameKeys(8, 7, "p.bmp"), cells)),
                   TCommonSettings{6, 5, false, "current.bmp"});
  EXPECT_EQ(wide.Settings.ColumnsCount, 7);
  EXPECT_TRUE(wide.Settings.LightGrid);
  EXPECT_EQ(wide.Game.Columns(), 8);
  EXPECT_EQ(wide.Game.Rows(), 7);
  EXPECT_EQ(wide.Game.Moves(), 12);
  EXPECT_EQ(wide.Game.WrongMoves(), 3);
  for (int n = 0; n < 56; ++n) {
    const TCell& cell = wide.Game.PieceIn({n % 8, n / 8});
    EXPECT_EQ(cell.C, cells[n].C);
    EXPECT_EQ(cell.R, cells[n].R);
    EXPECT_EQ(cell.FH, cells[n].FH);
    EXPECT_EQ(cell.FV, cells[n].FV);
  }

  // Missing keys and bad values: the defaults, silently.
  const TGameFile odd = ReadGameFile(
      TStoredText::Parse(
          "[QuiltraGame]\r\nColumnsCount=4\r\nRowsCount=abc\r\nLightGrid=true\r\n"
          "ResultedColumns=31\r\nResultedRows=0\r\nMovesCount=-1\r\nWrongMoves=0x10\r\n\r\n"
          "[Map]\r\nC0=7\r\nR0=0\r\nFH0=true\r\nFV0=TRUE\r\n"
          "C1=2\r\nR1=0\r\nFV1=TRUE\r\n"  // no FH1
          "C2=1\r\nR2=\r\nFH2=TRUE\r\n"   // R2 empty, no FV2
          "C4=-1\r\nR4=7\r\n"),           // out of range; 3 and 5 on missing
      TCommonSettings{6, 5, true, "current.bmp"});
  EXPECT_EQ(odd.Settings.ColumnsCount, 6);
  EXPECT_EQ(odd.Settings.RowsCount, 5);
  EXPECT_FALSE(odd.Settings.LightGrid);
  EXPECT_EQ(odd.Settings.PictureTitle, "current.bmp");  // no key: the current one
  EXPECT_EQ(odd.Game.ChosenColumns(), 6);
  EXPECT_EQ(odd.Game.Columns(), 6);  // the chosen grid read
  EXPECT_EQ(odd.Game.Rows(), 5);
  EXPECT_EQ(odd.Game.Moves(), 0);
  EXPECT_EQ(odd.Game.WrongMoves(), 16);
  const TCell expected[] = {{0, 0, 0, 1}, {2, 0, 0, 1}, {1, 0, 1, 0},
                            {3, 0, 0, 0}, {4, 0, 0, 0}, {5, 0, 0, 0}};
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(odd.Game.PieceIn({n, 0}).C, expected[n].C) << n;
    EXPECT_EQ(odd.Game.PieceIn({n, 0}).R, expected[n].R) << n;
    EXPECT_EQ(odd.Game.PieceIn({n, 0}).FH, expected[n].FH) << n;
    EXPECT_EQ(odd.Game.PieceIn({n, 0}).FV, expected[n].FV) << n;
  }
  EXPECT_EQ(odd.Game.PieceIn({5, 4}).C, 5);
  EXPECT_EQ(odd.Game.PieceIn({5, 4}).R, 4);
}

TEST(GameFile, AGameThatNamesNoPictureOfItsOwnIsRefused) {
  const std::vector<TCell> cells = test::HomeCells(7, 7);
  for (const std::string& picture :
       {std::string(), std::string("notes.txt"), std::string(257, 'x') + ".bmp"}) {
    const TLoadedGame loaded = Load(test::GameFileText(GameKeys(7, 7, picture), cells));
    EXPECT_EQ(loaded.Fault, TGameFileFault::NamesNoPicture) << picture;
    EXPECT_EQ(loaded.NamedPicture, picture.size() > 259 ? "" : picture);
  }
  EXPECT_EQ(Load("This is no game.\r\n").Fault, TGameFileFault::NamesNoPicture);
  EXPECT_STREQ(GameFileFaultText(TGameFileFault::NamesNoPicture),
               "The game file names no picture.");
}

TEST(GameFile, AMapThatIsNoPermutationIsRefused) {
  std::vector<TCell> twice = test::HomeCells(7, 7);
  twice[1] = twice[0];  // piece (0,0) twice, piece (1,0) lost
  EXPECT_EQ(Load(test::GameFileText(GameKeys(7, 7, "p.bmp"), twice)).Fault,
            TGameFileFault::NoValidBoard);
  EXPECT_STREQ(GameFileFaultText(TGameFileFault::NoValidBoard),
               "The game file holds no valid board.");
  // Cells missing or out of range read as their own pieces: whole again.
  std::vector<TCell> part = test::HomeCells(7, 6);
  EXPECT_EQ(Load(test::GameFileText(GameKeys(7, 7, "p.bmp"), part)).Fault, TGameFileFault::None);
  // A play area the defaults leave outside the map's limits.
  const TLoadedGame zero =
      LoadGameFile(TStoredText::Parse("[QuiltraGame]\r\nPictureTitle=p.bmp\r\n"),
                   TCommonSettings{0, 7, false, ""}, AnyPicture);
  EXPECT_EQ(zero.Fault, TGameFileFault::NoValidBoard);
  const TLoadedGame large =
      LoadGameFile(TStoredText::Parse("[QuiltraGame]\r\nPictureTitle=p.bmp\r\n"),
                   TCommonSettings{7, 40, false, ""}, AnyPicture);
  EXPECT_EQ(large.Fault, TGameFileFault::NoValidBoard);
}

TEST(GameFile, ValidBoardsArePermutationsOfTheirPlayArea) {
  EXPECT_TRUE(IsValidBoard(test::PlayingBoard(1, 1)));
  EXPECT_TRUE(IsValidBoard(test::MisplacedGame().Board()));
  EXPECT_FALSE(IsValidBoard(test::PlayingBoard(0, 5)));
  TBoard board = test::PlayingBoard(3, 3);
  board.Map[2][2].C = 3;  // outside the play area
  EXPECT_FALSE(IsValidBoard(board));
  board.Map[2][2] = TCell{2, 2, 2, 0};  // no flag of its own
  EXPECT_FALSE(IsValidBoard(board));
}

TEST(CommonSettings, KeepTheirLimitsAndTheLightGridIsOffUnlessStoredOn) {
  TCommonSettings settings{9, 11, true, "current.jpg"};
  ReadCommonSettings(TStoredText::Parse("[QuiltraGame]\r\nColumnsCount=31\r\nRowsCount=0x1E\r\n"
                                        "PictureTitle=\r\n"),
                     settings);
  EXPECT_EQ(settings.ColumnsCount, 9);
  EXPECT_EQ(settings.RowsCount, 30);
  EXPECT_FALSE(settings.LightGrid);
  EXPECT_EQ(settings.PictureTitle, "");
  TStoredText text;
  WriteCommonSettings(text, TCommonSettings{5, 30, true, "a.png"});
  EXPECT_EQ(text.Format(),
            "[QuiltraGame]\r\nColumnsCount=5\r\nRowsCount=30\r\nLightGrid=TRUE\r\n"
            "PictureTitle=a.png\r\n\r\n");
}

}  // namespace
