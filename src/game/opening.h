// A second start of the game hands over to the one running.
#pragma once

#include <string>

// Brings the running game to the front, restored if it was minimised, and
// hands it the file to open, if one is given (a relative name is taken from
// this start's current folder).
void HandToRunningGame(const std::string& file);
