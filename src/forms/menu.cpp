#include "menu.h"

#include <functional>

namespace {

UINT NextMenuId() {
  static UINT next = 1000;  // clear of control ids and the dialog keys
  return next++;
}

}  // namespace

TShortCut ShortCut(const std::string& text) {
  TShortCut shortCut;
  shortCut.Text = text;
  std::string key = text;
  for (;;) {
    if (key.rfind("Ctrl+", 0) == 0) {
      shortCut.Modifiers |= FCONTROL;
      key = key.substr(5);
    } else if (key.rfind("Shift+", 0) == 0) {
      shortCut.Modifiers |= FSHIFT;
      key = key.substr(6);
    } else if (key.rfind("Alt+", 0) == 0) {
      shortCut.Modifiers |= FALT;
      key = key.substr(4);
    } else {
      break;
    }
  }
  if (key == "Space") {
    shortCut.Key = VK_SPACE;
  } else if (key == "Backspace") {
    shortCut.Key = VK_BACK;
  } else if (key.size() >= 2 && key[0] == 'F') {
    shortCut.Key = static_cast<WORD>(VK_F1 + std::stoi(key.substr(1)) - 1);
  } else if (key.size() == 1) {
    shortCut.Key = static_cast<WORD>(key[0]);
  }
  return shortCut;
}

TMenuItem::TMenuItem(const std::string& caption, const TShortCut& shortCut, TNotifyEvent onClick)
    : Caption(caption), ShortCut(shortCut), OnClick(std::move(onClick)), Id(NextMenuId()) {}

TMenuItem* TMenuItem::Add(const std::string& caption, const std::string& shortCut,
                          TNotifyEvent onClick) {
  Items.push_back(std::make_unique<TMenuItem>(
      caption, shortCut.empty() ? TShortCut{} : ::ShortCut(shortCut), std::move(onClick)));
  return Items.back().get();
}

TMainMenu::TMainMenu() : Root("", TShortCut{}, nullptr) {}

TMainMenu::~TMainMenu() {
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

HMENU TMainMenu::Build() {
  std::vector<ACCEL> accelerators;
  std::function<HMENU(const TMenuItem&, bool)> build = [&](const TMenuItem& parent, bool bar) {
    HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
    for (const auto& item : parent.Items) {
      if (item->Caption == "-") {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      } else if (!item->Items.empty()) {
        AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(build(*item, false)),
                    item->Caption.c_str());
      } else {
        std::string text = item->Caption;
        if (!item->ShortCut.Empty()) {
          text += "\t" + item->ShortCut.Text;
          accelerators.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | item->ShortCut.Modifiers),
                                       item->ShortCut.Key, static_cast<WORD>(item->Id)});
        }
        for (const TShortCut& more : item->MoreShortCuts)
          accelerators.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | more.Modifiers), more.Key,
                                       static_cast<WORD>(item->Id)});
        AppendMenuA(menu, MF_STRING, item->Id, text.c_str());
      }
    }
    return menu;
  };
  HMENU bar = build(Root, true);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ =
      accelerators.empty()
          ? nullptr
          : CreateAcceleratorTableA(accelerators.data(), static_cast<int>(accelerators.size()));
  return bar;
}

TMenuItem* TMainMenu::FindItem(UINT id) {
  std::function<TMenuItem*(TMenuItem&)> find = [&](TMenuItem& item) -> TMenuItem* {
    if (item.Id == id) return &item;
    for (auto& child : item.Items)
      if (TMenuItem* found = find(*child)) return found;
    return nullptr;
  };
  return find(Root);
}

bool TMainMenu::Click(UINT id) {
  TMenuItem* item = FindItem(id);
  if (!item || !item->OnClick) return false;
  item->OnClick();
  return true;
}
