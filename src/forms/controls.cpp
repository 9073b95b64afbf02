#include "controls.h"

#include <commctrl.h>

#include <algorithm>

#include "form.h"
#include "platform/handles.h"

namespace {

HGDIOBJ FontOrDefault(HFONT font) {
  return font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
}

SIZE TextExtent(HWND window, HFONT font, const std::string& text) {
  // The "&" of an accelerator letter takes no room.
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  SIZE size{0, 0};
  const TWindowDc dc(window);
  const TSelectObject selected(dc.Get(), FontOrDefault(font));
  GetTextExtentPoint32A(dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &size);
  return size;
}

}  // namespace

// --- TPanel, TGroupBox -------------------------------------------------------

TPanel::TPanel(TControl* parent, int left, int top, int width, int height,
               const std::string& caption)
    : TPanel(parent, "TPanel", left, top, width, height, caption) {}

TPanel::TPanel(TControl* parent, const char* className, int left, int top, int width, int height,
               const std::string& caption)
    : TControl(parent,
               TControlStyle{RegisterControlClass(className, CS_DBLCLKS, nullptr),
                             WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
               caption, left, top, width, height) {}

void TPanel::SetCaption(const std::string& caption) {
  TControl::SetCaption(caption);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(Handle(), &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      return TControl::HandleMessage(message, wParam, lParam);
  }
}

void TPanel::Paint(HDC dc, const RECT& /*area*/) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  // A raised outer and a lowered inner bevel.
  DrawEdge(dc, &rect, BDR_RAISEDOUTER, BF_RECT);
  InflateRect(&rect, -1, -1);
  DrawEdge(dc, &rect, BDR_SUNKENINNER, BF_RECT);
  std::string caption = Caption();
  if (!caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const TSelectObject selected(dc, FontOrDefault(Font()));
    DrawTextA(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

TGroupBox::TGroupBox(TControl* parent, int left, int top, int width, int height,
                     const std::string& caption)
    : TPanel(parent, "TGroupBox", left, top, width, height, caption) {}

void TGroupBox::Paint(HDC dc, const RECT& /*area*/) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  std::string caption = Caption();
  const TSelectObject selected(dc, FontOrDefault(Font()));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT frame = rect;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!caption.empty()) {
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT text{Scale(8), 0, Scale(8) + size.cx + Scale(4), metrics.tmHeight};
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, Scale(10), 0, caption.c_str(), static_cast<int>(caption.size()));
  }
}

// --- TLabel ------------------------------------------------------------------

TLabel::TLabel(TControl* parent, int left, int top, const std::string& caption, int width,
               int height, TAlignment alignment, bool wordWrap)
    : TControl(parent, TControlStyle{RegisterControlClass("TLabel", 0, nullptr), WS_VISIBLE},
               caption, left, top, width > 0 ? width : 1, height > 0 ? height : 1),
      autoSize_(width <= 0),
      alignment_(alignment),
      wordWrap_(wordWrap),
      text_(caption) {
  AutoSize();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_NOPREFIX | DT_TOP;
  flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (alignment_ == TAlignment::Center) flags |= DT_CENTER;
  return flags;
}

void TLabel::SetCaption(const std::string& caption) {
  // Only the program sets a label's text: the copy kept spares asking the
  // system for it.
  if (caption == text_) return;
  text_ = caption;
  SetWindowTextA(Handle(), caption.c_str());
  AutoSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TLabel::AutoSize() {
  if (!autoSize_) return;
  const std::string& text = text_;
  RECT rect{0, 0, 0, 0};
  {
    const TWindowDc dc(Handle());
    const TSelectObject selected(dc.Get(), FontOrDefault(Font()));
    DrawTextA(dc.Get(), text.empty() ? " " : text.c_str(), -1, &rect, DrawFlags() | DT_CALCRECT);
  }
  // Drawn text may be wider than measured: glyphs reach a pixel past their
  // advance, and Wine draws a long line up to 1.5 % wider than it measures it.
  const int width = static_cast<int>(rect.right);
  const int newWidth = text.empty() ? 1 : width + width / 50 + Scale(2);
  // Resizing a window costs far more than measuring text: a count that keeps
  // its width ("12 moves", "13 moves") keeps the label's size too.
  if (newWidth != Width() || rect.bottom != Height()) Resize(newWidth, static_cast<int>(rect.bottom));
}

LRESULT TLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT: {
      LRESULT result = TControl::HandleMessage(message, wParam, lParam);
      AutoSize();
      InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    default:
      return TControl::HandleMessage(message, wParam, lParam);
  }
}

void TLabel::Paint(HDC dc, const RECT& /*area*/) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  const std::string& text = text_;
  const TSelectObject selected(dc, FontOrDefault(Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text.c_str(), -1, &rect, DrawFlags());
}

// --- TButton -----------------------------------------------------------------

TButton::TButton(TControl* parent, int left, int top, int width, int height,
                 const std::string& caption, int modalResult)
    : TControl(parent, TControlStyle{"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON}, caption,
               left, top, width, height),
      ModalResult(modalResult) {}

void TButton::Click() {
  if (OnClick) OnClick();
  if (ModalResult != mrNone)
    if (TForm* form = OwnerForm()) form->ModalResult = ModalResult;
}

void TButton::HandleCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

// --- TCheckBox ---------------------------------------------------------------

TCheckBox::TCheckBox(TControl* parent, int left, int top, const std::string& caption, int width)
    : TControl(parent, TControlStyle{"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX}, caption,
               left, top, std::max(width, 1), 17),
      autoSize_(width <= 0) {
  FitToText();
}

void TCheckBox::FitToText() {
  // The check mark and the gap before the text grow with the DPI too.
  if (autoSize_) Resize(TextExtent(Handle(), Font(), Caption()).cx + Scale(24), Scale(17));
}

void TCheckBox::DpiChanged() {
  FitToText();
}

bool TCheckBox::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick();
}

void TCheckBox::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

// --- TComboBox ---------------------------------------------------------------

TComboBox::TComboBox(TControl* parent, int left, int top, int width, int visibleItems,
                     const std::vector<std::string>& items)
    : TControl(parent,
               TControlStyle{"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
               "", left, top, width, 24 + 16 * visibleItems) {
  SendMessageA(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems), 0);
  for (const auto& item : items) AddItem(item);
}

void TComboBox::AddItem(const std::string& item) {
  SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TComboBox::ItemIndex() const {
  return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

void TComboBox::HandleCommand(WORD code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange();
}

bool TComboBox::SelectText(const std::string& text) {
  LRESULT index = SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR) return false;
  SetItemIndex(static_cast<int>(index));
  return true;
}

// --- TEdit, TMemo ------------------------------------------------------------

TEdit::TEdit(TControl* parent, int left, int top, int width, int height, bool readOnly)
    : TControl(parent,
               TControlStyle{"EDIT",
                             static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL |
                                                (readOnly ? ES_READONLY : 0)),
                             WS_EX_CLIENTEDGE},
               "", left, top, width, height) {}

TMemo::TMemo(TControl* parent, int left, int top, int width, int height, bool readOnly)
    : TControl(parent,
               TControlStyle{
                   "EDIT",
                   static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                                      ES_AUTOVSCROLL | ES_NOHIDESEL | (readOnly ? ES_READONLY : 0)),
                   WS_EX_CLIENTEDGE},
               "", left, top, width, height) {}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}
