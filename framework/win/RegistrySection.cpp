#include "framework/win/RegistrySection.h"

#include <vector>

namespace {

// Closes a key on every path out of a function.
class CKeyGuard {
public:
    explicit CKeyGuard(HKEY key) : m_key(key) {}
    ~CKeyGuard() {
        if (m_key)
            RegCloseKey(m_key);
    }
    CKeyGuard(const CKeyGuard&) = delete;
    CKeyGuard& operator=(const CKeyGuard&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key;
};

}  // namespace

CRegistrySection::CRegistrySection(std::string company, std::string application,
                                   std::string section)
    : m_strCompany(std::move(company)),
      m_strApplication(std::move(application)),
      m_strSection(std::move(section)) {}

std::string CRegistrySection::KeyPath() const {
    return "Software\\" + m_strCompany + "\\" + m_strApplication + "\\" + m_strSection;
}

HKEY CRegistrySection::OpenKey() const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool CRegistrySection::ReadNumber(const char* name, uint32_t& value) const {
    CKeyGuard key(OpenKey());
    if (!key.get())
        return false;
    DWORD type = 0, data = 0, size = sizeof(data);
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    value = data;
    return true;
}

bool CRegistrySection::ReadText(const char* name, std::string& value) const {
    CKeyGuard key(OpenKey());
    if (!key.get())
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());  // stops at the terminator, stored or not
    return true;
}

void CRegistrySection::WriteNumber(const char* name, uint32_t value) {
    CKeyGuard key(OpenKey());
    if (!key.get())
        return;
    const DWORD data = value;
    RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

void CRegistrySection::WriteText(const char* name, const std::string& value) {
    CKeyGuard key(OpenKey());
    if (!key.get())
        return;
    RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}
