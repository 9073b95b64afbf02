#include "retry.h"

#include <algorithm>

bool IsHeldByAnother(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_LOCK_VIOLATION;
}

DWORD RetryWhileHeld(const std::function<DWORD()>& attempt) {
  constexpr DWORD kPatienceMs = 2000;
  const DWORD start = GetTickCount();
  DWORD pause = 10;
  for (;;) {
    const DWORD code = attempt();
    if (!IsHeldByAnother(code) || GetTickCount() - start + pause > kPatienceMs) return code;
    Sleep(pause);
    pause = std::min<DWORD>(pause * 2, 250);
  }
}
