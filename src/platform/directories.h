// Renaming files and copying and deleting whole directory trees.
#pragma once

#include <string>

// Moves old to new. With overwrite, an existing new file (read-only or not)
// is replaced in the same step, so a failed move leaves it in place.
void MyRenameFile(const std::string& oldPath, const std::string& newPath, bool overwrite);
// Deletes the tree, leaving whatever can't be deleted (files in use and the
// directories that hold them). Links to directories are removed, never
// followed.
// An entry of the directory named kept (a file or a folder) stays, and the
// directory with it.
void DeleteDirectoryNoErrors(const std::string& directory, const std::string& kept = "");
// With copy on, copies the tree into destination (created from the source as
// template), overwriting files of the same names, read-only ones too; hidden
// and system entries of the source are not visited; the copy stops at the
// first file or directory that fails. With copy off, deletes the source's
// files and directories instead. A failure shows one plain "Failed to process
// directory." box and stays in FunStatContext.
void CopyDeleteDirectory(const std::string& source, const std::string& destination, bool copy);
