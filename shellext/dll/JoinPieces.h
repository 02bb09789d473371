#pragma once
// Which files join with a piece the user opened: the split set it belongs to, found beside it.
#include <string>

#include "base/PathList.h"

// The piece first, then, in the listing's order, every other path of the listing with exactly the same
// path up to its last extension and an extension of "qxs" followed by decimal digits only (a.qxs1 takes
// a.qxs2 and a.qxs10, never a.qxsx, a.qxs or b.qxs3).
PathList JoinSelectionFor(const std::wstring& piece, const PathList& listing);

// The same from the piece's folder as the disk lists it.
PathList JoinSelectionBeside(const std::wstring& piece);
