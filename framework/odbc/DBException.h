#pragma once
#include <stdexcept>
#include <string>

// A failed database operation: the SQLSTATE and the driver's own message text.
// The message text is what users see ("Unable to open database:\n" + text).
class CDBException : public std::runtime_error {
public:
    CDBException(std::string sqlState, std::string message)
        : std::runtime_error(message),
          m_strSqlState(std::move(sqlState)),
          m_strError(std::move(message)) {}

    std::string m_strSqlState;
    std::string m_strError;
};
