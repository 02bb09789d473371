#pragma once
// The files the imaging operations read and write: whole pictures in memory (the source stays closed
// while it is decoded), outputs written only once they are complete, and paths of any length.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "atl/ComPtr.h"

// The form of the path the file functions accept at any length: "\\?\" before a drive path or
// "\\?\UNC\" for a share, once the path reaches MAX_PATH; shorter paths as they are.
std::wstring AnyLengthPath(const std::wstring& path);

// The whole file; false when it cannot be read or is larger than the limit.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t limit = 1ull << 31);
// The bytes in a stream of their own (GDI+ decodes from it).
ComPtr<IStream> MemoryStream(const std::vector<uint8_t>& bytes);
// The stream's bytes.
bool StreamBytes(IStream* stream, std::vector<uint8_t>& bytes);

// Creates or replaces the file with exactly these bytes. A file left half written is removed: false
// then, and nothing stands under the name.
bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size);
// Writes the bytes under a new name beside the file, then puts that file in its place: the old file is
// replaced only once the new one is complete.
bool ReplaceFileSafely(const std::wstring& path, const std::vector<uint8_t>& bytes);

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// Creates the folder (one level) unless it is there; true when it is there afterwards.
bool EnsureFolder(const std::wstring& path);
// Whether two full paths name the same item: compared without regard to case, after resolving "." and
// ".." and the slashes, so that C:\p\a.JPG and c:/p/./A.jpg are the same.
bool SamePath(const std::wstring& a, const std::wstring& b);
