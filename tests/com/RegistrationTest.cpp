#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "BrivaneDll.h"
#include "atl/ComPtr.h"
#include "atl/Handles.h"
#include "shellext/com/ComIdentity.h"

namespace {

const std::wstring kClsid = kClsidBrivaneShellExtText;
const std::wstring kAppId = kAppIdText;
const std::wstring kClassKey = L"CLSID\\" + kClsid;
const std::wstring kTypeLibKey = std::wstring(L"TypeLib\\") + kTypeLibraryIdText;
const wchar_t kApproved[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const wchar_t kMachineClasses[] = L"Software\\Classes\\";
const wchar_t kUserClasses[] = L"Software\\Classes\\";

class RegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    RemoveAllRegistrations();
    dll_ = std::make_unique<BrivaneDll>();
    ASSERT_NE(dll_->module, nullptr) << "Brivane.dll not found beside the tests folder";
  }
  void TearDown() override {
    // COM lets go of the library first, so the next test loads it afresh (per-user mode is
    // process-wide state of the loaded module).
    CoFreeUnusedLibrariesEx(0, 0);
    dll_.reset();
    RemoveAllRegistrations();
    CoUninitialize();
  }

  // Every key and value of the class's registration below a classes root.
  void ExpectClassRegistered(HKEY root, const std::wstring& classes) {
    const std::wstring cls = classes + kClassKey;
    EXPECT_EQ(ReadString(root, cls), L"BrivaneShellExt Class");
    EXPECT_EQ(ReadString(root, cls, L"LocalizedString"), L"@" + dll_->path + L",-101");
    EXPECT_EQ(ReadString(root, cls + L"\\ProgID"), L"Brivane.BrivaneShellExt.1");
    EXPECT_EQ(ReadString(root, cls + L"\\VersionIndependentProgID"), L"Brivane.BrivaneShellExt");
    EXPECT_TRUE(KeyExists(root, cls + L"\\Programmable"));
    EXPECT_EQ(ReadString(root, cls + L"\\InprocServer32"), dll_->path);
    EXPECT_EQ(ReadString(root, cls + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ReadString(root, cls + L"\\TypeLib"), kTypeLibraryIdText);
    EXPECT_EQ(ReadDword(root, cls + L"\\Elevation", L"Enabled"), 1u);

    EXPECT_EQ(ReadString(root, classes + L"Brivane.BrivaneShellExt.1"), L"BrivaneShellExt Class");
    EXPECT_EQ(ReadString(root, classes + L"Brivane.BrivaneShellExt.1\\CLSID"), kClsid);
    EXPECT_EQ(ReadString(root, classes + L"Brivane.BrivaneShellExt"), L"BrivaneShellExt Class");
    EXPECT_EQ(ReadString(root, classes + L"Brivane.BrivaneShellExt\\CLSID"), kClsid);
    EXPECT_EQ(ReadString(root, classes + L"Brivane.BrivaneShellExt\\CurVer"), L"Brivane.BrivaneShellExt.1");

    EXPECT_EQ(ReadString(root, classes + L"AppID\\" + kAppId), L"Brivane");
    EXPECT_EQ(ReadString(root, classes + L"AppID\\" + kAppId, L"DllSurrogate"), L"");
    EXPECT_EQ(ReadString(root, classes + L"AppID\\Brivane.DLL", L"AppID"), kAppId);

    // Nothing besides: the keys hold exactly these subkeys and values.
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(SubkeyNames(root, cls), (Names{L"Elevation", L"InprocServer32", L"ProgID", L"Programmable", L"TypeLib",
                                             L"VersionIndependentProgID"}));
    EXPECT_EQ(ValueNames(root, cls), (Names{L"", L"LocalizedString"}));
    EXPECT_EQ(ValueNames(root, cls + L"\\InprocServer32"), (Names{L"", L"ThreadingModel"}));
    EXPECT_EQ(ValueNames(root, cls + L"\\Elevation"), (Names{L"Enabled"}));
    EXPECT_TRUE(ValueNames(root, cls + L"\\Programmable").empty());
    EXPECT_EQ(SubkeyNames(root, classes + L"Brivane.BrivaneShellExt.1"), (Names{L"CLSID"}));
    EXPECT_EQ(SubkeyNames(root, classes + L"Brivane.BrivaneShellExt"), (Names{L"CLSID", L"CurVer"}));
    EXPECT_EQ(ValueNames(root, classes + L"AppID\\" + kAppId), (Names{L"", L"DllSurrogate"}));
    EXPECT_TRUE(SubkeyNames(root, classes + L"AppID\\" + kAppId).empty());
    EXPECT_EQ(ValueNames(root, classes + L"AppID\\Brivane.DLL"), (Names{L"AppID"}));

    EXPECT_EQ(ReadString(root, classes + kTypeLibKey + L"\\1.0"), L"Brivane 1.0 Type Library");
    EXPECT_EQ(ReadString(root, classes + kTypeLibKey + L"\\1.0\\0\\win64"), dll_->path);
  }

  void ExpectClassGone(HKEY root, const std::wstring& classes) {
    for (const std::wstring& key : {kClassKey, std::wstring(L"Brivane.BrivaneShellExt.1"),
                                    std::wstring(L"Brivane.BrivaneShellExt"), L"AppID\\" + kAppId,
                                    std::wstring(L"AppID\\Brivane.DLL"), kTypeLibKey})
      EXPECT_FALSE(KeyExists(root, classes + key)) << key.size();
  }

  // The shellex keys and the approval, which do not depend on per-user registration.
  void ExpectShellHooks(bool present) {
    for (const wchar_t* key : kShellExKeys) {
      if (present)
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, key), kClsid);
      else
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key));
    }
    if (present)
      EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kApproved, kClsid.c_str()), L"BrivaneShellExt Class");
    else
      EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kApproved, kClsid.c_str()));
  }

  // What unregistration must leave: the shared parents.
  void ExpectParentsKept() {
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kApproved));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"AppID"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"Directory\\Background\\shellex\\ContextMenuHandlers"));
  }

  std::unique_ptr<BrivaneDll> dll_;
};

TEST_F(RegistrationTest, MachineWideRegistrationWritesTheTableAndUnregistrationRemovesIt) {
  ASSERT_EQ(dll_->Register(), S_OK);
  ExpectClassRegistered(HKEY_LOCAL_MACHINE, kMachineClasses);
  ExpectShellHooks(true);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kClassKey));

  // The class key is made afresh: what a former version left in it goes.
  UniqueKey stray;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, (kClassKey + L"\\Stray").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  stray.put(), nullptr);
  stray.reset();
  ASSERT_EQ(dll_->Register(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey + L"\\Stray"));

  ASSERT_EQ(dll_->Unregister(), S_OK);
  ExpectClassGone(HKEY_LOCAL_MACHINE, kMachineClasses);
  ExpectShellHooks(false);
  ExpectParentsKept();
}

TEST_F(RegistrationTest, InstallWithUserRegistersTheClassPerUser) {
  ASSERT_EQ(dll_->Install(TRUE, L"USER"), S_OK);
  ExpectClassRegistered(HKEY_CURRENT_USER, kUserClasses);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineClasses + kClassKey));
  ExpectShellHooks(true);  // always below HKEY_CLASSES_ROOT
  // Wine 8's COM does not look in HKEY_CURRENT_USER\Software\Classes, so creation through a per-user
  // registration is only checked machine-wide below.

  ASSERT_EQ(dll_->Install(FALSE, L"user"), S_OK);
  ExpectClassGone(HKEY_CURRENT_USER, kUserClasses);
  ExpectShellHooks(false);
  ExpectParentsKept();
}

TEST_F(RegistrationTest, InstallWithUsersRegistersMachineWide) {
  ASSERT_EQ(dll_->Install(TRUE, L"users"), S_OK);
  ExpectClassRegistered(HKEY_LOCAL_MACHINE, kMachineClasses);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kClassKey));
  ASSERT_EQ(dll_->Install(FALSE, nullptr), S_OK);
  ExpectClassGone(HKEY_LOCAL_MACHINE, kMachineClasses);
}

// The registrar reads its scripts' strings between apostrophes: a folder named with one must be
// quoted for it, and a registrar that cannot read the quoted form registers nothing rather than keys
// that name another file.
TEST_F(RegistrationTest, AFolderWithAnApostropheRegistersItsOwnPathOrNothing) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"O'Brien " + std::to_wstring(GetCurrentProcessId());
  const std::wstring copy = folder + L"\\Brivane.dll";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(dll_->path.c_str(), copy.c_str(), FALSE));
  {
    BrivaneDll moved(copy);
    ASSERT_NE(moved.module, nullptr);
    HRESULT hr = moved.Register();
    if (SUCCEEDED(hr)) {
      EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kClassKey + L"\\InprocServer32"), moved.path);
      EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kClassKey, L"LocalizedString"), L"@" + moved.path + L",-101");
    } else {
      EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    }
    EXPECT_EQ(moved.Unregister(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  }
  CoFreeUnusedLibrariesEx(0, 0);
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(RegistrationTest, TheSystemRegistrationToolRegistersAndUnregisters) {
  auto run = [](const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe /s " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return DWORD(-1);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
  };
  const std::wstring quoted = L"\"" + dll_->path + L"\"";
  ASSERT_EQ(run(quoted), 0u);
  ExpectClassRegistered(HKEY_LOCAL_MACHINE, kMachineClasses);
  ExpectShellHooks(true);
  ASSERT_EQ(run(L"/u " + quoted), 0u);
  ExpectClassGone(HKEY_LOCAL_MACHINE, kMachineClasses);
  ExpectShellHooks(false);
}

TEST_F(RegistrationTest, TheEmbeddedTypeLibraryNamesTheLibraryInterfaceAndClass) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(dll_->path.c_str(), REGKIND_NONE, library.put()), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, kTypeLibraryId);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  library->ReleaseTLibAttr(attributes);

  auto documentation = [&](int index, std::wstring& name) {
    BSTR rawName = nullptr, rawDoc = nullptr;
    library->GetDocumentation(index, &rawName, &rawDoc, nullptr, nullptr);
    name = rawName ? rawName : L"";
    std::wstring doc = rawDoc ? rawDoc : L"";
    SysFreeString(rawName);
    SysFreeString(rawDoc);
    return doc;
  };
  std::wstring name;
  EXPECT_EQ(documentation(-1, name), L"Brivane 1.0 Type Library");
  EXPECT_EQ(name, L"BrivaneLib");

  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(kClsidBrivaneShellExt, coclass.put()), S_OK);
  UINT count = library->GetTypeInfoCount();
  bool sawInterface = false, sawClass = false;
  for (UINT i = 0; i < count; ++i) {
    std::wstring doc = documentation(int(i), name);
    if (name == L"IBrivaneShellExt") sawInterface = doc == L"IBrivaneShellExt Interface";
    if (name == L"BrivaneShellExt") sawClass = doc == L"ShellExtAssistent Class";
  }
  EXPECT_TRUE(sawInterface);
  EXPECT_TRUE(sawClass);
}

TEST_F(RegistrationTest, ExplorerCreatesTheExtensionThroughTheRegisteredClsid) {
  ASSERT_EQ(dll_->Register(), S_OK);
  EXPECT_EQ(dll_->CanUnloadNow(), S_OK);
  {
    ComPtr<IContextMenu3> menu;
    ASSERT_EQ(CoCreateInstance(kClsidBrivaneShellExt, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu3,
                               menu.put_void()),
              S_OK);
    // Loaded from the registered path: the same module, now holding a live object.
    EXPECT_EQ(dll_->CanUnloadNow(), S_FALSE);
    ComPtr<IShellExtInit> init = menu.As<IShellExtInit>();
    ComPtr<IObjectWithSite> site = menu.As<IObjectWithSite>();
    ComPtr<IContextMenu> plain = menu.As<IContextMenu>();
    ComPtr<IContextMenu2> second = menu.As<IContextMenu2>();
    EXPECT_TRUE(init && site && plain && second);
    // One identity whichever interface is asked.
    ComPtr<IUnknown> fromMenu = menu.As<IUnknown>(), fromSite = site.As<IUnknown>();
    EXPECT_EQ(fromMenu.get(), fromSite.get());
    ComPtr<IDispatch> none;
    EXPECT_EQ(menu->QueryInterface(IID_IDispatch, none.put_void()), E_NOINTERFACE);
    EXPECT_FALSE(none);

    wchar_t text[16] = L"";
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(text), 16), S_OK);
    EXPECT_STREQ(text, L"Brivane");
  }
  EXPECT_EQ(dll_->CanUnloadNow(), S_OK);
}

TEST_F(RegistrationTest, TheClassFactoryRefusesAggregationAndHoldsTheLibraryWhenLocked) {
  using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = dll_->Get<GetClassObjectFunction>("DllGetClassObject");
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, factory.put_void()), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(getClassObject(kClsidBrivaneShellExt, IID_IClassFactory, nullptr), E_POINTER);
  ASSERT_EQ(getClassObject(kClsidBrivaneShellExt, IID_IClassFactory, factory.put_void()), S_OK);

  ComPtr<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, object.put_void()), CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(object);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), E_NOINTERFACE);
  // The refused object is gone again, but a factory that a client holds keeps the library, as a lock.
  EXPECT_EQ(dll_->CanUnloadNow(), S_FALSE);

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(dll_->CanUnloadNow(), S_FALSE);
  ASSERT_EQ(getClassObject(kClsidBrivaneShellExt, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(dll_->CanUnloadNow(), S_OK);
}

}  // namespace
