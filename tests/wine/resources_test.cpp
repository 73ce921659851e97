// The executable's resources as Windows reads them: every one in Chinese
// (Simplified, PRC), the version block, the manifest and the icon.

#include <algorithm>
#include <string>
#include <vector>

#include "wizard_driver.h"

using namespace wine_test;

namespace {
constexpr WORD kChineseSimplified = 2052;

struct Resource {
    std::string type, name;
    WORD language;
};

std::string Id(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(id)) : id;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<Resource>*>(param)->push_back({Id(type), Id(name), language});
    return TRUE;
}
BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    return EnumResourceLanguagesA(module, type, name, &AddLanguage, param);
}
BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR param) {
    return EnumResourceNamesA(module, type, &AddName, param);
}

std::string Exe() {
    return MediumRoot() + "\\OstrelSetup.exe";
}
}  // namespace

TEST(Resources, EveryResourceIsChineseSimplified) {
    HMODULE module = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << GetLastError();
    std::vector<Resource> resources;
    EnumResourceTypesA(module, &AddType, reinterpret_cast<LONG_PTR>(&resources));
    FreeLibrary(module);
    std::vector<std::string> seen;
    for (const Resource& r : resources) {
        EXPECT_EQ(r.language, kChineseSimplified) << r.type << "/" << r.name;
        seen.push_back(r.type + "/" + r.name);
    }
    // Dialogs 100, 102, 129, 138, 139; the settings page's dialog-init list;
    // string block 7 (string 101); icon group 128; version; manifest 1.
    for (const char* expected : {"#5/#100", "#5/#102", "#5/#129", "#5/#138", "#5/#139", "#240/#102",
                                 "#6/#7", "#14/#128", "#16/#1", "#24/#1"}) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), expected), seen.end())
            << "missing " << expected;
    }
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const std::string& s) { return s.rfind("#14/", 0) == 0; }),
              1)
        << "icon 128 is the only icon group";
}

TEST(Resources, VersionBlockIs1100WithUsEnglishUnicodeTranslation) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(Exe().c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(Exe().c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
    char* fileVersion = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\FileVersion",
                               reinterpret_cast<void**>(&fileVersion), &length));
    EXPECT_STREQ(fileVersion, "1, 1, 0, 0");
}

TEST(Resources, ManifestAsksForHighestAvailableAndCommonControls6WithoutCompatibility) {
    HMODULE module = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("level=\"highestAvailable\" uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(
        manifest.find(
            "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
            "processorArchitecture=\"X86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\""),
        std::string::npos);
    EXPECT_NE(manifest.find("version=\"1.0.0.0\" processorArchitecture=\"X86\""),
              std::string::npos);
    // A compatibility section would make Windows 8.1 and later report their
    // real versions, which the version classes do not know.
    EXPECT_EQ(manifest.find("compatibility"), std::string::npos);
}

TEST(Resources, IconHasA32And16PixelImageOf16Colours) {
    HMODULE module = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14));
    ASSERT_TRUE(found);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(count, 2);
    std::vector<std::pair<int, int>> images;  // size, colours
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
        images.push_back({entry[0], entry[2]});
        EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 4) << "bits per pixel";
    }
    FreeLibrary(module);
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{32, 16}, {16, 16}}));
}
