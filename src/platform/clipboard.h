// Files and pictures handed to the program by the shell: dropped on a window
// or copied to the clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The files of a drop, in the order given; a name the program can't use (see
// ansipaths.h) is left out. The drop itself stays the caller's to finish.
std::vector<std::string> DroppedFiles(HDROP drop);
// The files copied to the clipboard (in Explorer, say); empty without any.
std::vector<std::string> ClipboardFiles();
// Whether a picture (a bitmap) was copied to the clipboard.
bool ClipboardHasPicture();
// Writes a picture copied to the clipboard as a PNG file. False without a
// picture there, or when the file could not be written (GDI+ must run).
bool SaveClipboardPicture(const std::string& pngPath);
