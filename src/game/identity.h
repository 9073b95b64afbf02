// The program's identity, handed to the installer and the About dialog.
#pragma once

constexpr const char* kProgramName = "Quiltra";
constexpr const char* kProgramTitle = "Quiltra";
constexpr const char* kProgramVersion = "Version 2.5.2, released on 06.01.2006";
