// The settings in Wine's real registry.
#include <gtest/gtest.h>

#include "saver/core/SaverSettings.h"
#include "framework/win/WinApp.h"
#include "tests/saver/DefaultSettings.h"
#include "tests/windows/WinTestSupport.h"

namespace {

class RegistrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestSettings(); }
    void TearDown() override { DeleteTestSettings(); }

    static DWORD ValueType(const char* name) {
        DWORD type = REG_NONE;
        const std::string path = TestSection().KeyPath();
        RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     nullptr);
        return type;
    }
    static bool KeyExists(const std::string& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

}  // namespace

// The application's name is the program file's long base name, even when
// started by its 8.3 name.
TEST_F(RegistrySettingsTest, SectionLivesUnderTheApplicationsLongName) {
    EXPECT_EQ(TestSection().KeyPath(), "Software\\Tallix\\win_saver_tests\\Config");
    EXPECT_EQ(ProgramBaseName(), kTestApplication);
    char path[MAX_PATH] = {}, shortPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    ASSERT_NE(GetShortPathNameA(path, shortPath, sizeof(shortPath)), 0u);
    ASSERT_STRNE(shortPath, path) << "no 8.3 name to test with";
    EXPECT_EQ(ApplicationNameFromPath(shortPath), "win_saver_tests") << shortPath;
}

TEST_F(RegistrySettingsTest, FreshUserGetsDefaultsAndTheKeyPath) {
    ASSERT_FALSE(KeyExists(TestSection().KeyPath()));
    SaverSettings settings;
    settings.Load(TestSection());
    ExpectDefaultSettings(settings);
    EXPECT_TRUE(KeyExists(TestSection().KeyPath()));  // even a read creates it
}

TEST_F(RegistrySettingsTest, StoreWritesEachValueWithItsType) {
    SaverSettings settings;
    settings.m_flags = 0x5Au;
    settings.m_strFontSize = "48";
    settings.m_strFontName = "Liberation Serif";
    settings.m_scrollSpeed = 75;
    StoreSettings(settings);

    EXPECT_EQ(ValueType("FontSize"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ValueType("FontName"), static_cast<DWORD>(REG_SZ));
    for (const char* name : {"Flags", "TextCol", "BkgndCol", "ScrollSpeed"})
        EXPECT_EQ(ValueType(name), static_cast<DWORD>(REG_DWORD)) << name;

    SaverSettings loaded;
    loaded.Load(TestSection());
    EXPECT_EQ(loaded.m_flags, 0x5Au);
    EXPECT_EQ(loaded.m_strFontSize, "48");
    EXPECT_EQ(loaded.m_strFontName, "Liberation Serif");
    EXPECT_EQ(loaded.m_scrollSpeed, 75);
}

TEST_F(RegistrySettingsTest, ValuesOfTheWrongTypeGiveTheDefault) {
    CRegistrySection section = TestSection();
    section.WriteText("Flags", "0");
    section.WriteNumber("FontSize", 12);
    section.WriteText("FontName", std::string(300, 'F'));
    SaverSettings settings;
    settings.Load(section);
    EXPECT_EQ(settings.m_flags, 52u);
    EXPECT_EQ(settings.m_strFontSize, "36");
    EXPECT_EQ(settings.m_strFontName.size(), 300u);  // taken as stored, whatever its length
}
