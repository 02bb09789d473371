// The cost of Brivane's context menu as Explorer pays it, for 1, 100 and 10,000 selected files: from
// CoCreateInstance to the return of QueryContextMenu, and the release; beside it the same for the
// platform's own item context menu (IShellFolder::GetUIObjectOf(IID_IContextMenu)) of the selection,
// and the ratio of the two totals. Brivane is timed twice: without a site, and as Explorer calls it,
// with the folder's real shell view (every item selected) as site before QueryContextMenu.
// Last, the part of Brivane's time that the system takes before any of its code runs.
// Registers build\Brivane.dll machine-wide in the prefix for the run and unregisters it afterwards.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/explorer/FolderWindow.h"
#include "atl/ComPtr.h"
#include "shellext/com/ComIdentity.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

struct Timing {
  std::vector<double> create, initialize, query, build, release;
  void Add(Clock::time_point start, Clock::time_point created, Clock::time_point initialized,
           Clock::time_point built, Clock::time_point released) {
    create.push_back(Ms(created - start));
    initialize.push_back(Ms(initialized - created));
    query.push_back(Ms(built - initialized));
    build.push_back(Ms(built - start));
    release.push_back(Ms(released - built));
  }
  static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
  }
};

std::wstring Beside(const wchar_t* relative) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  path.resize(path.rfind(L'\\'));
  return path + L"\\" + relative;
}

// A folder of `count` empty .jpg files and the shell's view of them: folder, child item lists, and the
// CF_HDROP data object Explorer hands to Initialize.
struct Selection {
  std::wstring path;
  ComPtr<IShellFolder> folder;
  std::vector<PCUITEMID_CHILD> items;
  ComPtr<IDataObject> data;

  Selection(const std::wstring& path, int count) : path(path) {
    CreateDirectoryW(path.c_str(), nullptr);
    ComPtr<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.put());
    PIDLIST_RELATIVE location = nullptr;
    std::wstring copy = path;
    desktop->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &location, nullptr);
    desktop->BindToObject(location, nullptr, IID_IShellFolder, folder.put_void());
    CoTaskMemFree(location);
    for (int i = 0; i < count; ++i) {
      std::wstring name = L"photo" + std::to_wstring(i) + L".jpg";
      CloseHandle(CreateFileW((path + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      PIDLIST_RELATIVE item = nullptr;
      if (SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr)))
        items.push_back(item);
    }
    folder->GetUIObjectOf(nullptr, UINT(items.size()), items.data(), IID_IDataObject, nullptr, data.put_void());
  }
  ~Selection() {
    for (PCUITEMID_CHILD item : items) CoTaskMemFree(const_cast<ITEMIDLIST*>(item));
  }
};

// Makes the handler; Brivane's also takes the selection through Initialize and, when there is one, the
// view as site (timed apart, as "init").
using MakeHandler = bool (*)(Selection& selection, IUnknown* site, ComPtr<IContextMenu>& handler,
                             Clock::time_point& created);

bool MakeBrivane(Selection& selection, IUnknown* site, ComPtr<IContextMenu>& handler, Clock::time_point& created) {
  if (FAILED(CoCreateInstance(kClsidBrivaneShellExt, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                              handler.put_void())))
    return false;
  created = Clock::now();
  ComPtr<IShellExtInit> init = handler.As<IShellExtInit>();
  if (!init || FAILED(init->Initialize(nullptr, selection.data.get(), nullptr))) return false;
  if (!site) return true;
  ComPtr<IObjectWithSite> withSite = handler.As<IObjectWithSite>();
  return withSite && SUCCEEDED(withSite->SetSite(site));
}

bool MakePlatform(Selection& selection, IUnknown*, ComPtr<IContextMenu>& handler, Clock::time_point& created) {
  HRESULT hr = selection.folder->GetUIObjectOf(nullptr, UINT(selection.items.size()), selection.items.data(),
                                               IID_IContextMenu, nullptr, handler.put_void());
  created = Clock::now();
  return SUCCEEDED(hr);
}

bool Measure(MakeHandler make, Selection& selection, IUnknown* site, Timing& timing) {
  HMENU menu = CreatePopupMenu();
  auto start = Clock::now();
  Clock::time_point created;
  ComPtr<IContextMenu> handler;
  if (!make(selection, site, handler, created)) {
    DestroyMenu(menu);
    return false;
  }
  auto initialized = Clock::now();
  HRESULT hr = handler->QueryContextMenu(menu, 0, 1, 0x7FFF, CMF_NORMAL);
  auto built = Clock::now();
  if (site) handler.As<IObjectWithSite>()->SetSite(nullptr);
  handler.reset();
  auto released = Clock::now();
  DestroyMenu(menu);
  timing.Add(start, created, initialized, built, released);
  return SUCCEEDED(hr);
}

// What any handler pays the system before its own code runs: COM finding the class (registry lookups,
// DllGetClassObject) and the data object rendering CF_HDROP for the handler to read.
struct SystemShare {
  std::vector<double> classObject, dropFiles;
};

void MeasureSystemShare(Selection& selection, SystemShare& share) {
  auto start = Clock::now();
  ComPtr<IClassFactory> factory;
  CoGetClassObject(kClsidBrivaneShellExt, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void());
  factory.reset();
  auto found = Clock::now();
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (SUCCEEDED(selection.data->GetData(&format, &medium))) ReleaseStgMedium(&medium);
  auto rendered = Clock::now();
  share.classObject.push_back(Ms(found - start));
  share.dropFiles.push_back(Ms(rendered - found));
}

using RegisterFunction = HRESULT(WINAPI*)();

}  // namespace

int wmain() {
  CoInitialize(nullptr);
  HMODULE dll = LoadLibraryW(Beside(L"..\\Brivane.dll").c_str());
  if (!dll) {
    printf("Brivane.dll not found beside the tools folder\n");
    return 1;
  }
  auto registerServer = reinterpret_cast<RegisterFunction>(GetProcAddress(dll, "DllRegisterServer"));
  auto unregisterServer = reinterpret_cast<RegisterFunction>(GetProcAddress(dll, "DllUnregisterServer"));
  if (FAILED(registerServer())) {
    printf("registration failed\n");
    return 1;
  }

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"brivane-context-menu-benchmark";
  CreateDirectoryW(root.c_str(), nullptr);

  printf("Milliseconds, medians. Brivane: CoCreateInstance, Initialize (CF_HDROP) [+ SetSite], QueryContextMenu;\n"
         "platform: IShellFolder::GetUIObjectOf(IID_IContextMenu), QueryContextMenu. Ratio: Brivane's\n"
         "to-menu plus release over the platform's.\n");
  struct Share {
    int count;
    double classObject, dropFiles, total;
  };
  std::vector<Share> shares;
  for (bool withSite : {false, true}) {
    printf("\n%s\n", withSite ? "With the folder's shell view as site (all items selected in it):"
                               : "Without a site:");
    printf("%-8s | %8s %8s %8s %9s %8s | %8s %8s %9s %8s | %7s\n", "files", "create", "init", "query",
           "to menu", "release", "create", "query", "to menu", "release", "ratio");
    for (int count : {1, 100, 10000}) {
      Selection selection(root + L"\\" + std::to_wstring(count), count);
      std::unique_ptr<FolderWindow> view;
      if (withSite) {
        view = std::make_unique<FolderWindow>();
        std::wstring error;
        if (!view->Open(selection.path, error)) {
          printf("%-8d | no shell view\n", count);
          continue;
        }
        view->SelectAll();
      }
      IUnknown* site = view ? view->site() : nullptr;
      // The view's selection of 10,000 items took a minute per menu before its paths were read through
      // the view's folder: fewer rounds there.
      const int rounds = count < 10000 ? 20 : withSite ? 3 : 5;
      Timing brivane, platform;
      SystemShare system;
      bool ok = true;
      for (int round = 0; round < rounds; ++round) {
        ok = Measure(MakeBrivane, selection, site, brivane) && ok;
        ok = Measure(MakePlatform, selection, nullptr, platform) && ok;
        if (!withSite) MeasureSystemShare(selection, system);
      }
      auto m = Timing::Median;
      double ours = m(brivane.build) + m(brivane.release), theirs = m(platform.build) + m(platform.release);
      printf("%-8d | %8.2f %8.2f %8.2f %9.2f %8.2f | %8.2f %8.2f %9.2f %8.2f | %7.1f%s\n", count,
             m(brivane.create), m(brivane.initialize), m(brivane.query), m(brivane.build), m(brivane.release),
             m(platform.create), m(platform.query), m(platform.build), m(platform.release),
             theirs > 0 ? ours / theirs : 0.0, ok ? "" : "  (some calls failed)");
      if (!withSite)
        shares.push_back({count, m(system.classObject), m(system.dropFiles), m(brivane.build) + m(brivane.release)});
    }
  }
  printf("\nThe system's share of Brivane's time without a site (medians): COM finding the class\n"
         "(CoGetClassObject) and the data object rendering CF_HDROP (GetData), which any handler pays:\n");
  printf("%-8s | %12s %10s | %9s %10s\n", "files", "class obj.", "CF_HDROP", "Brivane", "the rest");
  for (const Share& share : shares)
    printf("%-8d | %12.2f %10.2f | %9.2f %10.2f\n", share.count, share.classObject, share.dropFiles, share.total,
           share.total - share.classObject - share.dropFiles);
  printf("\n20 rounds each; for 10,000 files 5 without a site, 3 with one.\n");

  CoFreeUnusedLibrariesEx(0, 0);
  unregisterServer();
  FreeLibrary(dll);
  CoUninitialize();
  return 0;
}
