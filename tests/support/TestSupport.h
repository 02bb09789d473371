#pragma once
// Helpers shared by the test programs: a scratch folder on the Wine drive and trace capture.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A fresh folder under the user's temporary folder, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

  // Creates a file (and any missing folders on the way) holding the bytes; returns its full path.
  std::wstring File(const std::wstring& relative, const std::string& bytes = "") const;
  std::wstring Folder(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
// The folder's files and folders at any depth, by relative path ("sub\\x.txt", UTF-8): a file's bytes,
// or "<folder>" for a folder.
std::map<std::string, std::string> FolderTree(const std::wstring& folder);
bool Exists(const std::wstring& path);
// Sets the creation time (and the last-write time with it).
void SetCreationTime(const std::wstring& path, int year, int month, int day, int hour, int minute);

// Collects the trace lines written while it lives.
class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  std::vector<std::string> lines() const;
  // Lines that contain the text.
  int Count(const std::string& text) const;
};

std::string Narrow(const std::wstring& text);
