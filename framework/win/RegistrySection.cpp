#include "framework/win/RegistrySection.h"

#include "framework/win/RegistryKey.h"

CRegistrySection::CRegistrySection(std::string company, std::string application,
                                   std::string section)
    : m_strCompany(std::move(company)),
      m_strApplication(std::move(application)),
      m_strSection(std::move(section)) {}

std::string CRegistrySection::KeyPath() const {
    return "Software\\" + m_strCompany + "\\" + m_strApplication + "\\" + m_strSection;
}

bool CRegistrySection::OpenKey(CRegistryKey& key) const {
    return key.Create(HKEY_CURRENT_USER, KeyPath(), KEY_READ | KEY_WRITE) == ERROR_SUCCESS;
}

bool CRegistrySection::ReadNumber(const char* name, uint32_t& value) const {
    CRegistryKey key;
    if (!OpenKey(key))
        return false;
    DWORD type = 0, data = 0, size = sizeof(data);
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    value = data;
    return true;
}

bool CRegistrySection::ReadText(const char* name, std::string& value) const {
    CRegistryKey key;
    return OpenKey(key) && key.ReadText(name, value);
}

void CRegistrySection::WriteNumber(const char* name, uint32_t value) {
    CRegistryKey key;
    if (!OpenKey(key))
        return;
    const DWORD data = value;
    RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

void CRegistrySection::WriteText(const char* name, const std::string& value) {
    CRegistryKey key;
    if (OpenKey(key))
        key.WriteText(name, value);
}
