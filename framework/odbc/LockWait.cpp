#include "framework/odbc/LockWait.h"

#include <cctype>
#include <cstdlib>

namespace {

std::string Trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The SQLite ODBC driver's own numbers.
constexpr long long kSqliteDefaultWaitMs = 100000;
constexpr long long kSqliteLongestWaitMs = 1000000;

}  // namespace

std::string ConnectStringValue(const std::string& connect, const std::string& key) {
    size_t start = 0;
    while (start <= connect.size()) {
        size_t end = connect.find(';', start);
        if (end == std::string::npos)
            end = connect.size();
        const std::string pair = connect.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (equals != std::string::npos && EqualNoCase(Trimmed(pair.substr(0, equals)), key))
            return Trimmed(pair.substr(equals + 1));
        start = end + 1;
    }
    return "";
}

long long SqliteLockWaitMs(const std::string& timeoutSetting) {
    const std::string text = Trimmed(timeoutSetting);
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0')
        return kSqliteDefaultWaitMs;
    if (value < 1 || value > kSqliteLongestWaitMs)
        return kSqliteLongestWaitMs;
    return value;
}

std::string LockWaitText(long long limitMs) {
    const std::string waiting = "Waiting for the database, which another program may hold locked";
    if (limitMs == kNoLockWaitLimit)
        return waiting + "; the database sets no time limit";
    if (limitMs == kUnknownLockWaitLimit)
        return waiting;
    return waiting + ", for at most " + std::to_string((limitMs + 999) / 1000) + " s";
}
