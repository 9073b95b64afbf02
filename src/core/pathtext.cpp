#include "pathtext.h"

namespace {

TLeadByteTest LeadByteTest = nullptr;

bool IsLeadByte(char c) {
  return LeadByteTest && LeadByteTest(static_cast<unsigned char>(c));
}

char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The position of the last character of the text that is one of the given
// single-byte characters, stepping over two-byte characters.
std::string::size_type LastOf(const std::string& path, const char* characters) {
  std::string::size_type found = std::string::npos;
  for (std::string::size_type at = 0; at < path.size(); ++at) {
    if (IsLeadByte(path[at])) {
      ++at;  // its second byte is never a character of its own
      continue;
    }
    for (const char* c = characters; *c; ++c)
      if (path[at] == *c) found = at;
  }
  return found;
}

std::string::size_type LastDelimiter(const std::string& path) {
  return LastOf(path, "\\:");
}

}  // namespace

void SetLeadByteTest(TLeadByteTest test) {
  LeadByteTest = test;
}

bool EndsWithPathDelimiter(const std::string& path) {
  return !path.empty() && LastOf(path, "\\") == path.size() - 1;
}

std::string AddPathDelimiter(const std::string& path) {
  if (path.empty() || EndsWithPathDelimiter(path)) return path;
  return path + '\\';
}

std::string RemovePathDelimiter(const std::string& path) {
  if (EndsWithPathDelimiter(path)) return path.substr(0, path.size() - 1);
  return path;
}

bool IsDriveOnly(const std::string& path) {
  return path.size() >= 2 && LastOf(path, ":") == path.size() - 1;
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
  auto dot = LastOf(name, ".");
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExtension(const std::string& path, const std::string& extension) {
  std::string name = GetFileNameOnly(path);
  auto dot = LastOf(name, ".");
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
