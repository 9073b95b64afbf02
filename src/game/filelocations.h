// Where the game keeps the files it writes. Next to the executable whenever
// that folder can be written (portable use, files already there). A standard
// user cannot write in Program Files: then the options file and the error log
// live in the user's application-data folder under the program's name, and
// the games in "QuiltraGames" in the user's documents.
#pragma once

#include <string>

// Decided once, at the first call: false when the program's folder cannot
// be written and the user's own folders are used.
bool KeepsFilesNextToProgram();
// "Quiltra.ini". The first time the user's folder is used, an options file
// next to the program is copied there, so its settings carry over.
std::string OptionsFilePath();
// "Errors.log".
std::string ErrorLogPath();
// "QuiltraGames\", with its trailing backslash; not created here.
std::string GamesFolderPath();
