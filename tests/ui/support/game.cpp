#include "game.h"

namespace ui {

HWND ViewIn(HWND window, const std::string& groupBox) {
  HWND box = ChildWithText(window, "TGroupBox", groupBox);
  if (!box) return nullptr;
  for (HWND image : Children(box, "TImage"))
    if (IsWindowVisible(image)) return image;
  return nullptr;
}

HWND PuzzleView(HWND window) {
  return ViewIn(window, "Puzzle picture");
}
HWND OriginalView(HWND window) {
  return ViewIn(window, "Original picture");
}

std::string LabelStartingWith(HWND window, const std::string& prefix) {
  HWND label = ChildStartingWith(window, "TLabel", prefix);
  return label ? Text(label) : "";
}

bool HasLabel(HWND window, const std::string& text) {
  return ChildWithText(window, "TLabel", text) != nullptr;
}

SIZE PieceSize(HWND window, int columns, int rows) {
  RECT box{};
  GetClientRect(ChildWithText(window, "TGroupBox", "Puzzle picture"), &box);
  return SIZE{(box.right - 10) / columns, (box.bottom - 20 - 5) / rows};
}

bool LoadPictureWithF5(const TProcess& game, HWND window, const std::string& path) {
  HWND before = PuzzleView(window);
  PressKey(VK_F5);
  if (!AnswerFileDialog(game, path)) return false;
  return WaitFor([&] {
    HWND view = PuzzleView(window);
    return view && view != before;
  });
}

HWND WaitErrorDialog(const TProcess& game, int timeoutMs) {
  return game.WaitWindow("TErrorForm", timeoutMs);
}

std::string ErrorDialogText(HWND dialog) {
  std::vector<HWND> memos = Children(dialog, "Edit");
  return memos.empty() ? "" : Text(memos.front());
}

void ChooseGrid(HWND window, int columns, int rows) {
  std::vector<HWND> combos = Children(window, "ComboBox");
  if (combos.size() < 2) return;
  SendMessageA(combos[0], CB_SETCURSEL, static_cast<WPARAM>(columns - 5), 0);
  SendMessageA(combos[1], CB_SETCURSEL, static_cast<WPARAM>(rows - 5), 0);
}

}  // namespace ui
