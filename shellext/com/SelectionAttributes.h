#pragma once
// The file attributes of a CF_HDROP selection as the shell holds them: the data object that carries the
// paths also carries the items themselves ("Shell IDList Array"), and file-system items hold their
// attributes.
#include <objidl.h>

#include <cstddef>

#include "base/PathList.h"
#include "shellext/menu/MenuModel.h"

// Reading them means binding the items' folder, which costs about as much as asking the disk for a few
// hundred paths (measured under Wine; far less on Windows). Below this many paths the disk is asked.
constexpr size_t kShellAttributesWorthPaths = 1024;

// The attributes for the paths the data object gave as CF_HDROP, in the same order. An item whose file
// name is not the last part of its path stays 0 (unknown). Empty when the data object has no item
// array of the same length or its folder cannot be had.
KnownAttributes ReadShellAttributes(IDataObject* data, const PathList& paths);
