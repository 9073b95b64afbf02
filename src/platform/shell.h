// Starting files through the shell and opening pages of the maker's site.
#pragma once

#include <string>

struct TRunOptions {
  bool Minimised = false;        // the program starts minimised, not activated
  bool QuoteParameters = false;  // the parameters arrive as one argument in double quotes
};
// Opens the file with its default action. Empty parameters pass none. An
// empty file name is answered with an error box and nothing else.
void RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
             const TRunOptions& options);
// True when this process runs with an administrator's full rights (an
// installer the player approved, say).
bool IsProcessElevated();
// Starts program in directory as the signed-in user, through the desktop's
// own shell, which runs without the rights this process may have. False when
// no desktop shell answers.
bool RunAsDesktopUser(const std::string& program, const std::string& directory);
// Opens a web page; a failure is shown in the error dialog under
// failureMessage, and the caller always sees success.
void OpenSite(const std::string& address, const std::string& failureMessage);

// The maker's site: every page address is its host followed by a path.
inline constexpr const char* kSiteAddress = "http://www.example.com";
inline constexpr const char* kHomePage = "/";
inline constexpr const char* kLicensePage = "/ideas/misc/license.htm";
inline constexpr const char* kContactPage = "/ideas/misc/contactme.htm";
inline constexpr const char* kPicturesPage = "/links/index.htm#ZEV_Various_Pictures";
std::string SitePageAddress(const std::string& path);
