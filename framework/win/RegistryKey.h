#pragma once
#include <windows.h>

#include <string>

// One open registry key, closed on every path out of its scope.
class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Both return the system's error code (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
    // ERROR_ACCESS_DENIED, ...). Create also opens a key that exists.
    LONG Open(HKEY parent, const std::string& path, REGSAM access);
    LONG Create(HKEY parent, const std::string& path, REGSAM access);
    void Close();

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

    // A REG_SZ value; false when it is missing or of another type.
    bool ReadText(const char* name, std::string& value) const;
    LONG WriteText(const char* name, const std::string& value);

private:
    HKEY m_key = nullptr;
};
