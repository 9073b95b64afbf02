// Files that antivirus, the search indexer or cloud sync hold for a moment
// refuse to be replaced, renamed or copied over with a sharing violation or
// "access denied". Such a call is tried again with a short back-off, for
// about two seconds in all, before its failure is reported.
#pragma once

#include <windows.h>

#include <functional>

// The attempt gives 0 on success or the system's error code; so does this,
// with the last attempt's code.
DWORD RetryWhileHeld(const std::function<DWORD()>& attempt);

// A code the retries wait out.
bool IsHeldByAnother(DWORD code);
