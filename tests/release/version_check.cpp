// Reads tavri.exe's resources back through the same calls Explorer uses, so
// a slip in the resource script (wrong numbers, a missing language block,
// texts garbled by the encoding, a lost icon or manifest) shows here.
//
//   version_check [PROGRAM]
// PROGRAM is tavri.exe; without it, this program itself, which links the
// same resource script (for builds of the core alone).
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::wstring checkedPath;

std::wstring CheckedPath() {
  if (!checkedPath.empty()) return checkedPath;
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return {};
  return path;
}

// The checked program's resources, loaded as data.
HMODULE CheckedModule() {
  static HMODULE module = checkedPath.empty()
                              ? GetModuleHandleW(nullptr)
                              : LoadLibraryExW(checkedPath.c_str(), nullptr,
                                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

std::vector<BYTE> OwnVersionRecord() {
  const std::wstring file = CheckedPath();
  const wchar_t* path = file.c_str();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return {};
  std::vector<BYTE> record(size);
  if (!GetFileVersionInfoW(path, 0, size, record.data())) return {};
  return record;
}

// A text of the Japanese block, or nothing when the entry is missing.
std::wstring StringEntry(std::vector<BYTE>& record, const wchar_t* name) {
  std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  void* value = nullptr;
  UINT characters = 0;
  if (!VerQueryValueW(record.data(), query.c_str(), &value, &characters) || value == nullptr) {
    return L"<missing>";
  }
  // The length may or may not count the terminating zero.
  return std::wstring(static_cast<const wchar_t*>(value));
}

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  return out;
}

TEST(VersionRecord, FileAndProductVersionAre1000) {
  std::vector<BYTE> record = OwnVersionRecord();
  ASSERT_FALSE(record.empty()) << "the program has no version record";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  ASSERT_GE(size, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "marked debug, pre-release or patched";
}

TEST(VersionRecord, OneTranslationJapaneseInUnicode) {
  std::vector<BYTE> record = OwnVersionRecord();
  ASSERT_FALSE(record.empty());
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &size));
  ASSERT_EQ(size, sizeof(Translation));
  EXPECT_EQ(translations[0].language, 0x0411);
  EXPECT_EQ(translations[0].codePage, 1200);
}

TEST(VersionRecord, TextsOfTheJapaneseBlock) {
  std::vector<BYTE> record = OwnVersionRecord();
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(Narrow(StringEntry(record, L"FileVersion")), "1.00");
  EXPECT_EQ(Narrow(StringEntry(record, L"ProductVersion")), "1.00");
  EXPECT_EQ(Narrow(StringEntry(record, L"ProductName")), "tavri");
  EXPECT_EQ(Narrow(StringEntry(record, L"OriginalFilename")), "tavri.exe");
  EXPECT_EQ(Narrow(StringEntry(record, L"InternalName")), "tavri");
  // Written as escapes so that the check does not depend on how this file's
  // own encoding is read; the resource script holds them as UTF-8.
  EXPECT_EQ(StringEntry(record, L"FileDescription"),
            L"tavri \u95a2\u6570\u306e\u5b66\u7fd2\u30b2\u30fc\u30e0");
  EXPECT_EQ(StringEntry(record, L"LegalCopyright"),
            L"\u00a9 2026 tavri \u306e\u958b\u767a\u8005");
  EXPECT_EQ(StringEntry(record, L"CompanyName"), L"tavri \u306e\u958b\u767a\u8005");
}

BOOL CALLBACK CountIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  reinterpret_cast<std::vector<LPWSTR>*>(found)->push_back(name);
  return TRUE;
}

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY
  BYTE width;            // 0 means 256
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInResource;
  WORD id;
};
struct GroupIconHeader {  // GRPICONDIR
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

TEST(Icon, OneIconGroupWithEverySizeWindowsAsksFor) {
  HMODULE self = CheckedModule();
  ASSERT_NE(self, nullptr);
  std::vector<LPWSTR> groups;
  EnumResourceNamesW(self, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, CountIconGroup,
                     reinterpret_cast<LONG_PTR>(&groups));
  ASSERT_EQ(groups.size(), 1u) << "the program must carry exactly one icon";
  ASSERT_TRUE(IS_INTRESOURCE(groups[0]));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(groups[0]), 1u);

  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
  ASSERT_NE(found, nullptr);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(self, found)));
  ASSERT_NE(data, nullptr);
  ASSERT_GE(SizeofResource(self, found), sizeof(GroupIconHeader));
  const auto* header = reinterpret_cast<const GroupIconHeader*>(data);
  EXPECT_EQ(header->type, 1);  // icons, not cursors
  ASSERT_EQ(SizeofResource(self, found),
            sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(data + sizeof(GroupIconHeader));
  std::set<int> sizes;
  for (WORD i = 0; i < header->count; ++i) {
    int width = entries[i].width == 0 ? 256 : entries[i].width;
    int height = entries[i].height == 0 ? 256 : entries[i].height;
    EXPECT_EQ(width, height);
    EXPECT_EQ(entries[i].bitCount, 32) << "every image has an alpha channel";
    sizes.insert(width);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 64, 256}));

  // And Windows can make icons of it at the title-bar and the Explorer size.
  for (int size : {16, 32, 256}) {
    HANDLE icon = LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << size;
    if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(Manifest, PerMonitorDpiAndCommonControls6) {
  HMODULE self = CheckedModule();
  ASSERT_NE(self, nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  ASSERT_NE(found, nullptr) << "no program manifest";
  const char* data = static_cast<const char*>(LockResource(LoadResource(self, found)));
  const std::string manifest(data, SizeofResource(self, found));
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) {
    const std::string path = argv[1];
    checkedPath.assign(path.begin(), path.end());
  }
  return RUN_ALL_TESTS();
}
