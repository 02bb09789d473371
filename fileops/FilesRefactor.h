#pragma once
// The operations object: every long-running utility is one member function, run on the progress
// window's worker thread. It is a thin facade: each feature defines its members in its own folder
// (rename/RenameOperations.cpp, crypt/CryptOperations.cpp, ...), where they hand the work to the
// feature's own classes.
#include <windows.h>

#include <string>

#include "base/IReportProgess.h"
#include "base/OperationResult.h"
#include "base/PathList.h"

struct PhotoAlbum;

class FilesRefactor {
 public:
  using ReportFunction = void (*)(IReportProgess* sink, int32_t position, bool hide);

  explicit FilesRefactor(IReportProgess* sink = nullptr);

  HWND owner = nullptr;  // parent for prompts and the shell's windows: the progress window once it exists
  IReportProgess* sink = nullptr;
  ReportFunction report = nullptr;

  // Passes a position to the sink, when there is one.
  void Report(int32_t position, bool hide = false) const;
  // Asks a question: hides the progress window, asks through the prompt hook, shows it again at
  // the given position.
  int Ask(const wchar_t* text, const wchar_t* caption, UINT type, int32_t resumePosition) const;

  // --- Copy and move to a folder, extract, move up, delete empty, touch (organize/OrganizeOperations.cpp) ---
  // Copies the selected items into the folder, creating it with any missing levels (kind 2).
  void CopyFiles(OperationResult& result, const PathList& selection, const std::wstring& destination);
  // Moves them, merging folders into folders of the same name there and leaving files that another
  // program holds open where they are (kind 3).
  void MoveFiles(OperationResult& result, const PathList& selection, const std::wstring& destination);
  // Gathers the selection into folder\name, a new or an existing folder (kind 1).
  void ExtractFilesToFolder(OperationResult& result, const PathList& selection, const std::wstring& folder,
                            const std::wstring& name);
  // Moves the folder's entries into its parent and offers to delete the emptied folder (kind 0).
  void ExtractFilesFromFolder(OperationResult& result, const std::wstring& folder);
  // The same for every selected folder.
  void ExtractFilesFromFolders(OperationResult& result, const PathList& selection);
  // Moves each selected item into the folder above its own (kind 1).
  void MoveFilesUp(OperationResult& result, const PathList& selection);
  // Sends the selected empty files and folders to the recycle bin (kind 6).
  void DeleteZeroFiles(OperationResult& result, const PathList& selection);
  // Sets all three times of the selected files to now (kind 15).
  void TouchFiles(OperationResult& result, const PathList& selection);

  // --- List of files (lists/ListOperations.cpp) ---
  // Writes the list of the selection to the target file as UTF-16LE text or HTML (kind 4).
  void MakeListOfFiles(OperationResult& result, const PathList& selection, const std::wstring& target, bool detailed,
                       bool fullPath, bool includeSubfolders, bool indent, bool html);

  // --- Split and join (split/SplitJoinOperations.cpp) ---
  // Cuts the file into numbered pieces of splitSize bytes beside it (kind 7).
  void SplitFile(OperationResult& result, const std::wstring& path, uint64_t splitSize);
  // Writes the whole file back from a complete set of selected pieces (kind 8).
  void JoinFiles(OperationResult& result, const PathList& selection);

  // --- Encryption and decryption (crypt/CryptOperations.cpp) ---
  // Encrypts the selected files and folders into ".qxenc" items (kind 10); keeps plain copies
  // beside them unless deleteOriginal is set.
  void Encrypt(OperationResult& result, const PathList& pathList, const std::wstring& password, bool deleteOriginal);
  // Encrypts a list of items, recursing into folders; position advances by step per item.
  void EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);
  // Decrypts the selected ".qxenc" files and folders back to their plain names (kind 11).
  void Decrypt(OperationResult& result, const PathList& pathList, const std::wstring& password);
  void DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                   double& position, double step);

  // --- Batch renaming (rename/RenameOperations.cpp) ---
  // One two-phase rename of the whole list per style (kind 12).
  void RenameFindReplace(OperationResult& result, const PathList& paths, const std::wstring& search,
                         const std::wstring& replacement) const;
  void RenameAutonumber(OperationResult& result, const PathList& paths, int32_t startNumber) const;
  void RenameAlphabetize(OperationResult& result, const PathList& paths) const;
  void RenameAppend(OperationResult& result, const PathList& paths, const std::wstring& prefix,
                    const std::wstring& postfix) const;
  void RenameAlphabetizeAppend(OperationResult& result, const PathList& paths, const std::wstring& prefix,
                               const std::wstring& postfix) const;
  void RenameAutonumberAppend(OperationResult& result, const PathList& paths, int32_t startNumber,
                              const std::wstring& prefix, const std::wstring& postfix) const;
  // Appends the name-giving file's path to the result's paths whatever the outcome.
  void RenameMakeSameName(OperationResult& result, const PathList& paths, const std::wstring& nameGivingPath) const;
  void RenameTruncate(OperationResult& result, const PathList& paths, int32_t count, bool fromBeginning,
                      bool includeExtension) const;

  // --- Images (imaging/ImagingOperations.cpp) ---
  // Each picture drawn at scale (kind 5), saved beside it with a label or in the folder; quality 1-10 or -1.
  void ResizeImagesByScale(OperationResult& result, const PathList& paths, double scale, int32_t quality,
                           bool saveAsJpeg, const std::wstring& folderName) const;
  // Each picture stretched to width x height (kind 5).
  void ResizeImagesToSize(OperationResult& result, const PathList& paths, int32_t width, int32_t height,
                          int32_t quality, bool saveAsJpeg, const std::wstring& folderName) const;
  // A picture or a line of text stamped on each picture at one of nine positions, optionally framed (kind 14).
  void PutLogoOnImages(OperationResult& result, const PathList& paths, const std::wstring& logoImagePath,
                       const std::wstring& logoText, const LOGFONTW& font, uint32_t textColour, bool addBorder,
                       uint32_t borderColour, bool useImage, int32_t position, const std::wstring& folderName) const;
  // The album rendered into its PDF document (kind 9).
  void CreatePhotoAlbum(OperationResult& result, const PhotoAlbum& album) const;
};
