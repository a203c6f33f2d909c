#pragma once
#include <cstdint>
#include <string>

// One named section of the user's settings: the registry on Windows, a plain
// map in the tests of the settings logic. Reads report whether the value was
// there with the expected type; writes report nothing.
class CProfileSection {
public:
    virtual ~CProfileSection() = default;

    virtual bool ReadNumber(const char* name, uint32_t& value) const = 0;
    virtual bool ReadText(const char* name, std::string& value) const = 0;
    virtual void WriteNumber(const char* name, uint32_t value) = 0;
    virtual void WriteText(const char* name, const std::string& value) = 0;
};
