// The program's help, for the main window's "&Help" and the error dialog's.
#pragma once

// Opens "Help.hlp" at the context when it lies next to the program. Without
// it (systems since Windows 10 have no viewer for it anyway) the read-me
// next to the program opens in the program its type is associated with; a
// failure is shown as "Failed to open file.".
void ShowHelp(int context);
