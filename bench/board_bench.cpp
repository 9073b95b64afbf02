// How long "Randomize", one drop and one Undo take on the largest grid, beside
// one full repaint of the puzzle view. A drop repaints two pieces and four
// frames and must stay far below a frame at 60 Hz.
//
//   board_bench.exe [picture.bmp]   (under Wine with a display; bench/run.sh)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

#include "tests/support/testpicture.h"
#include "forms/application.h"
#include "game/errorform.h"
#include "tests/support/quiltraformprobe.h"
#include "platform/error.h"

namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds per run, the median of several rounds.
template <class Work>
double Measure(int runs, Work&& work) {
  double best[5];
  for (double& round : best) {
    const double start = Now();
    for (int i = 0; i < runs; ++i) work();
    round = (Now() - start) * 1000.0 / runs;
  }
  std::sort(std::begin(best), std::end(best));
  return best[2];
}

}  // namespace

int main() {
  InstallErrorReporting();
  TApplication application;
  test::TQuiltraFormProbe form;
  TErrorForm errorForm(&form);
  ShowFailuresIn(errorForm);
  form.ArrangeWindow();
  form.Show();
  form.Choose(form.ColumnsCountComboBox, "30");
  form.Choose(form.RowsCountComboBox, "30");
  form.ComputePieceSize();

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string picture = std::string(temp) + "quiltra-board-bench.bmp";
  testpicture::WriteGridPicture(picture, 30, 30, form.Piece().Width, form.Piece().Height);
  form.LoadGameFromPicture(picture);
  DeleteFileA(picture.c_str());
  if (form.Game().Columns() != 30 || form.Game().Rows() != 30) {
    std::printf("the picture was not cut into 30 x 30 pieces\n");
    return 1;
  }
  application.ProcessMessages();
  HWND puzzle = form.PuzzlePictureImage->Handle();

  const double repaint = Measure(50, [&] {
    InvalidateRect(puzzle, nullptr, FALSE);
    UpdateWindow(puzzle);
  });
  const double redraw = Measure(20, [&] {
    form.DrawAllPieces();
    form.DrawGrids(false);
    UpdateWindow(puzzle);
  });
  const double randomize = Measure(10, [&] {
    form.RandomizeMenuClick();
    UpdateWindow(puzzle);
  });

  // A drop between two misplaced cells, the same two back and forth: two
  // whose pieces belong to neither of them, so that both stay misplaced.
  form.RandomizeMenuClick();
  const TGame& game = form.Game();
  TCellPos source, target;
  for (int cell = 0; cell < 900 && target.Column < 0; ++cell) {
    const TCellPos at{cell % 30, cell / 30};
    if (!game.CanPickUp(at)) continue;
    if (source.Column < 0) {
      source = at;
      continue;
    }
    const TCell& a = game.PieceIn(source);
    const TCell& b = game.PieceIn(at);
    if (TCellPos{a.C, a.R} != at && TCellPos{b.C, b.R} != source) target = at;
  }
  // Handled: the move played and recorded, both views painted in their
  // bitmaps and invalidated, the labels set; the window then paints the
  // cells when it next looks at its messages. Painted: that paint too.
  const double drop = Measure(200, [&] { form.DropAndShow(source, target); });
  UpdateWindow(puzzle);
  const double dropPainted = Measure(200, [&] {
    form.DropAndShow(source, target);
    UpdateWindow(puzzle);
  });
  // Undo walks the drops just made back, one at a time.
  const double undo = Measure(100, [&] { form.UndoMenuClick(); });
  UpdateWindow(puzzle);
  const double undoPainted = Measure(100, [&] {
    form.UndoMenuClick();
    UpdateWindow(puzzle);
  });

  std::printf("grid 30 x 30, puzzle view %d x %d pixels\n", form.PuzzlePictureImage->Width(),
              form.PuzzlePictureImage->Height());
  std::printf("%-34s %9.3f ms\n", "full repaint of the puzzle view", repaint);
  std::printf("%-34s %9.3f ms  (%.2f x repaint)\n", "all pieces and frames redrawn", redraw,
              redraw / repaint);
  std::printf("%-34s %9.3f ms  (%.2f x repaint)\n", "Randomize", randomize, randomize / repaint);
  const auto row = [&](const char* what, double ms) {
    std::printf("%-34s %9.3f ms  (%.3f x repaint, %.4f of a 60 Hz frame)\n", what, ms,
                ms / repaint, ms / (1000.0 / 60));
  };
  row("one drop, handled", drop);
  row("one drop, painted", dropPainted);
  row("one Undo of a drop, handled", undo);
  row("one Undo of a drop, painted", undoPainted);
  return 0;
}
