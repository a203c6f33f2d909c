#include "framework/win/RegistryKey.h"

#include <vector>

LONG CRegistryKey::Open(HKEY parent, const std::string& path, REGSAM access) {
    Close();
    return RegOpenKeyExA(parent, path.c_str(), 0, access, &m_key);
}

LONG CRegistryKey::Create(HKEY parent, const std::string& path, REGSAM access) {
    Close();
    return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           &m_key, nullptr);
}

void CRegistryKey::Close() {
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

bool CRegistryKey::ReadText(const char* name, std::string& value) const {
    DWORD type = 0, size = 0;
    if (!m_key || RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());  // stops at the terminator, stored or not
    return true;
}

LONG CRegistryKey::WriteText(const char* name, const std::string& value) {
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}
