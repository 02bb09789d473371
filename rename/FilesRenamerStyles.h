#pragma once
// The eight rename styles: each decides the new full path of every item moved aside by the engine.
#include <cstdint>
#include <string>

#include "rename/FilesRenamer.h"

// Replaces every occurrence of the search text in the stem, left to right.
class FilesRenamerFindReplace : public FilesRenamer {
 public:
  FilesRenamerFindReplace(HWND owner, const PathList& paths, const std::wstring& search, const std::wstring& replacement);
  int GenerateNewNames() override;

  std::wstring search;
  std::wstring replacement;
};

// Numbers the items in order from the start number; the old stem is dropped.
class FilesRenamerAutonumbering : public FilesRenamer {
 public:
  FilesRenamerAutonumbering(HWND owner, const PathList& paths, int32_t startNumber);
  int GenerateNewNames() override;

  int32_t nextNumber;

 protected:
  // The next number as text; advances the counter.
  std::wstring TakeNumber();
};

// prefix + number + postfix.
class FilesRenamerAutonumberAppend : public FilesRenamerAutonumbering {
 public:
  FilesRenamerAutonumberAppend(HWND owner, const PathList& paths, int32_t startNumber, const std::wstring& prefix,
                               const std::wstring& postfix);
  int GenerateNewNames() override;

  std::wstring prefix;
  std::wstring postfix;
};

// Letters the items in order: A..Z, then AA..ZZ, then AAA..; the old stem is dropped.
class FilesRenamerAlphabetize : public FilesRenamer {
 public:
  FilesRenamerAlphabetize(HWND owner, const PathList& paths);
  int GenerateNewNames() override;

  wchar_t firstLetter = L'A';
  wchar_t lastLetter = L'Z';
  wchar_t currentLetter = L'A';
  int32_t repeatCount = 1;

 protected:
  // The current letter repeated; advances to the next.
  std::wstring TakeLetters();
};

// prefix + letters + postfix.
class FilesRenamerAlphabetizeAppend : public FilesRenamerAlphabetize {
 public:
  FilesRenamerAlphabetizeAppend(HWND owner, const PathList& paths, const std::wstring& prefix,
                                const std::wstring& postfix);
  int GenerateNewNames() override;

  std::wstring prefix;
  std::wstring postfix;
};

// prefix + old stem + postfix.
class FilesRenamerAppend : public FilesRenamer {
 public:
  FilesRenamerAppend(HWND owner, const PathList& paths, const std::wstring& prefix, const std::wstring& postfix);
  int GenerateNewNames() override;

  std::wstring prefix;
  std::wstring postfix;
};

// Gives every item the stem of the name-giving file (which is not part of the batch).
class FilesRenamerMakeSameName : public FilesRenamer {
 public:
  FilesRenamerMakeSameName(HWND owner, const PathList& paths, const std::wstring& nameGivingPath);
  int GenerateNewNames() override;

  std::wstring nameGivingPath;
};

// Cuts a number of characters from the beginning or the end of the stem, or of the whole name.
class FilesRenamerTruncate : public FilesRenamer {
 public:
  FilesRenamerTruncate(HWND owner, const PathList& paths, int32_t count, bool fromBeginning, bool includeExtension);
  int GenerateNewNames() override;

  int32_t count;
  bool fromBeginning;
  bool includeExtension;
};
