// Values reaching composed statements: numbers only bare, texts escaped.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "db/SqlValues.h"

namespace {

TEST(SqlValuesTest, NumberLiteralsAreDigitsWithOptionalSignAndPoint) {
    for (const char* good : {"0", "1234", "-5", "+7", "12.50", ".5", "3.", "1234567890123"})
        EXPECT_TRUE(IsNumberLiteral(good)) << good;
    for (const char* bad : {"", "-", ".", "1.2.3", " 1", "1 ", "1e5", "0x10", "1 OR 1=1",
                            "0; DROP TABLE asigurati.societati", "1'--", "1/*", "12,5"})
        EXPECT_FALSE(IsNumberLiteral(bad)) << bad;
}

TEST(SqlValuesTest, SqlNumberRefusesWithAMessage) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage(
        "Valoarea \"1 OR 1=1\" nu este un numar valid!\nOperatia nu a fost efectuata.",
        MessageKind::Warning);  // refused input
    EXPECT_FALSE(SqlNumber(prompter, "1 OR 1=1").has_value());
    EXPECT_EQ("42", SqlNumber(prompter, "42")->Text());
    EXPECT_EQ("-17", SqlInteger(-17).Text());
}

class SqlTextTest : public DbTest {};

TEST_F(SqlTextTest, QuotesCommentsAndBackslashesStayInsideTheValue) {
    for (const std::string value : {"O'Neil", "a\\", "x' OR '1'='1", "--", "/*", "\\'; DROP TABLE "
                                    "asigurati.cas; --"}) {
        ASSERT_TRUE(
            m_client->Query(SqlStatement("SELECT ") + SqlText(*m_client, value) + " AS v", true));
        EXPECT_EQ(value, m_client->GetValue(0, "V"));
    }
    EXPECT_EQ("44", SqlScalar("SELECT COUNT(*) FROM asigurati.cas"));
}

// Composing a statement from a runtime text must not compile; only fixed texts
// and checked literals go in.
template <typename Part>
concept Appendable = requires(SqlStatement s, Part p) { s + p; };
static_assert(Appendable<const char*>);
static_assert(Appendable<SqlLiteral>);
static_assert(!Appendable<std::string>);
static_assert(!std::is_constructible_v<SqlStatement, std::string>);

}  // namespace
