#include "messages.h"

#include <windows.h>

int ShowMessageBox(const std::string& caption, const std::string& text, unsigned style) {
  // Task-modal: no window of the program takes input while the box is open.
  int result = MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style | MB_TASKMODAL);
  if (result == 0) BeepExclamation();
  if (result == IDOK || result == IDYES) return 1;
  if (result == IDNO) return 7;
  return 2;
}

void MessageDialog(const std::string& text) {
  ShowMessageBox("Message", text, 0x40);
}
void WarningDialog(const std::string& text) {
  ShowMessageBox("Warning", text, 0x30);
}
void ErrorDialog(const std::string& text) {
  ShowMessageBox("Error", text, 0x10);
}
bool QueryDialog(const std::string& text) {
  return ShowMessageBox("Query", text, 0x24) == 1;
}
int QueryCancelDialog(const std::string& text) {
  return ShowMessageBox("Query", text, 0x23);
}
void BeepDefault() {
  MessageBeep(MB_OK);
}
void BeepExclamation() {
  MessageBeep(MB_ICONEXCLAMATION);
}
