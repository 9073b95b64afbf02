// The main menu: items with captions ("&" marks the accelerator letter),
// shortcuts that act whichever control has the focus, and click events.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "control.h"

// A shortcut as the menu shows it: "F5", "Ctrl+F5", "R", "Space", "Alt+Backspace".
struct TShortCut {
  WORD Key = 0;
  BYTE Modifiers = 0;  // FCONTROL, FSHIFT, FALT
  std::string Text;
  bool Empty() const { return Key == 0; }
};
TShortCut ShortCut(const std::string& text);

class TMenuItem {
 public:
  TMenuItem(const std::string& caption, const TShortCut& shortCut, TNotifyEvent onClick);
  TMenuItem* Add(const std::string& caption, const std::string& shortCut = "",
                 TNotifyEvent onClick = nullptr);
  TMenuItem* AddSeparator() { return Add("-"); }

  std::string Caption;
  TShortCut ShortCut;
  // Keys that act as the shortcut does, not shown in the menu.
  std::vector<TShortCut> MoreShortCuts;
  TNotifyEvent OnClick;
  std::string Hint;
  UINT Id = 0;
  std::vector<std::unique_ptr<TMenuItem>> Items;
};

class TMainMenu {
 public:
  TMainMenu();
  ~TMainMenu();
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;

  TMenuItem* Add(const std::string& caption, const std::string& shortCut = "",
                 TNotifyEvent onClick = nullptr) {
    return Root.Add(caption, shortCut, std::move(onClick));
  }
  // Builds the menu bar and the accelerator table from the items.
  HMENU Build();
  HACCEL Accelerators() const { return accelerators_; }
  TMenuItem* FindItem(UINT id);
  // Runs the click event of the item with this id; false when there is none.
  bool Click(UINT id);

  TMenuItem Root;

 private:
  HACCEL accelerators_ = nullptr;
};
