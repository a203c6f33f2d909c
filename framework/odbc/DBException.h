#pragma once
#include <stdexcept>
#include <string>

// A failed database operation: the SQLSTATE and the driver's own message text.
// The message text is what users see ("Unable to open database:\n" + text).
class CDBException : public std::runtime_error {
public:
    CDBException(std::string sqlState, std::string message, long nativeError = 0)
        : std::runtime_error(message),
          m_strSqlState(std::move(sqlState)),
          m_strError(std::move(message)),
          m_nNativeError(nativeError) {}

    // The connection is gone (SQLSTATE class 08, or the server shut the
    // session down, 57P0x): no later statement on it can succeed.
    bool ConnectionLost() const {
        return m_strSqlState.compare(0, 2, "08") == 0 || m_strSqlState.compare(0, 4, "57P0") == 0;
    }

    std::string m_strSqlState;
    std::string m_strError;
    long m_nNativeError;  // the driver's own error number; 0 when it gave none
};
