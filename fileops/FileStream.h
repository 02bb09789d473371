#pragma once
// Whole-buffer reads and writes on file handles, for the operations that stream file contents
// through a small fixed buffer (split, join, encryption), and the check for files held open.
#include <windows.h>

#include <cstdint>
#include <string>

#include "atl/Handles.h"

// Opens an existing file for reading only, so read-only files and files shared for reading work too.
UniqueFile OpenForReading(const std::wstring& path);
// Creates the file, or empties an existing one, for writing.
UniqueFile CreateForWriting(const std::wstring& path);

// Reads until the buffer holds `size` bytes or the file ends; false on a read error.
bool ReadUpTo(HANDLE file, void* buffer, DWORD size, DWORD& got);
// False unless every byte was written.
bool WriteAll(HANDLE file, const void* buffer, DWORD size);
// Moves the read position forward; false when the file is shorter.
bool Skip(HANDLE file, uint64_t bytes);

// Copies up to `limit` bytes from the read position of `in` to `out` in chunks of at most `chunk`
// bytes through the caller's buffer; stops early when `in` ends. False on a read or write error.
bool CopyBytes(HANDLE in, HANDLE out, uint64_t limit, uint8_t* buffer, DWORD chunk, uint64_t& copied);

// Another program holds the item open without sharing it. Only a sharing violation counts: folders,
// missing and forbidden items are not open elsewhere.
bool OpenElsewhere(const std::wstring& path);

// The file's length; false when it cannot be read.
bool FileLength(HANDLE file, uint64_t& length);
