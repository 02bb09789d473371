#include "tools/explorer/Script.h"

#include <cerrno>
#include <cwchar>

#include "atl/Handles.h"

namespace {

struct NamedId {
  const wchar_t* name;
  UINT id;
};
constexpr NamedId kNamedIds[] = {{L"IDOK", IDOK},       {L"IDCANCEL", IDCANCEL}, {L"IDABORT", IDABORT},
                                 {L"IDRETRY", IDRETRY}, {L"IDIGNORE", IDIGNORE}, {L"IDYES", IDYES},
                                 {L"IDNO", IDNO}};

struct NamedKey {
  const wchar_t* name;
  int key;
};
constexpr NamedKey kNamedKeys[] = {{L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},   {L"UP", VK_UP},
                                   {L"DOWN", VK_DOWN},     {L"RETURN", VK_RETURN}, {L"ESCAPE", VK_ESCAPE},
                                   {L"TAB", VK_TAB},       {L"SPACE", VK_SPACE},   {L"F4", VK_F4}};

bool ParseInteger(const std::wstring& text, long& value) {
  wchar_t* tail = nullptr;
  errno = 0;
  value = wcstol(text.c_str(), &tail, 10);
  return !text.empty() && errno == 0 && *tail == L'\0';
}

bool ParseId(const std::wstring& text, UINT& id) {
  for (const NamedId& named : kNamedIds)
    if (text == named.name) {
      id = named.id;
      return true;
    }
  if (text.empty() || text[0] == L'-') return false;
  wchar_t* end = nullptr;
  errno = 0;
  unsigned long value = wcstoul(text.c_str(), &end, 0);
  if (errno != 0 || *end != L'\0' || value > 0xFFFF) return false;
  id = UINT(value);
  return true;
}

// Splits "word rest of line" at the first space; the rest keeps its inner spaces.
std::wstring NextWord(std::wstring& rest) {
  size_t space = rest.find(L' ');
  std::wstring word = rest.substr(0, space);
  rest = space == std::wstring::npos ? L"" : rest.substr(space + 1);
  return word;
}

}  // namespace

std::wstring ComparableText(const std::wstring& text) {
  std::wstring result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    if (text[i] == L'\n')
      result += L"\\n";
    else
      result.push_back(text[i]);
  }
  return result;
}

ParsedScript ParseScript(const std::wstring& text) {
  ParsedScript parsed;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line[first] == L'#') continue;
    std::wstring rest = line.substr(first);
    auto fail = [&](const std::wstring& why) {
      parsed.error = L"line " + std::to_wstring(lineNumber) + L": " + why;
      parsed.steps.clear();
      return parsed;
    };

    ScriptStep step;
    step.line = lineNumber;
    std::wstring keyword = NextWord(rest);
    using Kind = ScriptStep::Kind;
    if (keyword == L"window" || keyword == L"shot" || keyword == L"browse") {
      step.kind = keyword == L"window" ? Kind::Window : keyword == L"shot" ? Kind::Shot : Kind::Browse;
      if (rest.empty())
        return fail(keyword + L" needs " + (keyword == L"window" ? L"a caption" : keyword == L"shot" ? L"a file name" : L"a folder"));
      step.text = rest;
    } else if (keyword == L"key") {
      step.kind = Kind::Key;
      step.index = 0;
      for (const NamedKey& key : kNamedKeys)
        if (rest == key.name) step.index = key.key;
      if (step.index == 0) return fail(L"\"" + rest + L"\" is not a key this script can press");
    } else if (keyword == L"set" || keyword == L"expect" || keyword == L"check" || keyword == L"uncheck" ||
               keyword == L"click" || keyword == L"select" || keyword == L"slide") {
      std::wstring id = NextWord(rest);
      if (!ParseId(id, step.control)) return fail(L"\"" + id + L"\" is not a control id");
      if (keyword == L"set" || keyword == L"expect") {
        step.kind = keyword == L"set" ? Kind::Set : Kind::Expect;
        step.text = rest;
      } else if (keyword == L"select") {
        step.kind = Kind::Select;
        wchar_t* tail = nullptr;
        errno = 0;
        long index = wcstol(rest.c_str(), &tail, 10);
        if (rest.empty() || errno != 0 || *tail != L'\0' || index < 0 || index > 0x7FFFFFFF)
          return fail(L"select needs a row index (0, 1, ...)");
        step.index = int(index);
      } else if (keyword == L"slide") {
        step.kind = Kind::Slide;
        long position = 0;
        if (!ParseInteger(rest, position) || position < -0x7FFFFFFF || position > 0x7FFFFFFF)
          return fail(L"slide needs a position (a whole number)");
        step.index = int(position);
      } else {
        if (!rest.empty()) return fail(keyword + L" takes only a control id");
        step.kind = keyword == L"check" ? Kind::Check : keyword == L"uncheck" ? Kind::Uncheck : Kind::Click;
      }
    } else if (keyword == L"pause") {
      step.kind = Kind::Pause;
      wchar_t* tail = nullptr;
      errno = 0;
      long milliseconds = wcstol(rest.c_str(), &tail, 10);
      if (rest.empty() || errno != 0 || *tail != L'\0' || milliseconds < 0 || milliseconds > 10000)
        return fail(L"pause needs milliseconds (0 to 10000)");
      step.index = int(milliseconds);
    } else {
      return fail(L"unknown step \"" + keyword + L"\"");
    }
    parsed.steps.push_back(step);
  }
  parsed.ok = true;
  return parsed;
}

bool ReadTextFile(const std::wstring& path, std::wstring& text, std::wstring& error) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 24)) {
    error = L"cannot read " + path;
    return false;
  }
  std::string bytes(size_t(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) ||
                         read != bytes.size())) {
    error = L"cannot read " + path;
    return false;
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  int chars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
  if (chars == 0 && !bytes.empty()) {
    error = path + L" is not UTF-8 text";
    return false;
  }
  text.assign(size_t(chars), L'\0');
  if (chars > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), chars);
  return true;
}
