#include "health/CompanyRegister.h"

#include <vector>

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "db/Transaction.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

    namespace {

    // Every table whose rows belong to a company through `cf`, in the order the
    // code change moves them and the delete removes them.
    const char* const kCompanyRecordTables[] = {"asigurati.asigurati", "asigurati.coasigurati",
                                                "asigurati.sume",      "asigurati.sume_societati",
                                                "concedii.declaratii", "concedii.concedii"};

    std::span<const std::string_view> PaymentMonths() {
        static const std::string_view codes[] = {"0", "1"};  // the same month, the next one
        return codes;
    }

    using Column = RecordColumn<CompanyRecord>;
    using R = CompanyRecord;
    using enum TextRule;

    // A 13-digit code is a person's CNP (a sole trader), anything else a CUI.
    const char* CheckCode(const CompanyRecord& r) {
        if (r.cf.size() == 13) return IsValidCnp(r.cf) ? nullptr : "CNP-ul introdus este incorect!";
        return IsValidFiscalCode(r.cf) ? nullptr : "CUI-ul introdus este incorect!";
    }

    // Its order number and year go into numeric fields of the annex files.
    const char* CheckRegistryNumber(const CompanyRecord& r) {
        return IsValidRegistryNumber(r.regCom) ? nullptr
                                               : CompanyMessages::kRegistryNumberInvalid;
    }

    const char* CheckPaymentDay(const CompanyRecord& r) {
        return IsValidPaymentDay(r.ziuaLic) ? nullptr : CompanyMessages::kPaymentDayInvalid;
    }

    const char* CheckBankAccount(const CompanyRecord& r) {
        return r.c1.empty() || IsValidBankAccount(r.c1) ? nullptr
                                                        : "Contul bancar introdus este incorect!";
    }

    const char* CheckSector(const CompanyRecord& r) {
        return IsValidSector(CountyIndex(r.jud), r.sect) ? nullptr
                                                         : "Sectorul introdus este incorect!";
    }

    const Column kColumns[] = {
        {{.name = "cf", .maxLength = 13, .rule = Digits, .listWidth = 0}, &R::cf, CheckCode},
        {{.name = "denumire", .maxLength = 255, .rule = Upper, .listWidth = 250}, &R::denumire},
        {{.name = "reg_com", .maxLength = 50, .rule = Upper}, &R::regCom, CheckRegistryNumber},
        {{.name = "repr", .maxLength = 255, .rule = Upper}, &R::repr},
        {{.name = "ziua_lic", .maxLength = 2, .rule = Digits}, &R::ziuaLic, CheckPaymentDay},
        {{.name = "luna_lic", .choices = PaymentMonths}, &R::lunaLic},
        {{.name = "loc", .maxLength = 100}, &R::loc},
        {{.name = "str", .maxLength = 100}, &R::str},
        {{.name = "nr", .maxLength = 10}, &R::nr},
        {{.name = "bl", .maxLength = 10}, &R::bl},
        {{.name = "sc", .maxLength = 10}, &R::sc},
        {{.name = "et", .maxLength = 10}, &R::et},
        {{.name = "ap", .maxLength = 10}, &R::ap},
        {{.name = "tel", .maxLength = 50}, &R::tel},
        {{.name = "jud", .choices = CountyCodes}, &R::jud},
        {{.name = "sect", .maxLength = 1, .rule = Digits}, &R::sect, CheckSector},
        {{.name = "email", .maxLength = 50, .rule = Lower}, &R::email},
        {{.name = "b1", .maxLength = 100}, &R::b1},
        {{.name = "f1", .maxLength = 100}, &R::f1},
        {{.name = "c1", .maxLength = 24, .rule = Compact}, &R::c1, CheckBankAccount},
    };

    bool IsBucharest(const CompanyRecord& record) {
        return CountyIndex(record.jud) == kCountyWithSectors;
    }

    // The sector means something in Bucharest only; elsewhere "0" is stored.
    CompanyRecord AsStored(CompanyRecord record) {
        if (!IsBucharest(record)) record.sect = "0";
        return record;
    }

}  // namespace

bool IsValidCompanyCode(const std::string& cf) {
    if (!AllDigits(cf)) return false;
    CompanyRecord record;
    record.cf = cf;
    return CheckCode(record) == nullptr;
}

bool IsValidPaymentDay(const std::string& day) {
    const long long value = TextToInteger(day);
    return value >= 1 && value <= 31;
}

std::span<const RecordColumn<CompanyRecord>> CompanyRegister::Columns() {
    return kColumns;
}

Prompter& CompanyRegister::GetPrompter() {
    return m_client.GetPrompter();
}

const char* CompanyRegister::ListQuery() const {
    return m_place == CompanyPlace::Health
               ? "SELECT s.denumire, s.cf, s.index FROM asigurati.societati AS s"
               : "SELECT s.cf, s.denumire, s.index FROM asigurati.societati AS s";
}

std::optional<CompanyRecord> CompanyRegister::Load(long long index) {
    const SqlStatement sql =
        SqlStatement("SELECT * FROM asigurati.societati AS s WHERE s.index=") + SqlInteger(index);
    if (!m_client.Query(sql, true) || m_client.RowCount() < 1) return std::nullopt;
    CompanyRecord record = RecordFromResult<CompanyRecord>(m_client, 0, kColumns);
    record.lunaLic = TextToInteger(record.lunaLic) == 1 ? "1" : "0";
    if (!IsBucharest(record)) record.sect.clear();
    return record;
}

Outcome CompanyRegister::Check(const CompanyRecord& r, const CompanyEdit& edit) {
    Prompter& prompter = GetPrompter();
    for (const char* column : {"cf", "reg_com", "ziua_lic", "c1", "sect"})
        if (Outcome checked = CheckColumn<CompanyRecord>(prompter, kColumns, r, column); !checked)
            return checked;
    const int county = CountyIndex(r.jud);
    // A company carried up from an old release may have no county; storing
    // "??" would put it into every declaration file of the company.
    if (county < 0) return Refuse(prompter, "Trebuie sa alegi judetul societatii!", "jud");
    return CodeIsFree(r, edit);
}

// The last check: no other company may have the code.
Outcome CompanyRegister::CodeIsFree(const CompanyRecord& record, const CompanyEdit& edit) {
    const auto code = SqlNumber(GetPrompter(), record.cf);
    if (!code) return Outcome::Stopped("cf");
    if (!QueryByCode(*code)) return Outcome::Stopped();
    for (long long row = 0; row < m_client.RowCount(); ++row)
        if (!edit.modify || TextToInteger(m_client.GetValue(row, "INDEX")) != edit.index)
            return Refuse(GetPrompter(),
                          "CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!", "cf");
    return Outcome::Done();
}

bool CompanyRegister::QueryByCode(const SqlLiteral& code) {
    return m_client.Query(SqlStatement("SELECT * FROM asigurati.societati AS s WHERE s.cf=") + code,
                          true);
}

std::optional<std::optional<CompanyRecord>> CompanyRegister::FindByCode(const std::string& cf) {
    const auto code = SqlNumber(GetPrompter(), cf);
    if (!code || !QueryByCode(*code)) return std::nullopt;
    if (m_client.RowCount() < 1) return std::optional<CompanyRecord>();
    return RecordFromResult<CompanyRecord>(m_client, 0, kColumns);
}

std::optional<CompanyRecord> CompanyRegister::LoadByCode(const std::string& cf,
                                                         const std::string& missing) {
    auto found = FindByCode(cf);
    if (!found) return std::nullopt;
    if (!*found) GetPrompter().ShowMessage(missing);
    return *found;
}

Outcome CompanyRegister::FillCodesAndNames(DataList& list) {
    if (!m_client.Query("SELECT s.cf, s.denumire FROM asigurati.societati AS s", true))
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    return Outcome::Done();
}

Outcome CompanyRegister::AddIfMissing(const CompanyRecord& record) {
    const auto found = FindByCode(record.cf);
    if (!found) return Outcome::Stopped();
    if (*found) return Outcome::Done();
    CompanyRecord stored = record;
    stored.lunaLic = record.lunaLic == "1" ? "1" : "0";
    m_client.ClearFields();
    for (const Column& column : kColumns) {
        const std::string_view name = column.spec.name;
        if (name != "cf" && name != "denumire" && name != "reg_com" && name != "repr" &&
            name != "ziua_lic" && name != "luna_lic")
            continue;
        std::string value = stored.*column.member;
        // Cut as the form's field would cut it; the code and the day were checked.
        if (name != "cf" && name != "ziua_lic" && column.spec.maxLength > 0 &&
            value.size() > static_cast<std::size_t>(column.spec.maxLength))
            value.resize(static_cast<std::size_t>(column.spec.maxLength));
        m_client.AddField(ResultName(name), value);
    }
    if (!m_client.InsertRecord("ASIGURATI", "SOCIETATI", "", true)) return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}

Outcome CompanyRegister::Save(const CompanyRecord& record, const CompanyEdit& edit) {
    if (Outcome checked = Check(record, edit); !checked) return checked;
    return Write(AsStored(record), edit);
}

Outcome CompanyRegister::Write(const CompanyRecord& record, const CompanyEdit& edit) {
    AddRecordFields<CompanyRecord>(m_client, record, kColumns);
    if (!edit.modify) {
        if (!m_client.InsertRecord("ASIGURATI", "SOCIETATI", "", true)) return Outcome::Stopped();
        return Outcome::Done(m_client.LastInsertId());
    }
    const auto newCode = SqlNumber(GetPrompter(), record.cf);
    const auto oldCode = SqlNumber(GetPrompter(), edit.formerCode);
    if (!newCode || !oldCode) return Outcome::Stopped();
    Transaction transaction(m_client);
    if (!transaction.Begun() || !m_client.UpdateRecord(edit.index, "ASIGURATI", "SOCIETATI", ""))
        return Outcome::Stopped();
    if (record.cf != edit.formerCode)
        for (const char* table : kCompanyRecordTables)
            if (!m_client.Query(SqlStatement("UPDATE ") + table + " SET cf=" + *newCode +
                                    " WHERE cf=" + *oldCode,
                                false))
                return Outcome::Stopped();
    if (!transaction.Commit()) return Outcome::Stopped();
    return Outcome::Done(edit.index);
}

// Step of the delete: when the query finds something, the user must agree.
// False when the query failed or the answer was No.
bool CompanyRegister::AgreesWhenFound(const SqlStatement& sql, bool byCount, const char* question) {
    if (!m_client.Query(sql, true)) return false;
    const bool found =
        byCount ? TextToInteger(m_client.GetValue(0, "C")) > 0 : m_client.RowCount() > 0;
    return !found || GetPrompter().AskYesNo(question);
}

Outcome CompanyRegister::Delete(const std::string& cf) {
    Prompter& prompter = GetPrompter();
    const auto code = SqlNumber(prompter, cf);
    if (!code) return Outcome::Stopped();
    if (!AgreesWhenFound(
            SqlStatement("SELECT count(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=") + *code,
            true,
            "Societatea selectata are asigurati introdusi si acestia vor fi stersi!\n\nEsti sigur "
            "ca vrei sa continui?"))
        return Outcome::Stopped();
    if (!AgreesWhenFound(
            SqlStatement("SELECT * FROM concedii.declaratii AS d WHERE d.cf=") + *code, false,
            "Societatea selectata are declaratii de concedii medicale introduse si acestea vor fi "
            "sterse!\n\nEsti sigur ca vrei sa continui?"))
        return Outcome::Stopped();
    if (!prompter.AskYesNo("Esti sigur ca vrei sa stergi societatea selectata?"))
        return Outcome::Stopped();
    if (m_place == CompanyPlace::Leave &&
        !prompter.AskYesNo("Sigur, sigur?\n\nToate informatiile introduse (salariati, concedii "
                           "medicale) vor fi sterse!!"))
        return Outcome::Stopped();
    Transaction transaction(m_client);
    if (!transaction.Begun()) return Outcome::Stopped();
    for (const char* table : kCompanyRecordTables)
        if (!m_client.Query(SqlStatement("DELETE FROM ") + table + " WHERE cf=" + *code, false))
            return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("DELETE FROM asigurati.societati WHERE cf=") + *code, false) ||
        !transaction.Commit())
        return Outcome::Stopped();
    return Outcome::Done();
}

Outcome CompanyRegister::FillList(DataList& list) {
    if (!m_client.Query(ListQuery(), true)) return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout<CompanyRecord>(list, kColumns);
    return Outcome::Done();
}

Outcome CompanyRegister::RefreshRow(DataList& list, int row, long long index) {
    const SqlStatement sql = SqlStatement(ListQuery()) + " WHERE s.index=" + SqlInteger(index);
    if (!m_client.Query(sql, true) || m_client.RowCount() < 1) return Outcome::Stopped();
    list.CopyResultRow(row, m_client.Result(), 0);
    return Outcome::Done(index);
}

CompanyRow CompanyRegister::RowAt(const DataList& list, int row) {
    if (row < 0 || row >= list.RowCount()) return {};
    return {TextToInteger(list.CellText(row, "INDEX")), list.CellText(row, "CF"),
            list.CellText(row, "DENUMIRE")};
}

CompanyCounters CompanyRegister::Count(const std::string& cf) {
    CompanyCounters counters;
    const auto code = SqlNumber(GetPrompter(), cf);
    if (!code) return counters;
    const struct {
        SqlStatement sql;
        const char* column;
        std::string* target;
    } queries[] = {
        {SqlStatement("SELECT COUNT(DISTINCT a.cas) AS c FROM asigurati.asigurati AS a WHERE "
                      "a.cf=") +
             *code + " AND a.iesire=0",
         "C", &counters.houses},
        {SqlStatement("SELECT COUNT(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=") + *code +
             " AND a.iesire=0",
         "C", &counters.existing},
        {SqlStatement("SELECT COUNT(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=") + *code +
             " AND a.iesire>0",
         "C", &counters.liquidated},
        // DISTINCT: a dependant's insured person may be open at two companies.
        {SqlStatement("SELECT COUNT(DISTINCT c.index) AS count FROM asigurati.coasigurati AS c "
                      "LEFT JOIN asigurati.asigurati AS a ON c.cnp_asig=a.cnp WHERE c.cf=") +
             *code + " AND a.iesire=0",
         "COUNT", &counters.coInsured},
    };
    for (const auto& q : queries) {
        if (!m_client.Query(q.sql, true)) break;
        *q.target = m_client.GetValue(0, q.column);
    }
    return counters;
}
