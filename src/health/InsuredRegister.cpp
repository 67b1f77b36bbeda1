#include "health/InsuredRegister.h"

#include <vector>

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/PrefixLookup.h"
#include "db/RecordRows.h"
#include "db/Transaction.h"
#include "domain/Dates.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

    namespace {

    using Column = RecordColumn<InsuredRecord>;
    using R = InsuredRecord;
    using enum TextRule;

    const char* CheckCnp(const InsuredRecord& r) {
        return IsValidCnp(r.cnp) ? nullptr : "CNP-ul introdus este invalid!";
    }

    const char* CheckHireDate(const InsuredRecord& r) {
        return IsValidStoredDate(r.intrare) ? nullptr : "Data angajarii introdusa este incorecta!";
    }

    // No liquidation date is a person still employed.
    const char* CheckLiquidationDate(const InsuredRecord& r) {
        return TextToInteger(r.iesire) <= 0 || IsValidStoredDate(r.iesire)
                   ? nullptr
                   : "Data lichidarii introdusa este incorecta!";
    }

    const Column kColumns[] = {
        {{.name = "cf", .rule = Digits, .listWidth = 0}, &R::cf},
        {{.name = "cas", .choices = InsuranceHouseCodes}, &R::cas},
        {{.name = "nume", .maxLength = 50, .rule = Upper}, &R::nume},
        {{.name = "prenume", .maxLength = 50, .rule = Upper}, &R::prenume},
        {{.name = "cnp", .maxLength = 13, .rule = Digits, .listWidth = 120}, &R::cnp, CheckCnp},
        {{.name = "intrare", .rule = Digits, .displayKind = DisplayKind::Date},
         &R::intrare,
         CheckHireDate},
        {{.name = "iesire", .rule = Digits, .displayKind = DisplayKind::Date},
         &R::iesire,
         CheckLiquidationDate},
        {{.name = "forma", .choices = EmploymentFormCodes}, &R::forma},
    };

    const char* CheckLiquidatedCnp(const LiquidationFields& f) {
        return IsValidCnp(f.cnp) ? nullptr : "CNP-ul introdus este incorect!";
    }

    const char* CheckLiquidation(const LiquidationFields& f) {
        return IsValidStoredDate(f.iesire) ? nullptr : "Data lichidarii introdusa este incorecta!";
    }

    const RecordColumn<LiquidationFields> kLiquidationColumns[] = {
        {{.name = "cnp", .maxLength = 13, .rule = Digits},
         &LiquidationFields::cnp,
         CheckLiquidatedCnp},
        {{.name = "intrare", .rule = Digits}, &LiquidationFields::intrare},
        {{.name = "iesire", .rule = Digits}, &LiquidationFields::iesire, CheckLiquidation},
    };

    const char* CheckChangeDate(const EmploymentChange& change);

    const RecordColumn<EmploymentChange> kChangeColumns[] = {
        {{.name = "changeDate", .rule = Digits}, &EmploymentChange::changeDate, CheckChangeDate},
    };

    const Colour kLiquidatedColour{255, 0, 0};
    const Colour kOpenColour{0, 0, 0};

}  // namespace

std::span<const RecordColumn<InsuredRecord>> InsuredRegister::Columns() {
    return kColumns;
}

std::span<const RecordColumn<LiquidationFields>> InsuredRegister::LiquidationColumns() {
    return kLiquidationColumns;
}

std::span<const RecordColumn<EmploymentChange>> InsuredRegister::ChangeColumns() {
    return kChangeColumns;
}

const char* InsuredRegister::FilterText(InsuredFilter filter) {
    switch (filter) {
        case InsuredFilter::Open:
            return "numai asigurati existenti";
        case InsuredFilter::Liquidated:
            return "numai asigurati lichidati";
        case InsuredFilter::All:
            break;
    }
    return "toate inregistrarile";
}

Prompter& InsuredRegister::GetPrompter() {
    return m_client.GetPrompter();
}

std::optional<SqlLiteral> InsuredRegister::Code() {
    return SqlNumber(GetPrompter(), m_cf);
}

std::optional<LoadedInsured> InsuredRegister::Load(long long index) {
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.index=") +
                            SqlInteger(index),
                        true))
        return std::nullopt;
    if (m_client.RowCount() < 1) {
        GetPrompter().ShowMessage("A survenit o eroare!");
        return std::nullopt;
    }
    LoadedInsured loaded;
    InsuredRecord& r = loaded.record = RecordFromResult<InsuredRecord>(m_client, 0, kColumns);
    if (EmploymentFormIndex(r.forma) < 0) r.forma = "S";
    const std::string liquidation = PadLeftZeros(r.iesire, 8);
    loaded.edit = {true, index, r.cnp, IsValidStoredDate(liquidation)};
    if (loaded.edit.liquidationShown) r.iesire = liquidation;
    return loaded;
}

Outcome InsuredRegister::CheckFields(const InsuredRecord& r, const InsuredEdit& edit) {
    Prompter& prompter = GetPrompter();
    if (r.nume.empty()) return Refuse(prompter, "Trebuie sa introduci un nume!", "nume");
    if (r.prenume.empty()) return Refuse(prompter, "Trebuie sa introduci un prenume!", "prenume");
    for (const char* column : {"cnp", "intrare"})
        if (Outcome checked = CheckColumn<InsuredRecord>(prompter, kColumns, r, column); !checked)
            return checked;
    if (edit.liquidationShown)
        if (Outcome checked = CheckColumn<InsuredRecord>(prompter, kColumns, r, "iesire"); !checked)
            return checked;
    // An old record may carry a house the list does not know; storing the
    // empty choice would write "?????" into the declaration files.
    if (InsuranceHousePosition(r.cas) < 0)
        return Refuse(prompter, "Trebuie sa alegi casa de asigurari!", "cas");
    return Outcome::Done();
}

bool InsuredRegister::AgreesWhenFound(const SqlStatement& sql, const std::string& question) {
    if (!m_client.Query(sql, true)) return false;
    return m_client.RowCount() == 0 || GetPrompter().AskYesNo(question);
}

Outcome InsuredRegister::CheckAgainstOtherRecords(const InsuredRecord& r, const InsuredEdit& edit,
                                                  const SqlLiteral& cnp, const SqlLiteral& cf) {
    SqlStatement open = SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cnp=") + cnp +
                        " AND a.iesire=0 AND a.cf=" + cf;
    if (edit.modify) open += SqlStatement(" AND a.index<>") + SqlInteger(edit.index);
    if (!m_client.Query(open, true)) return Outcome::Stopped();
    if (m_client.RowCount() > 0)
        return Refuse(GetPrompter(), "CNP-ul introdus exista deja in societatea curenta!", "cnp");
    if (!edit.modify) {
        if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cnp=") +
                                cnp + " AND a.iesire>0 AND a.cf=" + cf +
                                " ORDER BY a.iesire DESC LIMIT 1",
                            true))
            return Outcome::Stopped();
        const std::string last = m_client.GetValue(0, "IESIRE");
        if (m_client.RowCount() > 0 && TextToInteger(r.intrare) <= TextToInteger(last))
            return Refuse(GetPrompter(),
                          "CNP-ul introdus a fost lichidat ultima oara de la aceasta firma la data "
                          "de: " +
                              DottedStoredDate(PadLeftZeros(last, 8)) +
                              "\n\nNu poate fi re-angajat la o data anterioara!",
                          "intrare");
    }
    if (!m_client.Query(
            SqlStatement("SELECT a.cnp, a.forma, s.denumire FROM asigurati.asigurati AS "
                         "a LEFT JOIN asigurati.societati AS s ON a.cf=s.cf WHERE a.cnp=") +
                cnp + " AND a.iesire=0 AND a.cf<>" + cf,
            true))
        return Outcome::Stopped();
    if (m_client.RowCount() > 0 &&
        !GetPrompter().AskYesNo("CNP-ul introdus exista deja la societatea:\n" +
                                m_client.GetValue(0, "DENUMIRE") + "\n" + "cu forma de angajare: " +
                                m_client.GetValue(0, "FORMA") + "\n\nVrei sa continui?"))
        return Outcome::Stopped();
    if (!m_client.Query(
            SqlStatement("SELECT c.cnp, a.nume, a.prenume, s.denumire FROM asigurati.coasigurati "
                         "AS c LEFT JOIN asigurati.asigurati AS a ON c.cnp_asig=a.cnp LEFT JOIN "
                         "asigurati.societati AS s ON c.cf=s.cf WHERE c.cnp=") +
                cnp + " AND a.iesire=0",
            true))
        return Outcome::Stopped();
    if (m_client.RowCount() > 0 &&
        !GetPrompter().AskYesNo(
            "CNP-ul introdus exista figureaza deja ca si coasigurat al asiguratului:\n" +
            m_client.GetValue(0, "NUME") + " " + m_client.GetValue(0, "PRENUME") + "\n" +
            "la societatea:\n" + m_client.GetValue(0, "DENUMIRE") + "\n\nVrei sa continui?"))
        return Outcome::Stopped();
    return Outcome::Done();
}

Outcome InsuredRegister::Check(const InsuredRecord& record, const InsuredEdit& edit) {
    if (Outcome fields = CheckFields(record, edit); !fields) return fields;
    const auto cnp = SqlNumber(GetPrompter(), record.cnp);
    const auto cf = Code();
    if (!cnp || !cf) return Outcome::Stopped();
    return CheckAgainstOtherRecords(record, edit, *cnp, *cf);
}

Outcome InsuredRegister::Save(const InsuredRecord& typed, const InsuredEdit& edit) {
    InsuredRecord record = typed;
    record.cf = m_cf;
    if (Outcome checked = Check(record, edit); !checked) return checked;
    return Write(record, edit);
}

Outcome InsuredRegister::Write(const InsuredRecord& record, const InsuredEdit& edit) {
    AddRecordFields<InsuredRecord>(m_client, record, kColumns,
                                   edit.liquidationShown ? "" : "iesire");
    if (!edit.modify) {
        if (!m_client.InsertRecord("ASIGURATI", "ASIGURATI", "", true)) return Outcome::Stopped();
        return Outcome::Done(m_client.LastInsertId());
    }
    const auto newCnp = SqlNumber(GetPrompter(), record.cnp);
    const auto formerCnp = SqlNumber(GetPrompter(), edit.formerCnp);
    if (!newCnp || !formerCnp) return Outcome::Stopped();
    // The person's dependants and sums follow the CNP at every company.
    Transaction transaction(m_client);
    if (!transaction.Begun() ||
        !m_client.Query(SqlStatement("UPDATE asigurati.coasigurati SET cnp_asig=") + *newCnp +
                            " WHERE cnp_asig=" + *formerCnp,
                        false) ||
        !m_client.Query(
            SqlStatement("UPDATE asigurati.sume SET cnp=") + *newCnp + " WHERE cnp=" + *formerCnp,
            false) ||
        !m_client.UpdateRecord(edit.index, "ASIGURATI", "ASIGURATI", "") || !transaction.Commit())
        return Outcome::Stopped();
    return Outcome::Done(edit.index);
}

std::optional<InsuredRecord> InsuredRegister::FindOpenByCnpPrefix(const std::string& typed) {
    const auto cf = Code();
    if (!cf) return std::nullopt;
    PrefixLookup lookup(m_client);
    const SqlStatement select =
        SqlStatement("SELECT * from ASIGURATI.ASIGURATI AS a where a.cnp like ") +
        lookup.Pattern(typed) + " AND a.cf=" + *cf + " AND a.iesire=0";
    if (!lookup.FindFirst(select, "a.index")) return std::nullopt;
    return RecordFromResult<InsuredRecord>(m_client, 0, kColumns);
}

std::optional<InsuredRecord> InsuredRegister::FindOpenByNamePrefix(const std::string& nume,
                                                                   const std::string& prenume) {
    const auto cf = Code();
    if (!cf) return std::nullopt;
    PrefixLookup lookup(m_client);
    const SqlStatement select =
        SqlStatement("SELECT * from ASIGURATI.ASIGURATI AS a where a.nume like ") +
        lookup.Pattern(nume) + " AND a.prenume like " + lookup.Pattern(prenume) +
        " AND a.cf=" + *cf + " AND a.iesire=0";
    if (!lookup.FindFirst(select, "a.index")) return std::nullopt;
    return RecordFromResult<InsuredRecord>(m_client, 0, kColumns);
}

Outcome InsuredRegister::Liquidate(const std::string& cnp, const std::string& hire,
                                   const std::string& liquidation) {
    Prompter& prompter = GetPrompter();
    const LiquidationFields typed{cnp, hire, liquidation};
    if (Outcome checked =
            CheckColumn<LiquidationFields>(prompter, kLiquidationColumns, typed, "cnp");
        !checked)
        return checked;
    const auto cnpValue = SqlNumber(prompter, cnp);
    const auto cf = Code();
    if (!cnpValue || !cf) return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cnp=") +
                            *cnpValue + " AND a.cf=" + *cf + " AND a.iesire=0",
                        true))
        return Outcome::Stopped();
    if (m_client.RowCount() == 0)
        return Refuse(prompter, "CNP-ul introdus nu exista la societatea curenta!", "cnp");
    if (Outcome checked =
            CheckColumn<LiquidationFields>(prompter, kLiquidationColumns, typed, "iesire");
        !checked)
        return checked;
    if (TextToInteger(liquidation) <= TextToInteger(hire))
        return Refuse(prompter, "Data lichidarii trebuie sa fie mai recenta decat data angajarii!",
                      "iesire");
    const auto date = SqlNumber(prompter, liquidation);
    if (!date || !m_client.Query(SqlStatement("UPDATE asigurati.asigurati SET iesire=") + *date +
                                     " WHERE cnp=" + *cnpValue + " AND iesire=0 AND cf=" + *cf,
                                 false))
        return Outcome::Stopped();
    return Outcome::Done();
}

namespace {
struct ChangeTexts {
    const char* invalidDate;
    const char* notAfterHire;
};

ChangeTexts TextsOf(ChangeKind kind) {
    if (kind == ChangeKind::House)
        return {"Data schimbarii casei de asigurari este incorecta!",
                "Data schimbarii casei de asigurari trebuie sa fie mai recenta decat data "
                "angajarii!"};
    return {"Data modificarii formei de angajare este incorecta!",
            "Data modificarii formei de angajare trebuie sa fie mai recenta decat data "
            "angajarii!"};
}

const char* CheckChangeDate(const EmploymentChange& change) {
    return IsValidStoredDate(change.changeDate) ? nullptr : TextsOf(change.kind).invalidDate;
}
}  // namespace

Outcome InsuredRegister::ChangeEmployment(const EmploymentChange& change) {
    Prompter& prompter = GetPrompter();
    const ChangeTexts texts = TextsOf(change.kind);
    if (Outcome checked =
            CheckColumn<EmploymentChange>(prompter, kChangeColumns, change, "changeDate");
        !checked)
        return checked;
    if (TextToInteger(change.changeDate) <= TextToInteger(change.current.intrare))
        return Refuse(prompter, texts.notAfterHire, "changeDate");
    InsuredRecord opened = change.current;
    opened.cf = m_cf;
    opened.intrare = change.changeDate;
    (change.kind == ChangeKind::House ? opened.cas : opened.forma) = change.newCode;
    // "?????" must never reach a declaration file: a house is chosen or nothing happens.
    if (InsuranceHousePosition(opened.cas) < 0 || EmploymentFormIndex(opened.forma) < 0)
        return Refuse(prompter, "Trebuie sa alegi casa de asigurari!", "newCode");

    // Closing without opening would leave the person without an open record.
    Transaction transaction(m_client);
    if (!transaction.Begun()) return Outcome::Stopped();
    m_client.ClearFields();
    m_client.AddField("IESIRE", std::to_string(PreviousDay(TextToInteger(change.changeDate))));
    if (!m_client.UpdateRecord(change.index, "ASIGURATI", "ASIGURATI", ""))
        return Outcome::Stopped();
    AddRecordFields<InsuredRecord>(m_client, opened, kColumns, "iesire");
    if (!m_client.InsertRecord("ASIGURATI", "ASIGURATI", "", true)) return Outcome::Stopped();
    const long long key = m_client.LastInsertId();
    if (!transaction.Commit()) return Outcome::Stopped();
    return Outcome::Done(key);
}

Outcome InsuredRegister::Delete(const InsuredRow& row) {
    Prompter& prompter = GetPrompter();
    if (!prompter.AskYesNo("Esti sigur ca vrei sa stergi inregistrarea selectata?\n\nOperatia este "
                           "ireversibila.") ||
        !prompter.AskYesNo("Sigur, sigur?"))
        return Outcome::Stopped();
    const auto cnp = SqlNumber(prompter, row.cnp);
    if (!cnp) return Outcome::Stopped();
    const SqlLiteral index = SqlInteger(row.key);
    Transaction transaction(m_client);
    if (!transaction.Begun() ||
        !m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS s WHERE s.cnp=") + *cnp +
                            " AND s.index!=" + index,
                        true))
        return Outcome::Stopped();
    // Dependants go with the person's last record, at whatever company.
    if (m_client.RowCount() == 0 &&
        !m_client.Query(SqlStatement("DELETE FROM asigurati.coasigurati WHERE "
                                     "asigurati.coasigurati.cnp_asig=") +
                            *cnp,
                        false))
        return Outcome::Stopped();
    if (!m_client.Query(
            SqlStatement("DELETE FROM asigurati.sume WHERE asigurati.sume.id_cnp=") + index,
            false) ||
        !m_client.Query(SqlStatement("DELETE FROM asigurati.asigurati WHERE "
                                     "asigurati.asigurati.index=") +
                            index,
                        false) ||
        !transaction.Commit())
        return Outcome::Stopped();
    return Outcome::Done(row.key);
}

Outcome InsuredRegister::FillList(DataList& list, InsuredFilter filter) {
    const auto cf = Code();
    if (!cf) return Outcome::Stopped();
    SqlStatement sql = SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cf=") + *cf;
    if (filter == InsuredFilter::Open) sql += " AND a.iesire=0";
    if (filter == InsuredFilter::Liquidated) sql += " AND a.iesire>0";
    if (!m_client.Query(sql + " ORDER BY a.nume, a.intrare", true)) return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout<InsuredRecord>(list, kColumns);
    ColourInsuredRows(list);
    return Outcome::Done();
}

Outcome InsuredRegister::RefreshRow(DataList& list, int row, long long index) {
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.index=") +
                            SqlInteger(index),
                        true) ||
        m_client.RowCount() < 1)
        return Outcome::Stopped();
    list.CopyResultRow(row, m_client.Result(), 0);
    list.SetRowTextColour(row, RowAt(list, row).Liquidated() ? kLiquidatedColour : kOpenColour);
    return Outcome::Done(index);
}

InsuredRow InsuredRegister::RowAt(const DataList& list, int row) {
    if (row < 0 || row >= list.RowCount()) return {};
    return {TextToInteger(list.CellText(row, "INDEX")), list.CellText(row, "CNP"),
            list.CellText(row, "IESIRE")};
}

void ColourInsuredRows(DataList& list) {
    for (int row = 0; row < list.RowCount(); ++row)
        if (InsuredRegister::RowAt(list, row).Liquidated())
            list.SetRowTextColour(row, kLiquidatedColour);
}
