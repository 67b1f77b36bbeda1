// The type-ahead look-up: what was typed is a prefix, never a pattern, and the
// same prefix always finds the same row.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "db/PrefixLookup.h"

namespace {

class PrefixLookupTest : public DbTest {
protected:
    std::string First(const std::string& typed) {
        PrefixLookup lookup(*m_client);
        const SqlStatement select =
            SqlStatement("SELECT a.nume FROM asigurati.asigurati AS a WHERE a.nume LIKE ") +
            lookup.Pattern(typed) + " AND a.cf=1";
        return lookup.FindFirst(select, "a.index") ? m_client->GetValue(0, "NUME") : "-";
    }
};

TEST_F(PrefixLookupTest, TypedWildcardsQuotesAndBackslashesAreLiteral) {
    RunSql("INSERT INTO asigurati.asigurati (cf, cnp, nume) VALUES "
           "(1, 1, 'O''BRIEN'), (1, 2, 'O''B%X'), (1, 3, '1203'), (1, 4, '12_3'),"
           " (1, 5, 'A\\\\B'), (1, 6, 'AXB'), (2, 7, 'O''B%Y')");
    EXPECT_EQ("O'B%X", First("O'B%"));
    EXPECT_EQ("O'BRIEN", First("O'B"));
    EXPECT_EQ("12_3", First("12_"));
    EXPECT_EQ("1203", First("120"));
    EXPECT_EQ("A\\B", First("A\\"));
    EXPECT_EQ("-", First("%"));
    EXPECT_EQ("-", First("Z"));
}

TEST_F(PrefixLookupTest, TheRowKeyDecidesAmongSeveralMatches) {
    RunSql("INSERT INTO asigurati.asigurati (`index`, cf, cnp, nume) VALUES "
           "(30, 1, 1, 'POP C'), (10, 1, 2, 'POP A'), (20, 1, 3, 'POP B')");
    EXPECT_EQ("POP A", First("POP"));
    EXPECT_EQ(R"(\\\%\_x)", EscapeLikePattern(R"(\%_x)"));
}

}  // namespace
