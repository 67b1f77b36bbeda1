#include "dbf/DbfTableSpec.h"

void DbfTableSpec::ClearFields() {
    m_fieldCount = 0;
    m_names.clear();
    m_types.clear();
    m_lengths.clear();
    m_decimals.clear();
}

bool AddDbfField(DbfTableSpec& spec, const std::string& name, const std::string& type, int length,
                 int decimals) {
    if (length < 1 || length > 255) return false;
    if (decimals < 0 || decimals > 255) decimals = 0;
    spec.m_names.push_back(name);
    spec.m_types.push_back(type);
    spec.m_lengths.push_back(static_cast<std::uint8_t>(length));
    spec.m_decimals.push_back(type == "N" ? static_cast<std::uint8_t>(decimals) : 0);
    spec.m_fieldCount = static_cast<int>(spec.m_names.size());
    return true;
}

void AddDbfFields(DbfTableSpec& spec, std::span<const DbfFieldLayout> fields) {
    for (const DbfFieldLayout& field : fields)
        AddDbfField(spec, field.name, field.type, field.length, field.decimals);
}
