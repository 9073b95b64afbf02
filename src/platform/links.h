// Shortcut (link) files, written through the shell's link objects. The
// component object services must be running on the calling thread (the
// program starts them with its first global object).
#pragma once

#include <cstdint>
#include <string>

#include "core/datetime.h"

// A plain record: it starts empty, and Reset empties it again.
class TLinkFile {
 public:
  // File information of the shortcut itself; saving does not use it.
  uint32_t InfoSize = 0;
  uint32_t Attributes = 0;
  TDateTime CreationTime = 0;
  TDateTime LastAccessTime = 0;
  TDateTime LastWriteTime = 0;
  uint32_t SizeHigh = 0;
  uint32_t SizeLow = 0;

  std::string ReferencePath;  // the file the shortcut starts
  std::string WorkingPath;    // the folder it starts in
  std::string Arguments;
  std::string Description;
  std::string IconPath;
  int32_t IconIndex = 0;
  uint16_t HotKey = 0;
  int32_t ShowCommand = 0;  // 0: the shell's normal window; 7: minimised, not activated

  // Empties every field; the times become those of a zero file time.
  void Reset();
  // Writes the shortcut, unless it exists and overwrite is off (which counts
  // as success). The reference path becomes its full path first; a reference
  // to another shortcut is refused. After a failure the record is reset.
  void Save(const std::string& linkPath, bool overwrite);
};

// How a shortcut is written and how it starts its target.
struct TLinkOptions {
  bool Overwrite = false;               // else an existing shortcut is kept (as success)
  bool Minimised = false;               // the target starts minimised, not activated
  bool StartInTargetDirectory = false;  // the target starts in its own folder
};

// A shortcut to target with arguments.
void CopyFileAsLink(const std::string& target, const std::string& linkPath,
                    const std::string& arguments, const TLinkOptions& options);
// A shortcut to target with arguments that always starts in the target's
// folder, whatever StartInTargetDirectory says.
void CopyFileAsLinkWithParam(const std::string& target, const std::string& linkPath,
                             const std::string& arguments, const TLinkOptions& options);
