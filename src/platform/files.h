// The file unit in one include: path texts and system paths, special
// folders, directory trees, file facts, shortcuts and the shell.
#pragma once

#include "core/pathtext.h"
#include "platform/directories.h"
#include "platform/fileinfo.h"
#include "platform/folders.h"
#include "platform/links.h"
#include "platform/paths.h"
#include "platform/shell.h"
