#include "base/PathList.h"

PathViews ViewsOf(const PathList& paths) { return PathViews(paths.begin(), paths.end()); }
