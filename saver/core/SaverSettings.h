#pragma once
#include <cstdint>
#include <string>

#include "framework/base/Colour.h"
#include "framework/profile/ProfileSection.h"

// Bits of the Flags value. Readers test single bits; stores keep only these.
enum SaverFlag : uint32_t {
    FlagBold = 0x01,
    FlagItalic = 0x02,
    FlagRandomTextCol = 0x04,
    FlagRandomFont = 0x08,
    FlagShadow = 0x10,
    FlagVertical = 0x20,
    FlagRandomBkgndCol = 0x40,
};
constexpr uint32_t kKnownFlags = 0x7F;

// The registry section that holds the saver's display settings.
extern const char kConfigSection[];

// The display settings of one user, as the "Config" section holds them.
struct SaverSettings {
    Colour m_bkgndCol = MakeColour(0, 0, 0);
    Colour m_textCol = MakeColour(255, 255, 255);
    uint32_t m_flags = FlagRandomTextCol | FlagShadow | FlagVertical;  // 52
    int32_t m_scrollSpeed = 50;
    std::string m_strFontSize = "36";
    std::string m_strFontName = "Times New Roman";
    // Each monitor scrolls a sentence of its own; else the primary one alone.
    bool m_bAllMonitors = false;

    // Each value that is absent or unreadable keeps its default.
    void Load(const CProfileSection& section);
    // Writes every value; Flags only with its seven known bits.
    void Store(CProfileSection& section) const;

    bool Has(SaverFlag flag) const { return (m_flags & flag) != 0; }
    // FontSize as whole points: its leading digits, 0 without any.
    int FontSizePoints() const;
    // FontName as the font description takes it: at most 31 characters.
    std::string FaceName() const;
};
