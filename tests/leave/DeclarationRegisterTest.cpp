// The declarations register against the test server: the rectification lock,
// the delete, the editor's look-ups and checks, and the summary lines.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "datalist/DataList.h"
#include "leave/CertificateRegister.h"
#include "leave/DeclarationRegister.h"
#include "leave/MonthChain.h"

namespace {

constexpr const char* kLocked =
    "Exista cel putin o alta declaratie rectificativa ulterioara acesteia, in aceeasi luna!";

class DeclarationRegisterTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_register = std::make_unique<DeclarationRegister>(*m_client);
    }
    // Adds a declaration of company 12345678 and answers its index.
    static long long AddDeclaration(const std::string& month, int number,
                                    const std::string& f = "0", const std::string& k = "0") {
        RunSql(
            "INSERT INTO concedii.declaratii (cf, luna, rectificativa, rectif_nr, nr_ang, "
            "contributii_datorate, faambp_datorat, de_recuperat_anterior) VALUES (12345678, " +
            month + ", '" + (number == 0 ? "NU" : "DA") + "', " + std::to_string(number) + ", 5, " +
            f + ", 0, " + k + ")");
        return std::stoll(SqlScalar("SELECT MAX(`index`) FROM concedii.declaratii"));
    }
    static void AddCertificate(long long declaration, const std::string& tip,
                               const std::string& cnp, const std::string& number,
                               const std::string& fnuass) {
        RunSql(
            "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, tip_rectif, "
            "cert_serie, cert_numar, cod_indemn, suma_suportata_fnuass) VALUES (" +
            std::to_string(declaration) + ", 12345678, " + cnp + ", 'POP', '" + tip +
            "', 'CCM', '" + number + "', '1', " + fnuass + ")");
    }
    static std::string Count(const std::string& table) {
        return SqlScalar("SELECT COUNT(*) FROM concedii." + table);
    }
    DeclarationRecord Valid() {
        DeclarationRecord r;
        r.cf = "12345678";
        r.luna = "201003";
        r.rectificativa = "NU";
        r.rectifNr = "0";
        r.zileLucratoare = "23";
        r.nrAng = "5";
        r.salariulMinim = "600";
        r.fondDeSalarii = "50000";
        r.contributiiDatorate = "306";
        return r;
    }

    std::unique_ptr<DeclarationRegister> m_register;
};

TEST_F(DeclarationRegisterTest, OnlyTheLastDeclarationOfAMonthIsOpen) {
    const long long initial = AddDeclaration("201003", 0);
    const long long first = AddDeclaration("201003", 1);
    const long long second = AddDeclaration("201003", 2);
    AddDeclaration("201004", 0);

    // Each operation passes its own ending; the user reads it after the lock's reason.
    const struct {
        const char* tail;
        const char* shown;
    } operations[] = {
        {DeclarationMessages::kCannotDelete, "\n\nNu poti sterge declaratia selectata."},
        {DeclarationMessages::kNoCertificateAdd, "\n\nNu mai poti adauga concedii medicale."},
        {DeclarationMessages::kNoCertificateModify, "\n\nNu mai poti modifica concedii medicale."},
        {DeclarationMessages::kNoCertificateDelete, "\n\nNu mai poti sterge concedii medicale."}};
    for (const auto& op : operations) {
        for (long long frozen : {initial, first}) {
            m_prompter.ExpectMessage(std::string(kLocked) + op.shown);
            EXPECT_FALSE(m_register->CheckOpen(frozen, op.tail));
        }
        EXPECT_TRUE(m_register->CheckOpen(second, op.tail));
    }
    // A declaration that is gone ends the operation without a word.
    EXPECT_FALSE(m_register->CheckOpen(999999, DeclarationMessages::kCannotDelete));

    m_prompter.ExpectMessage(std::string(kLocked) + "\n\nNu poti sterge declaratia selectata.");
    EXPECT_FALSE(m_register->Delete(first));
    EXPECT_EQ("4", Count("declaratii"));
}

TEST_F(DeclarationRegisterTest, DeleteAsksTwiceAndTakesTheCertificatesWithIt) {
    const long long kept = AddDeclaration("201002", 0);
    const long long gone = AddDeclaration("201003", 0);
    AddCertificate(kept, "", "1800101221144", "1", "10");
    AddCertificate(gone, "", "1800101221144", "2", "10");
    AddCertificate(gone, "", "2800203400121", "3", "10");
    const std::string first =
        "Esti sigur ca vrei sa stergi declaratia selectata?\n\nATENTIE: vor fi sterse toate "
        "concediile atasate ei.";
    m_prompter.ExpectQuestion(first, false);
    EXPECT_FALSE(m_register->Delete(gone));
    m_prompter.ExpectQuestion(first, true).ExpectQuestion("Sigur, sigur?", false);
    EXPECT_FALSE(m_register->Delete(gone));
    EXPECT_EQ("3", Count("concedii"));

    m_prompter.ExpectQuestion(first, true).ExpectQuestion("Sigur, sigur?", true);
    EXPECT_TRUE(m_register->Delete(gone));
    EXPECT_EQ("1", Count("declaratii"));
    EXPECT_EQ("1", Count("concedii"));

    // Deleting the last rectifying declaration opens the one before it.
    const long long initial = AddDeclaration("201005", 0);
    const long long rectifying = AddDeclaration("201005", 1);
    m_prompter.ExpectQuestion(first, true).ExpectQuestion("Sigur, sigur?", true);
    EXPECT_TRUE(m_register->Delete(rectifying));
    EXPECT_TRUE(m_register->CheckOpen(initial, DeclarationMessages::kCannotDelete));
}

TEST_F(DeclarationRegisterTest, AFailingDeclarationDeleteLeavesItsCertificatesInPlace) {
    const long long declaration = AddDeclaration("201003", 0);
    AddCertificate(declaration, "", "1800101221144", "1", "10");
    AddCertificate(declaration, "", "2800203400121", "2", "10");
    RunSql(
        "CREATE TRIGGER concedii.keep_declaration BEFORE DELETE ON concedii.declaratii "
        "FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'refused'");
    m_prompter.ExpectQuestion(
        "Esti sigur ca vrei sa stergi declaratia selectata?\n\nATENTIE: vor fi sterse toate "
        "concediile atasate ei.",
        true);
    m_prompter.ExpectQuestion("Sigur, sigur?", true);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefused", MessageKind::Error);
    const Outcome deleted = m_register->Delete(declaration);
    RunSql("DROP TRIGGER concedii.keep_declaration");
    EXPECT_FALSE(deleted);
    EXPECT_EQ("1", Count("declaratii"));
    EXPECT_EQ("2", Count("concedii"));
}

TEST_F(DeclarationRegisterTest, AFailingCertificateDeleteLeavesBothTablesAsTheyWere) {
    const long long declaration = AddDeclaration("201003", 0);
    AddCertificate(declaration, "", "1800101221144", "1", "10");
    RunSql(
        "CREATE TRIGGER concedii.keep_certificates BEFORE DELETE ON concedii.concedii "
        "FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'refused'");
    m_prompter.ExpectQuestion(
        "Esti sigur ca vrei sa stergi declaratia selectata?\n\nATENTIE: vor fi sterse toate "
        "concediile atasate ei.",
        true);
    m_prompter.ExpectQuestion("Sigur, sigur?", true);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefused", MessageKind::Error);
    const Outcome deleted = m_register->Delete(declaration);
    EXPECT_FALSE(deleted);
    EXPECT_EQ("1", Count("declaratii"));
    EXPECT_EQ("1", Count("concedii"));

    // The window's certificate delete goes the same way.
    const long long certificate =
        std::stoll(SqlScalar("SELECT `index` FROM concedii.concedii LIMIT 1"));
    CertificateRegister certificates(*m_client);
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi concediul selectat?", true);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefused", MessageKind::Error);
    EXPECT_FALSE(certificates.Delete(certificate));
    RunSql("DROP TRIGGER concedii.keep_certificates");
    EXPECT_EQ("1", Count("concedii"));
    EXPECT_EQ("0", Count("zlog_concedii"));
}

TEST_F(DeclarationRegisterTest, TheMonthDecidesTheTypeAndTheMinimumWage) {
    auto type = m_register->DecideType("12345678", 2010, 3);
    ASSERT_TRUE(type);
    EXPECT_FALSE(type->rectifying);
    EXPECT_EQ(0, type->rectifies);
    const long long initial = AddDeclaration("201003", 0);
    type = m_register->DecideType("12345678", 2010, 3);
    ASSERT_TRUE(type);
    EXPECT_TRUE(type->rectifying);
    EXPECT_EQ(1, type->number);
    EXPECT_EQ(initial, type->rectifies);
    // A new rectification corrects the latest declaration of the month.
    const long long second = AddDeclaration("201003", 2);
    AddDeclaration("201003", 1);
    EXPECT_EQ(3, m_register->DecideType("12345678", 2010, 3)->number);
    EXPECT_EQ(second, m_register->DecideType("12345678", 2010, 3)->rectifies);
    EXPECT_FALSE(m_register->DecideType("87654321", 2010, 3)->rectifying);

    // The wage in force on the first day of the month, even when it changes
    // later in that month.
    EXPECT_EQ("2230", m_register->MinimumWage(2021, 1));
    EXPECT_EQ("540", m_register->MinimumWage(2008, 12));
    EXPECT_EQ("", m_register->MinimumWage(2027, 1));
}

TEST_F(DeclarationRegisterTest, SaveChecksRunInOrder) {
    struct Case {
        void (*spoil)(DeclarationRecord&);
        const char* message;
        const char* field;
    } cases[] = {
        {[](DeclarationRecord& r) { r.luna = "200512"; }, "Luna declaratiei este incorecta!",
         "luna"},
        {[](DeclarationRecord& r) { r.luna = "201013"; }, "Luna declaratiei este incorecta!",
         "luna"},
        {[](DeclarationRecord& r) {
             r.zileLucratoare = "24";
             r.nrAng = "0";
         },
         "Numarul de zile lucratoare este incorect!", "zile_lucratoare"},
        {[](DeclarationRecord& r) { r.nrAng = ""; }, "Numarul de angajati este incorect!",
         "nr_ang"},
        {[](DeclarationRecord& r) {
             r.salariulMinim = "";
             r.fondDeSalarii = "";
         },
         "Trebuie sa introduci salariul minim pe economie!", "salariul_minim"},
        {[](DeclarationRecord& r) { r.fondDeSalarii = ""; },
         "Trebuie sa introduci fondul de salarii!", "fond_de_salarii"},
        {[](DeclarationRecord& r) { r.contributiiDatorate = ""; },
         "Trebuie sa introduci contributiile datorate!", "contributii_datorate"},
    };
    for (const Case& c : cases) {
        DeclarationRecord r = Valid();
        c.spoil(r);
        m_prompter.ExpectMessage(c.message);
        const Outcome saved = m_register->Save(r, 0);
        EXPECT_FALSE(saved) << c.message;
        EXPECT_EQ(c.field, saved.Field()) << c.message;
    }
    EXPECT_EQ("0", Count("declaratii"));
    DeclarationRecord zeroDays = Valid();
    zeroDays.zileLucratoare = "0";
    EXPECT_TRUE(m_register->Save(zeroDays, 0)) << "0 working days pass this check";
}

TEST_F(DeclarationRegisterTest, AddStoresTheTypeAndModifyKeepsItBehindTheLock) {
    DeclarationRecord initial = Valid();
    initial.faambp = "";  // an empty amount is stored as 0
    const Outcome added = m_register->Save(initial, 0);
    ASSERT_TRUE(added);
    EXPECT_EQ("NU", SqlScalar("SELECT rectificativa FROM concedii.declaratii WHERE `index`=" +
                              std::to_string(added.Key())));
    EXPECT_EQ("0", SqlScalar("SELECT rectif_nr FROM concedii.declaratii WHERE `index`=" +
                             std::to_string(added.Key())));
    DeclarationRecord rectifying = Valid();
    rectifying.rectificativa = "DA";
    rectifying.rectifNr = "1";
    const Outcome second = m_register->Save(rectifying, 0);
    ASSERT_TRUE(second);

    auto stored = m_register->Load(added.Key());
    ASSERT_TRUE(stored);
    EXPECT_EQ("0", stored->faambp);
    stored->nrAng = "7";
    m_prompter.ExpectMessage(std::string(kLocked) + "\n\nNu poti modifica declaratia curenta.");
    EXPECT_FALSE(m_register->Save(*stored, added.Key()));
    auto last = m_register->Load(second.Key());
    last->nrAng = "7";
    EXPECT_TRUE(m_register->Save(*last, second.Key()));
    EXPECT_EQ("7", SqlScalar("SELECT nr_ang FROM concedii.declaratii WHERE `index`=" +
                             std::to_string(second.Key())));
    EXPECT_EQ("DA", SqlScalar("SELECT rectificativa FROM concedii.declaratii WHERE `index`=" +
                              std::to_string(second.Key())));
}

TEST_F(DeclarationRegisterTest, AChangeKeepsWhatTheDeclarationIsAndTheListShowsItsColumns) {
    const Outcome added = m_register->Save(Valid(), 0);
    ASSERT_TRUE(added);
    const std::string index = std::to_string(added.Key());
    DeclarationRecord changed = Valid();
    changed.cf = "99999999";
    changed.luna = "201004";
    changed.rectificativa = "DA";
    changed.rectifNr = "5";
    changed.nrAng = "9";
    changed.faambp = "";
    ASSERT_TRUE(m_register->Save(changed, added.Key()));
    EXPECT_EQ("12345678|201003|NU|0|9|0",
              SqlScalar("SELECT CONCAT_WS('|', cf, luna, rectificativa, rectif_nr, nr_ang, faambp) "
                        "FROM concedii.declaratii WHERE `index`=" +
                        index));

    DataList list;
    ASSERT_TRUE(m_register->FillList(list, "12345678"));
    ASSERT_EQ(1, list.RowCount());
    const struct {
        const char* column;
        int width;
        const char* kind;
    } columns[] = {{"LUNA", 70, "2"}, {"RECTIF", 60, ""}, {"NR", 50, ""}, {"INDEX", 0, ""}};
    for (const auto& c : columns) {
        const int at = list.ColumnIndex(c.column);
        ASSERT_GE(at, 0) << c.column;
        EXPECT_EQ(c.width, list.ColumnWidth(at)) << c.column;
        EXPECT_EQ(c.kind, list.ColumnKind(at)) << c.column;
    }
    EXPECT_EQ(index, list.CellText(0, "INDEX"));
}

TEST_F(DeclarationRegisterTest, SummaryFollowsTheChainUpToTheDeclaration) {
    const long long initial = AddDeclaration("201003", 0, "1000", "500");
    const long long rectifying = AddDeclaration("201003", 1, "1000", "500");
    AddCertificate(initial, "", "1800101221144", "1", "300");
    AddCertificate(initial, "", "2800203400121", "2", "200");
    AddCertificate(rectifying, "M", "1800101221144", "1", "350");
    AddCertificate(rectifying, "S", "2800203400121", "2", "200");

    const auto first = m_register->SummaryLines(initial);
    ASSERT_TRUE(first);
    ASSERT_EQ(10u, first->size());
    EXPECT_EQ("D. Numar de angajati: 5", (*first)[0]);
    EXPECT_EQ("I. Total contributii datorate: 1.000 (F + H)", (*first)[4]);
    EXPECT_EQ("J. Prestatii de suportat din FNUASS: 500", (*first)[5]);
    EXPECT_EQ("L. Suma recuperata din luna curenta: 500 (I - J)", (*first)[7]);
    EXPECT_EQ("M. Suma de virat: 0 (I - J - L)", (*first)[8]);
    EXPECT_EQ("N. Suma de recuperat de la FNUASS: 0", (*first)[9]);

    const auto second = m_register->SummaryLines(rectifying);
    ASSERT_TRUE(second);
    EXPECT_EQ("J. Prestatii de suportat din FNUASS: 350", (*second)[5]);
    EXPECT_EQ("K. Suma de recuperat din lunile anterioare: 500", (*second)[6]);
    EXPECT_EQ("L. Suma recuperata din luna curenta: 500 (I - J)", (*second)[7]);
    EXPECT_EQ("M. Suma de virat: 150 (I - J - L)", (*second)[8]);
    EXPECT_FALSE(m_register->SummaryLines(999999));
}

}  // namespace
