#include "tools/explorer/Options.h"

#include <cerrno>
#include <cwchar>

const wchar_t kUsage[] =
    L"usage: explorer --folder PATH [--select NAME;NAME...] [--background] [--with-folder] [--menu]\n"
    L"                [--invoke \"Brivane>Organize>Copy Path to Clipboard\"] [--script FILE]\n"
    L"                [--shot FILE.png] [--open MENU>PATH] [--flags CMF]\n"
    L"Without --menu, --invoke or --shot the folder window stays open and right-clicks work.";

namespace {

std::wstring Trim(const std::wstring& text) {
  size_t begin = text.find_first_not_of(L" \t");
  if (begin == std::wstring::npos) return L"";
  size_t end = text.find_last_not_of(L" \t");
  return text.substr(begin, end - begin + 1);
}

// The parts between separators, trimmed of spaces or not; empty parts are dropped.
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator, bool trim) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring part = text.substr(start, end - start);
    if (trim) part = Trim(part);
    if (!part.empty()) parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

bool ParseNumber(const std::wstring& text, UINT& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  unsigned long parsed = wcstoul(text.c_str(), &end, 0);
  if (errno != 0 || *end != L'\0' || parsed > 0xFFFFFFFFul) return false;
  value = static_cast<UINT>(parsed);
  return true;
}

}  // namespace

std::vector<std::wstring> SplitNames(const std::wstring& text) { return Split(text, L';', false); }

std::vector<std::wstring> SplitMenuPath(const std::wstring& text) { return Split(text, L'>', true); }

std::wstring JoinMenuPath(const std::vector<std::wstring>& path) {
  std::wstring text;
  for (const std::wstring& part : path) text += (text.empty() ? L"" : L">") + part;
  return text;
}

ParsedOptions ParseOptions(const std::vector<std::wstring>& args) {
  ParsedOptions parsed;
  ExplorerOptions& options = parsed.options;
  auto fail = [&](const std::wstring& error) {
    parsed.error = error;
    return parsed;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    bool takesValue = arg == L"--folder" || arg == L"--select" || arg == L"--invoke" || arg == L"--script" ||
                      arg == L"--shot" || arg == L"--open" || arg == L"--flags";
    if (takesValue && i + 1 >= args.size()) return fail(arg + L" needs a value");
    if (arg == L"--folder") {
      options.folder = args[++i];
    } else if (arg == L"--select") {
      options.select = SplitNames(args[++i]);
    } else if (arg == L"--background") {
      options.background = true;
    } else if (arg == L"--with-folder") {
      options.withFolder = true;
    } else if (arg == L"--menu") {
      options.menu = true;
    } else if (arg == L"--invoke") {
      options.invoke = SplitMenuPath(args[++i]);
      if (options.invoke.empty()) return fail(L"--invoke needs a menu path such as \"Brivane>Settings\"");
    } else if (arg == L"--script") {
      options.script = args[++i];
    } else if (arg == L"--shot") {
      options.shot = args[++i];
    } else if (arg == L"--open") {
      options.open = SplitMenuPath(args[++i]);
    } else if (arg == L"--flags") {
      if (!ParseNumber(args[++i], options.flags)) return fail(L"--flags needs a number, such as 0x10");
      options.hasFlags = true;
    } else if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
      options.help = true;
      parsed.ok = true;
      return parsed;
    } else {
      return fail(L"unknown argument: " + arg);
    }
  }
  if (options.folder.empty()) return fail(L"--folder is required");
  if (options.background && !options.select.empty()) return fail(L"--background and --select exclude each other");
  if (!options.script.empty() && options.invoke.empty()) return fail(L"--script answers the windows of --invoke");
  parsed.ok = true;
  return parsed;
}
