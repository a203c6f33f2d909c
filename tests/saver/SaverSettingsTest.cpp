// The settings record: defaults, flag bits and value types, over a section
// that records what was written.
#include <gtest/gtest.h>

#include <map>

#include "saver/core/SaverSettings.h"
#include "tests/saver/DefaultSettings.h"

namespace {

// A section in memory that keeps numbers and texts apart, as the registry's
// value types do.
class CMemorySection : public CProfileSection {
public:
    bool ReadNumber(const char* name, uint32_t& value) const override { return Find(m_numbers, name, value); }
    bool ReadText(const char* name, std::string& value) const override { return Find(m_texts, name, value); }
    void WriteNumber(const char* name, uint32_t value) override { m_numbers[name] = value; }
    void WriteText(const char* name, const std::string& value) override { m_texts[name] = value; }

    std::map<std::string, uint32_t> m_numbers;
    std::map<std::string, std::string> m_texts;

private:
    template <class Value>
    static bool Find(const std::map<std::string, Value>& values, const char* name, Value& value) {
        const auto found = values.find(name);
        if (found != values.end())
            value = found->second;
        return found != values.end();
    }
};

}  // namespace

TEST(SaverSettingsTest, EmptySectionGivesTheDefaults) {
    CMemorySection section;
    SaverSettings settings;
    settings.m_flags = 0;  // Load must not keep what was there before
    settings.m_bAllMonitors = true;
    settings.Load(section);
    ExpectDefaultSettings(settings);
    EXPECT_TRUE(settings.Has(FlagRandomTextCol));
    EXPECT_TRUE(settings.Has(FlagShadow));
    EXPECT_TRUE(settings.Has(FlagVertical));
    EXPECT_FALSE(settings.Has(FlagBold) || settings.Has(FlagItalic) || settings.Has(FlagRandomFont) ||
                 settings.Has(FlagRandomBkgndCol));
}

TEST(SaverSettingsTest, StoredValuesWinAndTypesStayApart) {
    CMemorySection section;
    section.m_numbers = {{"BkgndCol", 0x102030}, {"TextCol", 0x405060}, {"Flags", 0x80u | 0x100u | FlagItalic},
                         {"ScrollSpeed", 0xFFFFFFFF}};
    section.m_texts = {{"FontSize", "12"}, {"FontName", "Arial"}};
    SaverSettings settings;
    settings.Load(section);
    EXPECT_EQ(settings.m_bkgndCol, 0x102030u);
    EXPECT_EQ(settings.m_textCol, 0x405060u);
    EXPECT_TRUE(settings.Has(FlagItalic));  // bits past the seven flags are ignored
    EXPECT_FALSE(settings.Has(FlagVertical) || settings.Has(FlagBold));
    EXPECT_EQ(settings.m_scrollSpeed, -1);  // no range check on load
    EXPECT_EQ(settings.FontSizePoints(), 12);
    EXPECT_EQ(settings.FaceName(), "Arial");

    // A FontSize stored as a number is not a text: the default stays.
    CMemorySection wrongType;
    wrongType.m_numbers = {{"FontSize", 12}};
    settings.Load(wrongType);
    EXPECT_EQ(settings.m_strFontSize, "36");
}

TEST(SaverSettingsTest, StoreWritesTextsAsTextAndOnlyTheSevenFlags) {
    for (uint32_t flags : {0xFFFFFFFFu, 0xFFFFFF80u | FlagBold | FlagShadow, 0x80u | FlagRandomBkgndCol}) {
        CMemorySection section;
        SaverSettings settings;
        settings.m_flags = flags;
        settings.Store(section);
        EXPECT_EQ(section.m_numbers.at("Flags"), flags & 0x7Fu) << std::hex << flags;
        EXPECT_EQ(section.m_texts.at("FontSize"), "36");
        EXPECT_EQ(section.m_texts.at("FontName"), "Times New Roman");
        EXPECT_EQ(section.m_numbers.count("FontSize"), 0u);
        EXPECT_EQ(section.m_numbers.at("ScrollSpeed"), 50u);
        EXPECT_EQ(section.m_numbers.at("TextCol"), 0xFFFFFFu);
        EXPECT_EQ(section.m_numbers.at("BkgndCol"), 0u);
    }
}

TEST(SaverSettingsTest, FontSizeAndFaceAsTheFontTakesThem) {
    SaverSettings settings;
    settings.m_strFontSize = "abc";
    EXPECT_EQ(settings.FontSizePoints(), 0);
    settings.m_strFontSize = "24pt";
    EXPECT_EQ(settings.FontSizePoints(), 24);
    settings.m_strFontName = std::string(40, 'x');
    EXPECT_EQ(settings.FaceName(), std::string(31, 'x'));
}

// Sentences on every monitor: a number of its own beside Flags, which keeps
// only its seven bits; any non-zero number turns it on.
TEST(SaverSettingsTest, SentencesOnEveryMonitorKeepsAValueOfItsOwn) {
    CMemorySection section;
    SaverSettings settings;
    settings.m_bAllMonitors = true;
    settings.Store(section);
    EXPECT_EQ(section.m_numbers.at("AllMonitors"), 1u);
    EXPECT_EQ(section.m_numbers.at("Flags"), 52u);
    section.m_numbers["AllMonitors"] = 7;
    settings.Load(section);
    EXPECT_TRUE(settings.m_bAllMonitors);
}
