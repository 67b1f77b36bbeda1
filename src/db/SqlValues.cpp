#include "db/SqlValues.h"

#include "base/Prompter.h"
#include "db/CClient.h"

SqlLiteral SqlText(const CClient& client, const std::string& value) {
    return SqlLiteral("'" + client.EscapeText(value) + "'");
}

bool IsNumberLiteral(const std::string& value) {
    size_t i = 0;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;
    bool digits = false, point = false;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

std::optional<SqlLiteral> SqlNumber(Prompter& prompter, const std::string& value) {
    if (IsNumberLiteral(value)) return SqlLiteral(value);
    prompter.ShowMessage("Valoarea \"" + value +
                         "\" nu este un numar valid!\nOperatia nu a fost efectuata.");
    return std::nullopt;
}

SqlLiteral SqlInteger(long long value) {
    return SqlLiteral(std::to_string(value));
}
