// The message boxes every question, warning and notice goes through, and the
// two system sounds.
#pragma once

#include <string>

// Results: 1 for OK or Yes, 7 for No, 2 for Cancel, a closed box or a box
// that could not be shown.
int ShowMessageBox(const std::string& caption, const std::string& text, unsigned style);
void MessageDialog(const std::string& text);
void WarningDialog(const std::string& text);
void ErrorDialog(const std::string& text);
bool QueryDialog(const std::string& text);
int QueryCancelDialog(const std::string& text);
void BeepDefault();
void BeepExclamation();
