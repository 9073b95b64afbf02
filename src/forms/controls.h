// The standard controls the program's windows are built from.
#pragma once

#include <string>
#include <vector>

#include "control.h"

enum class TAlignment { Left, Center };

// A container with a bevel (panel) or an etched frame with a caption (group
// box). Its children lie inside it.
class TPanel : public TControl {
 public:
  TPanel(TControl* parent, int left, int top, int width, int height,
         const std::string& caption = "");
  void SetCaption(const std::string& caption) override;

 protected:
  TPanel(TControl* parent, const char* className, int left, int top, int width, int height,
         const std::string& caption);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& area) override;
};

class TGroupBox : public TPanel {
 public:
  TGroupBox(TControl* parent, int left, int top, int width, int height, const std::string& caption);

 protected:
  void Paint(HDC dc, const RECT& area) override;
};

// A text; without a width it sizes itself to its text. It paints itself, so
// that it measures and draws with the same device context and font.
class TLabel : public TControl {
 public:
  TLabel(TControl* parent, int left, int top, const std::string& caption = "", int width = 0,
         int height = 0, TAlignment alignment = TAlignment::Left, bool wordWrap = false);
  void SetCaption(const std::string& caption) override;
  bool SizesToText() const { return autoSize_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& area) override;
  void DpiChanged() override { AutoSize(); }

 private:
  UINT DrawFlags() const;
  void AutoSize();
  bool autoSize_;
  TAlignment alignment_;
  bool wordWrap_;
  std::string text_;
};

class TButton : public TControl {
 public:
  TButton(TControl* parent, int left, int top, int width, int height, const std::string& caption,
          int modalResult = 0);
  // Runs OnClick, then gives the form its result when the button has one.
  void Click();
  int ModalResult;

 protected:
  void HandleCommand(WORD code) override;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TControl* parent, int left, int top, const std::string& caption, int width = 0);
  bool Checked() const;
  // Like a click, a change of state runs OnClick.
  void SetChecked(bool checked);
  bool SizesToText() const { return autoSize_; }

 protected:
  void HandleCommand(WORD code) override;
  void DpiChanged() override;

 private:
  // Without a width the box is as wide as its text and the check mark.
  void FitToText();
  bool autoSize_;
};

// A drop-down list: the text is always one of the items.
class TComboBox : public TControl {
 public:
  TComboBox(TControl* parent, int left, int top, int width, int visibleItems,
            const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Selects the item with this text; false when there is none.
  bool SelectText(const std::string& text);
  std::string Text() const { return Caption(); }
  // The player chose another item (a choice made in code is not reported).
  TNotifyEvent OnChange;

 protected:
  void HandleCommand(WORD code) override;
};

class TEdit : public TControl {
 public:
  TEdit(TControl* parent, int left, int top, int width, int height, bool readOnly);
};

// A multi-line text box; read-only ones take the dialog's colour.
class TMemo : public TControl {
 public:
  TMemo(TControl* parent, int left, int top, int width, int height, bool readOnly);
  // Lines joined with CR LF.
  void SetText(const std::string& text) { SetCaption(text); }
  std::string Text() const { return Caption(); }
  void SetLines(const std::vector<std::string>& lines);
};
