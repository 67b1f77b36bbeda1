// A field's text goes to the database and comes back as the same letters.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include "FieldTyping.h"
#include "TestServer.h"
#include "db/SqlValues.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"

namespace {

class FieldStorageTest : public DbTest {
protected:
    // Stores the field's text as a company name and reads it back for display.
    QString StoredAndReadBack(const QLineEdit* edit) {
        const std::string name = FromQt(edit->text());
        EXPECT_TRUE(m_client->Query("DELETE FROM asigurati.societati", false));
        EXPECT_TRUE(m_client->Query(SqlStatement("INSERT INTO asigurati.societati (cf, denumire, "
                                                 "ziua_lic, jud) VALUES (12345674, ") +
                                        SqlText(*m_client, name) + ", '10', 'MB')",
                                    false));
        EXPECT_TRUE(
            m_client->Query("SELECT denumire FROM asigurati.societati WHERE cf=12345674", true));
        return ToQt(m_client->GetValue(0, "DENUMIRE"));
    }
};

TEST_F(FieldStorageTest, RomanianLettersSurviveTheDatabase) {
    QWidget window;
    window.show();
    const QString typed =
        QString::fromUtf8("Școala Țării „Ănă” aăâbcdefghiîjklmnopqrsștțuvwxyz 😀Ж ĂÂÎȘȚ şţŞŢ");
    for (TextRule rule : {TextRule::AsTyped, TextRule::Upper, TextRule::Lower}) {
        QLineEdit* edit = MakeField(&window, "denumireEdit", 255, rule);
        TypeText(edit, typed.left(20));
        PasteText(edit, typed.mid(20));
        ASSERT_FALSE(edit->text().isEmpty());
        EXPECT_EQ(edit->text(), StoredAndReadBack(edit)) << int(rule);
        delete edit;
    }
    // The bytes in the table are the page's, so other programs read the same letters.
    EXPECT_EQ(
        "\xBA"
        "coala \xFE\xE3ri",
        SqlScalar("SELECT LEFT(denumire, 11) FROM "
                  "asigurati.societati WHERE cf=12345674"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
