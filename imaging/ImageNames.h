#pragma once
// The names the imaging operations give their results, and the rule for the folder a user may name
// for them.
#include <cstdint>
#include <string>

// "_ZintResizer" + the percentage the scale stands for (rounded to a whole number) + "%", then "Q" + the
// quality (1-10) when one is given (quality >= 0): _ZintResizer50%, _ZintResizer25%Q8.
std::wstring ScaleLabel(double scale, int32_t quality);
// "_ZintResizer" + width + "x" + height, then "Q" + the quality when one is given: _ZintResizer800x600Q10.
std::wstring SizeLabel(int32_t width, int32_t height, int32_t quality);

// Where a resized picture goes. Without a folder name: beside the source, the label between its base
// name and its lower-cased extension (C:\p\Cat.JPG -> C:\p\Cat_ZintResizer50%.jpg). With one: in that
// folder beside the source, under the source's name (C:\p\Resized Images\Cat.jpg). As JPEG the
// extension becomes ".jpg" (a name without extension gains it).
std::wstring ResizedPath(const std::wstring& source, const std::wstring& label, const std::wstring& folderName,
                         bool saveAsJpeg);

// The folder that takes a batch's results: the first path's folder + "\" + the folder name.
std::wstring BatchFolder(const std::wstring& firstPath, const std::wstring& folderName);

// The logo positions 0-8, top left to bottom right, and the two-letter tags they give output names.
constexpr int kLogoPositions = 9;
extern const wchar_t* const kLogoPositionTags[kLogoPositions];  // "TL", "TC", ... "BR"

// Where a logo-stamped picture goes: beside the source as C:\p\cat_plus_logo_BR.jpg (the extension
// lower-cased), or in the folder under the source's own name.
std::wstring LogoPath(const std::wstring& source, int position, const std::wstring& folderName);

// A name the user may give the results' folder: not empty, not starting with a space, none of the
// characters no file name may hold, and not made of dots and spaces only ("." and ".." would put the
// results over the sources or into the parent folder).
bool IsValidFolderName(const std::wstring& name);
