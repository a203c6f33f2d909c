#include "framework/odbc/FieldExchange.h"

void CFieldExchange::Bind(const char* name, FieldKind kind, void* member, unsigned flags) {
    (m_type == outputColumn ? m_columns : m_params).push_back({name, kind, member, flags});
}

void RFX_Text(CFieldExchange* pFX, const char* name, std::string& value, unsigned flags) {
    pFX->Bind(name, FieldKind::Text, &value, flags);
}

void RFX_Long(CFieldExchange* pFX, const char* name, int32_t& value, unsigned flags) {
    pFX->Bind(name, FieldKind::Long, &value, flags);
}

void RFX_Byte(CFieldExchange* pFX, const char* name, uint8_t& value, unsigned flags) {
    pFX->Bind(name, FieldKind::Byte, &value, flags);
}

void RFX_Date(CFieldExchange* pFX, const char* name, CDbTime& value, unsigned flags) {
    pFX->Bind(name, FieldKind::Time, &value, flags);
}

CFieldValue ReadMember(const CFieldBinding& binding) {
    switch (binding.kind) {
        case FieldKind::Text:
            return *static_cast<std::string*>(binding.member);
        case FieldKind::Long:
            return *static_cast<int32_t*>(binding.member);
        case FieldKind::Byte:
            return static_cast<int32_t>(*static_cast<uint8_t*>(binding.member));
        case FieldKind::Time: {
            const CDbTime& t = *static_cast<CDbTime*>(binding.member);
            if (t.year == 0)
                return std::monostate{};
            return t;
        }
    }
    return std::monostate{};
}

void WriteMember(const CFieldBinding& binding, const CFieldValue& value) {
    switch (binding.kind) {
        case FieldKind::Text: {
            const std::string* text = std::get_if<std::string>(&value);
            *static_cast<std::string*>(binding.member) = text ? *text : std::string();
            break;
        }
        case FieldKind::Long:
        case FieldKind::Byte: {
            const int32_t* number = std::get_if<int32_t>(&value);
            int32_t n = number ? *number : 0;
            if (binding.kind == FieldKind::Long)
                *static_cast<int32_t*>(binding.member) = n;
            else
                *static_cast<uint8_t*>(binding.member) = static_cast<uint8_t>(n);
            break;
        }
        case FieldKind::Time: {
            const CDbTime* t = std::get_if<CDbTime>(&value);
            *static_cast<CDbTime*>(binding.member) = t ? *t : CDbTime{};
            break;
        }
    }
}
