#pragma once
#include <string>
#include <string_view>

#include "db/SqlValues.h"

class CClient;

// The look-up behind every type-ahead field: the first row, by a stable
// order, whose columns start with what the user typed. What was typed is a
// prefix, never a pattern: "%", "_" and "\" match only themselves.
class PrefixLookup {
public:
    explicit PrefixLookup(CClient& client) : m_client(client) {}

    // 'typed%' as a LIKE operand, the typed part escaped twice: for LIKE,
    // then as a string literal.
    SqlLiteral Pattern(std::string_view typed) const;

    // Runs `select` + " ORDER BY " + orderBy + " LIMIT 0,1". True when a row
    // came back; it is row 0 of the connection's result. A failed statement
    // has shown its error and answers false.
    bool FindFirst(const SqlStatement& select, const char* orderBy);

private:
    CClient& m_client;
};

// What was typed, with the characters LIKE treats specially made literal.
std::string EscapeLikePattern(std::string_view typed);
