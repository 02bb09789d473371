#pragma once
#include <windows.h>

#include <string>

// The module (DLL or program) this code is linked into: where its own resources are loaded from.
HINSTANCE ModuleInstance();

// The module's full file name, however long the installation path is; empty on failure.
std::wstring ModuleFilePath();
