#pragma once
// The file attributes of a CF_HDROP selection as the shell holds them: the data object that carries the
// paths also carries the items themselves ("Shell IDList Array"), and file-system items hold their
// attributes.
#include <objidl.h>
#include <shobjidl.h>

#include <cstddef>

#include "base/PathList.h"
#include "shellext/menu/MenuModel.h"

// Reading them costs the item array (about as much as asking the disk for a dozen paths under Wine) and
// the items' folder: a view holds its own, and binding it costs about as much as asking the disk for a
// few hundred paths (measured under Wine; far less on Windows). Below these sizes the disk is asked.
constexpr size_t kShellAttributesWorthPaths = 16;      // through the view's folder
constexpr size_t kShellAttributesWorthBinding = 1024;  // binding the items' folder

// The attributes for the paths the data object gave as CF_HDROP, in the same order: through viewFolder
// when it is the items' folder, otherwise, when mayBind, by binding their folder. An item whose file
// name is not the last part of its path stays 0 (unknown). Empty when the data object has no item
// array of the same length or its folder cannot be had.
KnownAttributes ReadShellAttributes(IDataObject* data, const PathViews& paths, IShellFolder* viewFolder = nullptr,
                                    bool mayBind = true);
