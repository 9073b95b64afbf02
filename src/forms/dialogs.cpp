#include "dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "core/pathtext.h"
#include "platform/ansipaths.h"
#include "platform/messages.h"
#include "application.h"
#include "form.h"

namespace {

std::string DialogFilter(const std::string& filter) {
  std::string result = filter;
  for (char& c : result)
    if (c == '|') c = '\0';
  result += std::string(2, '\0');
  return result;
}

bool HasWildcard(const std::string& text) {
  return text.find_first_of("*?") != std::string::npos;
}

}  // namespace

bool TFileDialog::Execute() {
  // The dialog runs in UTF-16, so that a chosen path the ANSI code page
  // cannot hold comes back whole and can be given in its short form.
  const std::wstring filter = ToWide(DialogFilter(Filter));
  const std::wstring directory = ToWide(GetFileDirectory(FileName));
  std::string name = GetFileNameOnly(FileName);
  if (HasWildcard(name)) name.clear();
  const std::wstring wideName = ToWide(name);
  const std::wstring title = ToWide(Title);
  const std::wstring extension = ToWide(DefaultExtension);

  std::vector<wchar_t> file(32768, L'\0');
  wideName.copy(file.data(), std::min(wideName.size(), file.size() - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  HWND active = GetActiveWindow();
  dialog.hwndOwner =
      active ? active
             : (Application && Application->MainForm ? Application->MainForm->Handle() : nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  for (;;) {
    BOOL chosen = save_ ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
      // Windows refuses to open at all on a proposed name it cannot take
      // (one from a hand-edited options file, say): open without it.
      std::fill(file.begin(), file.end(), L'\0');
      chosen = save_ ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    }
    if (!chosen) return false;
    const std::string path = AnsiPath(file.data());
    if (!path.empty()) {
      FileName = path;
      return true;
    }
    // No form of this name the program can use: say so and ask again.
    ErrorDialog(
        "This name cannot be used: some of its characters are not in this system's "
        "character set, and it has no short form. Please choose another name.");
  }
}
