#pragma once
#include <windows.h>

#include <string>

#include "framework/profile/ProfileSection.h"

class CRegistryKey;

// A section of the current user's settings, under HKEY_CURRENT_USER:
// Software, <company>, <application>, <section>. Every access opens the key path afresh,
// creating what is missing, so even a read leaves the path in place.
class CRegistrySection : public CProfileSection {
public:
    CRegistrySection(std::string company, std::string application, std::string section);

    bool ReadNumber(const char* name, uint32_t& value) const override;
    bool ReadText(const char* name, std::string& value) const override;
    void WriteNumber(const char* name, uint32_t value) override;
    void WriteText(const char* name, const std::string& value) override;

    // The path below HKEY_CURRENT_USER.
    std::string KeyPath() const;

private:
    // Opens the section's key, creating what is missing.
    bool OpenKey(CRegistryKey& key) const;

    std::string m_strCompany;
    std::string m_strApplication;
    std::string m_strSection;
};
