#include "health/CompanyRegister.h"

#include "db/CClient.h"
#include "db/SqlValues.h"
#include "db/Transaction.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

namespace {

// Every table whose rows belong to a company through `cf`, in the order the
// code change moves them and the delete removes them.
const char* const kCompanyRecordTables[] = {
    "asigurati.asigurati", "asigurati.coasigurati", "asigurati.sume",
    "asigurati.sume_societati", "concedii.declaratii", "concedii.concedii"};

bool IsBucharest(int county) { return county == kCountyWithSectors; }

bool Refuse(CClient& client, const char* message) {
    client.GetPrompter().ShowMessage(message);
    return false;
}

// Check 6: no other company may have the code.
bool CodeIsFree(CClient& client, const std::string& cf, const CompanyEdit& edit) {
    auto code = SqlNumber(client.GetPrompter(), cf);
    if (!code) return false;
    std::string sql = "SELECT * FROM asigurati.societati AS s WHERE s.cf=" + *code;
    if (edit.modify) sql += " AND s.index<>" + std::to_string(static_cast<long long>(edit.index));
    if (client.Query(sql, true) != 0) return false;
    if (client.m_rowCount > 0)
        return Refuse(client, "CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!");
    return true;
}

void AddCompanyFields(CClient& client, const CompanyFields& f) {
    client.ClearFields();
    client.AddField("CF", f.cf);
    client.AddField("DENUMIRE", f.denumire);
    client.AddField("REG_COM", f.regCom);
    client.AddField("REPR", f.repr);
    client.AddField("ZIUA_LIC", f.ziuaLic);
    client.AddField("LUNA_LIC", f.paidNextMonth ? "1" : "0");
    client.AddField("LOC", f.loc);
    client.AddField("STR", f.str);
    client.AddField("NR", f.nr);
    client.AddField("BL", f.bl);
    client.AddField("SC", f.sc);
    client.AddField("ET", f.et);
    client.AddField("AP", f.ap);
    client.AddField("TEL", f.tel);
    client.AddField("JUD", CountyCode(f.county));
    client.AddField("SECT", IsBucharest(f.county) ? f.sect : "0");
    client.AddField("EMAIL", f.email);
    client.AddField("B1", f.b1);
    client.AddField("F1", f.f1);
    client.AddField("C1", f.c1);
}

// Moves every record of the company from one code to the other.
bool MoveCompanyRecords(CClient& client, const std::string& newCode, const std::string& oldCode) {
    for (const char* table : kCompanyRecordTables)
        if (client.Query(std::string("UPDATE ") + table + " SET cf=" + newCode + " WHERE cf=" +
                             oldCode,
                         false) != 0)
            return false;
    return true;
}

bool DeleteCompanyRecords(CClient& client, const std::string& code) {
    for (const char* table : kCompanyRecordTables)
        if (client.Query(std::string("DELETE FROM ") + table + " WHERE cf=" + code, false) != 0)
            return false;
    return client.Query("DELETE FROM asigurati.societati WHERE cf=" + code, false) == 0;
}

// Step of the delete: when the query finds something, the user must agree.
// False when the query failed or the answer was No.
bool AgreesWhenFound(CClient& client, const std::string& sql, bool byCount,
                     const char* question) {
    if (client.Query(sql, true) != 0) return false;
    const bool found = byCount ? TextToInteger(client.GetValue(0, "C")) > 0 : client.m_rowCount > 0;
    return !found || client.GetPrompter().AskYesNo(question);
}

}  // namespace

std::string CompanyListQuery(CompanyPlace place) {
    return place == CompanyPlace::Health
               ? "SELECT s.denumire, s.cf, s.index FROM asigurati.societati AS s"
               : "SELECT s.cf, s.denumire, s.index FROM asigurati.societati AS s";
}

std::optional<CompanyFields> LoadCompany(CClient& client, double index) {
    if (client.Query("SELECT * FROM asigurati.societati AS s WHERE s.index=" +
                         std::to_string(static_cast<long long>(index)),
                     true) != 0 ||
        client.m_rowCount < 1)
        return std::nullopt;
    auto v = [&](const char* column) { return client.GetValue(0, column); };
    CompanyFields f;
    f.denumire = v("DENUMIRE");
    f.cf = v("CF");
    f.regCom = v("REG_COM");
    f.repr = v("REPR");
    f.ziuaLic = v("ZIUA_LIC");
    f.paidNextMonth = TextToInteger(v("LUNA_LIC")) == 1;
    f.str = v("STR");
    f.nr = v("NR");
    f.bl = v("BL");
    f.sc = v("SC");
    f.et = v("ET");
    f.ap = v("AP");
    f.loc = v("LOC");
    f.county = CountyIndex(v("JUD"));
    if (IsBucharest(f.county)) f.sect = v("SECT");
    f.email = v("EMAIL");
    f.tel = v("TEL");
    f.b1 = v("B1");
    f.f1 = v("F1");
    f.c1 = v("C1");
    return f;
}

bool CheckCompany(CClient& client, const CompanyFields& f, const CompanyEdit& edit) {
    if (f.cf.size() == 13) {
        if (!IsValidCnp(f.cf)) return Refuse(client, "CNP-ul introdus este incorect!");
    } else if (!IsValidFiscalCode(f.cf)) {
        return Refuse(client, "CUI-ul introdus este incorect!");
    }
    const long long day = TextToInteger(f.ziuaLic);
    if (day < 1 || day > 31)
        return Refuse(client,
                      "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie "
                      "intre 1 si 31.");
    if (!f.c1.empty() && !IsValidBankAccount(f.c1))
        return Refuse(client, "Contul bancar introdus este incorect!");
    if (!IsValidSector(f.county, f.sect)) return Refuse(client, "Sectorul introdus este incorect!");
    // A company carried up from an old release may have no county; storing
    // "??" would put it into every declaration file of the company.
    if (f.county < 0 || f.county >= kCountyCount)
        return Refuse(client, "Trebuie sa alegi judetul societatii!");
    return CodeIsFree(client, f.cf, edit);
}

int SaveCompany(CClient& client, const CompanyFields& fields, const CompanyEdit& edit) {
    if (!CheckCompany(client, fields, edit)) return 1;
    AddCompanyFields(client, fields);
    if (!edit.modify) return client.InsertRecord("ASIGURATI", "SOCIETATI", "", true);

    const bool codeChanged = fields.cf != edit.formerCode;
    std::optional<std::string> oldCode;
    if (codeChanged && !(oldCode = SqlNumber(client.GetPrompter(), edit.formerCode))) return 1;
    Transaction transaction(client);
    if (!transaction.Begun()) return 1;
    if (client.UpdateRecord(edit.index, "ASIGURATI", "SOCIETATI", "") != 0) return 1;
    if (codeChanged && !MoveCompanyRecords(client, fields.cf, *oldCode)) return 1;
    return transaction.Commit();
}

bool DeleteCompany(CClient& client, const std::string& cf, CompanyPlace place) {
    Prompter& prompter = client.GetPrompter();
    const auto code = SqlNumber(prompter, cf);
    if (!code) return false;
    if (!AgreesWhenFound(client,
                         "SELECT count(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=" + *code,
                         true,
                         "Societatea selectata are asigurati introdusi si acestia vor fi "
                         "stersi!\n\nEsti sigur ca vrei sa continui?"))
        return false;
    if (!AgreesWhenFound(client, "SELECT * FROM concedii.declaratii AS d WHERE d.cf=" + *code,
                         false,
                         "Societatea selectata are declaratii de concedii medicale introduse si "
                         "acestea vor fi sterse!\n\nEsti sigur ca vrei sa continui?"))
        return false;
    if (!prompter.AskYesNo("Esti sigur ca vrei sa stergi societatea selectata?")) return false;
    if (place == CompanyPlace::Leave &&
        !prompter.AskYesNo("Sigur, sigur?\n\nToate informatiile introduse (salariati, concedii "
                           "medicale) vor fi sterse!!"))
        return false;
    Transaction transaction(client);
    if (!transaction.Begun() || !DeleteCompanyRecords(client, *code)) return false;
    return transaction.Commit() == 0;
}

CompanyCounters CountCompany(CClient& client, const std::string& cf) {
    CompanyCounters counters;
    const auto code = SqlNumber(client.GetPrompter(), cf);
    if (!code) return counters;
    const struct {
        std::string sql;
        const char* column;
        std::string* target;
    } queries[] = {
        {"SELECT COUNT(DISTINCT a.cas) AS c FROM asigurati.asigurati AS a WHERE a.cf=" + *code +
             " AND a.iesire=0",
         "C", &counters.houses},
        {"SELECT COUNT(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=" + *code +
             " AND a.iesire=0",
         "C", &counters.existing},
        {"SELECT COUNT(*) AS c FROM asigurati.asigurati AS a WHERE a.cf=" + *code +
             " AND a.iesire>0",
         "C", &counters.liquidated},
        // DISTINCT: a dependant's insured person may be open at two companies.
        {"SELECT COUNT(DISTINCT c.index) AS count FROM asigurati.coasigurati AS c LEFT JOIN "
         "asigurati.asigurati AS a ON c.cnp_asig=a.cnp WHERE c.cf=" +
             *code + " AND a.iesire=0",
         "COUNT", &counters.coInsured},
    };
    for (const auto& q : queries) {
        if (client.Query(q.sql, true) != 0) break;
        *q.target = client.GetValue(0, q.column);
    }
    return counters;
}
