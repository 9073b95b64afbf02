// Where the game keeps the files it writes. A copy that runs from where the
// installer installs (Program Files, the user's own programs folder), or
// from a folder it cannot write, keeps the options file and the error log in
// the user's application-data folder under the program's name, and the games
// in "QuiltraGames" in the user's documents: they outlive the program. A copy
// anywhere else (unpacked, portable) keeps them next to the executable.
#pragma once

#include <string>
#include <vector>

// Decided once, at the first call: false when the program's folder cannot
// be written and the user's own folders are used.
bool KeepsFilesNextToProgram();
// The user's folder that should hold the files and can't (its name has no
// form the program can use); empty when there is none.
std::string UnusableUserFolder();
// "Quiltra.ini". The first time the user's folder is used, an options file
// next to the program is copied there, so its settings carry over.
std::string OptionsFilePath();
// "Recovery.qtg", the copy of a modified game kept against a crash.
std::string RecoveryFilePath();
// "Errors.log".
std::string ErrorLogPath();
// "QuiltraGames\", with its trailing backslash; not created here.
std::string GamesFolderPath();
constexpr const char* kGamesFolderName = "QuiltraGames";

// Games left in the program's own "QuiltraGames" (by an older version) are
// copied to the user's games folder where a game of that name is missing;
// gives the games that could not be copied.
std::vector<std::string> CarryGamesOver();
// A game of the program's own games folder as carried over to the user's.
std::string CarriedGamePath(const std::string& path);
