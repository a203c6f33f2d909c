#include "saver/core/SaverSettings.h"

#include "framework/base/ParseDecimal.h"

const char kConfigSection[] = "Config";

namespace {

constexpr size_t kMaxFaceName = 31;

}  // namespace

void SaverSettings::Load(const CProfileSection& section) {
    *this = SaverSettings();
    section.ReadNumber("BkgndCol", m_bkgndCol);
    section.ReadNumber("TextCol", m_textCol);
    section.ReadNumber("Flags", m_flags);
    uint32_t speed = 0;
    if (section.ReadNumber("ScrollSpeed", speed))
        m_scrollSpeed = static_cast<int32_t>(speed);
    section.ReadText("FontSize", m_strFontSize);
    section.ReadText("FontName", m_strFontName);
    uint32_t allMonitors = 0;
    if (section.ReadNumber("AllMonitors", allMonitors))
        m_bAllMonitors = allMonitors != 0;
}

void SaverSettings::Store(CProfileSection& section) const {
    section.WriteText("FontName", m_strFontName);
    section.WriteText("FontSize", m_strFontSize);
    section.WriteNumber("ScrollSpeed", static_cast<uint32_t>(m_scrollSpeed));
    section.WriteNumber("BkgndCol", m_bkgndCol);
    section.WriteNumber("TextCol", m_textCol);
    section.WriteNumber("Flags", m_flags & kKnownFlags);
    section.WriteNumber("AllMonitors", m_bAllMonitors ? 1 : 0);
}

int SaverSettings::FontSizePoints() const {
    return static_cast<int>(ParseDecimal(m_strFontSize.c_str()));
}

std::string SaverSettings::FaceName() const { return m_strFontName.substr(0, kMaxFaceName); }
