#include "health/CoInsuredRegister.h"

#include <vector>

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

    namespace {

    // Thirteen digits and the cell margins: a cut CNP would have to be read
    // from its tooltip.
    constexpr int kCnpWidth = 120;

    using Column = RecordColumn<CoInsuredRecord>;
    using R = CoInsuredRecord;
    using enum TextRule;

    // The company and the insured person are known from the window that lists
    // the dependants, so the list does not repeat them.
    const char* CheckCnp(const CoInsuredRecord& r) {
        return IsValidCnp(r.cnp) ? nullptr : "CNP-ul coasiguratului este incorect!";
    }

    const Column kColumns[] = {
        {{.name = "cf", .rule = Digits, .listWidth = 0}, &R::cf},
        {{.name = "cnp_asig", .rule = Digits, .listWidth = 0}, &R::cnpAsig},
        {{.name = "cnp", .maxLength = 13, .rule = Digits, .listWidth = kCnpWidth},
         &R::cnp,
         CheckCnp},
        {{.name = "nume", .maxLength = 50, .rule = Upper}, &R::nume},
        {{.name = "prenume", .maxLength = 50, .rule = Upper}, &R::prenume},
        {{.name = "tip", .choices = CoInsuredKindCodes}, &R::tip},
    };

}  // namespace

std::span<const RecordColumn<CoInsuredRecord>> CoInsuredRegister::Columns() {
    return kColumns;
}

Prompter& CoInsuredRegister::GetPrompter() {
    return m_client.GetPrompter();
}

Outcome CoInsuredRegister::FillList(DataList& list, const std::string& insuredCnp) {
    const auto cf = SqlNumber(GetPrompter(), m_cf);
    if (!cf) return Outcome::Stopped();
    const auto cnp = SqlNumber(GetPrompter(), insuredCnp);
    if (!cnp) return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.coasigurati AS c WHERE c.cf=") + *cf +
                            " AND c.cnp_asig=" + *cnp + " ORDER BY c.nume, c.prenume",
                        true))
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout<CoInsuredRecord>(list, kColumns);
    return Outcome::Done();
}

CoInsuredRecord CoInsuredRegister::RecordAt(const DataList& list, int row) {
    CoInsuredRecord record;
    if (row < 0 || row >= list.RowCount()) return record;
    for (const auto& column : kColumns)
        record.*column.member = list.CellText(row, ResultName(column.spec.name));
    // Anything but a parent is taken as the spouse, as the drop-down offers.
    record.tip = record.tip == "P" ? "P" : "S";
    return record;
}

long long CoInsuredRegister::KeyAt(const DataList& list, int row) {
    return row < 0 || row >= list.RowCount() ? 0 : TextToInteger(list.CellText(row, "INDEX"));
}

Outcome CoInsuredRegister::RefreshRow(DataList& list, int row, long long index) {
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.coasigurati AS c WHERE c.index=") +
                            SqlInteger(index),
                        true) ||
        m_client.RowCount() < 1)
        return Outcome::Stopped();
    list.CopyResultRow(row, m_client.Result(), 0);
    return Outcome::Done(index);
}

// Check 4: a dependant is current for one insured person only.
Outcome CoInsuredRegister::CheckNotCurrentElsewhere(const CoInsuredRecord& r,
                                                    const CoInsuredEdit& edit) {
    SqlStatement sql = SqlStatement(
                           "SELECT c.cnp, a.nume, a.prenume, s.denumire FROM asigurati.coasigurati "
                           "AS c LEFT JOIN asigurati.asigurati AS a ON c.cnp_asig=a.cnp LEFT JOIN "
                           "asigurati.societati AS s ON c.cf=s.cf WHERE c.cnp=") +
                       SqlText(m_client, r.cnp) + " AND a.iesire=0 ";
    if (edit.modify) sql += SqlStatement(" AND c.index<>") + SqlInteger(edit.index) + " ";
    if (!m_client.Query(sql + " LIMIT 1", true)) return Outcome::Stopped();
    if (m_client.RowCount() > 0)
        return Refuse(GetPrompter(),
                      "CNP-ul coasiguratului introdus figureaza deja ca si coasigurat al "
                      "asiguratului:\n" +
                          m_client.GetValue(0, "NUME") + " " + m_client.GetValue(0, "PRENUME") +
                          "\n" + "la societatea:\n" + m_client.GetValue(0, "DENUMIRE"),
                      "cnp");
    return Outcome::Done();
}

Outcome CoInsuredRegister::Check(const CoInsuredRecord& r, const CoInsuredEdit& edit) {
    Prompter& prompter = GetPrompter();
    const auto cf = SqlNumber(prompter, m_cf);
    if (!cf) return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("SELECT * from ASIGURATI.ASIGURATI AS a where a.cnp=") +
                            SqlText(m_client, r.cnpAsig) + " AND a.cf=" + *cf +
                            " AND a.iesire=0 LIMIT 0,1",
                        true))
        return Outcome::Stopped();
    if (m_client.RowCount() == 0)
        return Refuse(prompter,
                      "Trebuie sa introduci un asigurat care exista in societatea curenta!",
                      "cnp_asig");
    if (Outcome cnp = CheckColumn<CoInsuredRecord>(prompter, kColumns, r, "cnp"); !cnp) return cnp;
    if (r.nume.empty() || r.prenume.empty())
        return Refuse(prompter, "Trebuie sa introduci numele si prenumele coasiguratului!",
                      r.nume.empty() ? "nume" : "prenume");
    if (Outcome alone = CheckNotCurrentElsewhere(r, edit); !alone) return alone;
    if (!m_client.Query(SqlStatement("SELECT a.cnp, s.denumire from ASIGURATI.ASIGURATI AS a LEFT "
                                     "JOIN asigurati.societati AS s ON a.cf=s.cf WHERE a.cnp=") +
                            SqlText(m_client, r.cnp) + " AND a.iesire=0 LIMIT 1",
                        true))
        return Outcome::Stopped();
    if (m_client.RowCount() > 0 &&
        !prompter.AskYesNo("CNP-ul coasiguratului introdus figureaza ca asigurat la societatea: " +
                           m_client.GetValue(0, "DENUMIRE") + "\n\nVrei sa continui?"))
        return Outcome::Stopped();
    return Outcome::Done();
}

Outcome CoInsuredRegister::Save(const CoInsuredRecord& typed, const CoInsuredEdit& edit) {
    CoInsuredRecord record = typed;
    record.cf = m_cf;
    if (Outcome checked = Check(record, edit); !checked) return checked;
    AddRecordFields<CoInsuredRecord>(m_client, record, kColumns);
    if (edit.modify) {
        if (!m_client.UpdateRecord(edit.index, "ASIGURATI", "COASIGURATI", ""))
            return Outcome::Stopped();
        return Outcome::Done(edit.index);
    }
    if (!m_client.InsertRecord("ASIGURATI", "COASIGURATI", "", true)) return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}

Outcome CoInsuredRegister::Delete(const DataList& list, int row) {
    if (!GetPrompter().AskYesNo("Esti sigur ca vrei sa stergi coasiguratul selectat?\n\nOperatia "
                                "nu poate fi refacuta."))
        return Outcome::Stopped();
    const long long key = KeyAt(list, row);
    if (!m_client.DeleteRecord(key, "ASIGURATI", "COASIGURATI", "")) return Outcome::Stopped();
    return Outcome::Done(key);
}
