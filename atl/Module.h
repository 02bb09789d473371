#pragma once
#include <windows.h>

// The module (DLL or program) this code is linked into: where its own resources are loaded from.
HINSTANCE ModuleInstance();
