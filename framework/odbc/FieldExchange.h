#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "framework/odbc/DbTime.h"

enum class FieldKind { Text, Long, Byte, Time };

enum FieldFlags : unsigned {
    FX_NONE = 0,
    FX_AUTO_KEY = 1,  // numbered by the database: never written, identifies the row
};

// One bound member, in field-exchange order.
struct CFieldBinding {
    std::string name;  // as written in the exchange, e.g. "[OPhrase]"
    FieldKind kind;
    void* member;
    unsigned flags;
};

// A column or parameter value as the record layer holds it; monostate is NULL.
using CFieldValue = std::variant<std::monostate, std::string, int32_t, CDbTime>;
using CFieldRow = std::vector<CFieldValue>;

CFieldValue ReadMember(const CFieldBinding& binding);
void WriteMember(const CFieldBinding& binding, const CFieldValue& value);

// Collects a record set's bound columns and parameters from its DoFieldExchange.
class CFieldExchange {
public:
    enum FieldType { outputColumn, param };

    void SetFieldType(FieldType type) { m_type = type; }
    void Bind(const char* name, FieldKind kind, void* member, unsigned flags);

    std::vector<CFieldBinding> m_columns;
    std::vector<CFieldBinding> m_params;

private:
    FieldType m_type = outputColumn;
};

void RFX_Text(CFieldExchange* pFX, const char* name, std::string& value, unsigned flags = FX_NONE);
void RFX_Long(CFieldExchange* pFX, const char* name, int32_t& value, unsigned flags = FX_NONE);
void RFX_Byte(CFieldExchange* pFX, const char* name, uint8_t& value, unsigned flags = FX_NONE);
void RFX_Date(CFieldExchange* pFX, const char* name, CDbTime& value, unsigned flags = FX_NONE);
