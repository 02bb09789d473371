#pragma once
// The COM identities of the shell extension: they stand in the registry of every installation, so
// they never change.
#include <guiddef.h>

// {5E2F7A10-3B4C-4D8E-9A61-2C7D0B4E8F13}
inline constexpr CLSID kClsidBrivaneShellExt = {0x5E2F7A10, 0x3B4C, 0x4D8E, {0x9A, 0x61, 0x2C, 0x7D, 0x0B, 0x4E, 0x8F, 0x13}};
inline constexpr wchar_t kClsidBrivaneShellExtText[] = L"{5E2F7A10-3B4C-4D8E-9A61-2C7D0B4E8F13}";

// {0D8C4B27-6E1A-4F39-B5C2-7A9E3D1F6024}
inline constexpr wchar_t kAppIdText[] = L"{0D8C4B27-6E1A-4F39-B5C2-7A9E3D1F6024}";

// {3A71E5C9-8B2D-4C06-9F4E-1D6B2A8C7E35}, the type library BrivaneLib 1.0.
inline constexpr GUID kTypeLibraryId = {0x3A71E5C9, 0x8B2D, 0x4C06, {0x9F, 0x4E, 0x1D, 0x6B, 0x2A, 0x8C, 0x7E, 0x35}};
inline constexpr wchar_t kTypeLibraryIdText[] = L"{3A71E5C9-8B2D-4C06-9F4E-1D6B2A8C7E35}";

// Where Explorer finds the context-menu handler, below HKEY_CLASSES_ROOT.
inline constexpr const wchar_t* kShellExKeys[] = {
    L"AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Brivane",
    L"lnkfile\\shellex\\ContextMenuHandlers\\Brivane",
    L"Directory\\Background\\shellex\\ContextMenuHandlers\\Brivane",
};
