#include "pathtext.h"

namespace {

char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string::size_type LastDelimiter(const std::string& path) {
  return path.find_last_of("\\:");
}

}  // namespace

std::string AddPathDelimiter(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + '\\';
}

std::string RemovePathDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

bool IsDriveOnly(const std::string& path) {
  return path.size() >= 2 && path.back() == ':';
}

std::string GetFileDirectory(const std::string& path) {
  if (IsDriveOnly(path)) return "";
  auto at = LastDelimiter(path);
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string GetFileNameOnly(const std::string& path) {
  if (IsDriveOnly(path)) return RemovePathDelimiter(path);
  auto at = LastDelimiter(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string GetFileExtension(const std::string& path) {
  std::string name = GetFileNameOnly(path);
  auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExtension(const std::string& path, const std::string& extension) {
  std::string name = GetFileNameOnly(path);
  auto dot = name.rfind('.');
  std::string stem = path.substr(0, path.size() - name.size()) +
                     (dot == std::string::npos ? name : name.substr(0, dot));
  return stem + extension;
}

bool IsLinkFile(const std::string& path) {
  std::string extension = GetFileExtension(path);
  return SameTextAscii(extension, ".lnk") || SameTextAscii(extension, ".pif");
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::string::size_type i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = LowerChar(c);
  return text;
}
