#include "dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "core/pathtext.h"
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
  const std::string filter = DialogFilter(Filter);
  const std::string directory = GetFileDirectory(FileName);
  std::string name = GetFileNameOnly(FileName);
  if (HasWildcard(name)) name.clear();

  std::vector<char> file(32768, '\0');
  name.copy(file.data(), std::min(name.size(), file.size() - 1));

  OPENFILENAMEA dialog{};
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
  dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  dialog.lpstrDefExt = DefaultExtension.empty() ? nullptr : DefaultExtension.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  BOOL chosen = save_ ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
    // Windows refuses to open at all on a proposed name it cannot take (one
    // from a hand-edited options file, say): open without it.
    std::fill(file.begin(), file.end(), '\0');
    chosen = save_ ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  }
  if (!chosen) return false;
  FileName = file.data();
  return true;
}
