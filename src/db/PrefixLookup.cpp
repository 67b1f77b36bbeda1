#include "db/PrefixLookup.h"

#include "db/CClient.h"

std::string EscapeLikePattern(std::string_view typed) {
    std::string out;
    out.reserve(typed.size() + 4);
    for (char c : typed) {
        if (c == '%' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

SqlLiteral PrefixLookup::Pattern(std::string_view typed) const {
    return SqlLiteral("'" + m_client.EscapeText(EscapeLikePattern(typed) + "%") + "'");
}

bool PrefixLookup::FindFirst(const SqlStatement& select, const char* orderBy) {
    const SqlStatement statement = select + " ORDER BY " + orderBy + " LIMIT 0,1";
    return m_client.Query(statement, true) && m_client.RowCount() > 0;
}
