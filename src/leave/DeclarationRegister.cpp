#include "leave/DeclarationRegister.h"

#include <cmath>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "db/SqlValues.h"
#include "db/Transaction.h"
#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "leave/MonthChain.h"

namespace {

using Column = RecordColumn<DeclarationRecord>;
using R = DeclarationRecord;
using enum TextRule;

// Whole lei, up to what a 64-bit product of the cap still holds.
constexpr int kAmountLength = 15;

const char* CheckEmployees(const DeclarationRecord& r) {
    return TextToInteger(r.nrAng) >= 1 ? nullptr : "Numarul de angajati este incorect!";
}

const Column kColumns[] = {
    {{"zile_lucratoare", 2, Digits}, &R::zileLucratoare},
    {{"nr_ang", 5, Digits}, &R::nrAng, CheckEmployees},
    {{"salariul_minim", 9, Digits}, &R::salariulMinim},
    {{"fond_de_salarii", kAmountLength, Digits}, &R::fondDeSalarii},
    {{"contributii_datorate", kAmountLength, Digits}, &R::contributiiDatorate},
    {{"faambp", kAmountLength, Digits}, &R::faambp},
    {{"faambp_datorat", kAmountLength, Digits}, &R::faambpDatorat},
    {{"de_recuperat_anterior", kAmountLength, Digits}, &R::deRecuperatAnterior},
};

// The stored columns the form does not edit.
const Column kStoredOnly[] = {
    {{"index"}, &R::index},        {{"cf"}, &R::cf},
    {{"luna"}, &R::luna},          {{"rectificativa"}, &R::rectificativa},
    {{"rectif_nr"}, &R::rectifNr},
};

// A shown amount: truncated toward zero, digits grouped by dots.
std::string ShownAmount(double value) {
    return GroupDigits(IntegerToText(static_cast<long long>(std::trunc(value)), false));
}

// An empty amount is stored as 0: the numeric columns refuse an empty text.
std::string StoredNumber(const std::string& text) {
    return text.empty() ? "0" : text;
}

}  // namespace

std::span<const RecordColumn<DeclarationRecord>> DeclarationRegister::Columns() {
    return kColumns;
}

Outcome DeclarationRegister::FillList(DataList& list, const std::string& cf) {
    const auto code = SqlNumber(m_client.GetPrompter(), cf);
    if (!code) return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("SELECT d.luna, d.rectificativa AS rectif, if "
                                     "(d.rectificativa='DA', d.rectif_nr, '') AS nr, d.index FROM "
                                     "concedii.declaratii AS d WHERE d.cf=") +
                            *code + " ORDER BY d.luna, d.rectificativa DESC, d.rectif_nr",
                        true))
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    list.SetColumnKind("LUNA", 2);
    list.SetColumnWidth("LUNA", 70);
    list.SetColumnWidth("RECTIF", 60);
    list.SetColumnWidth("NR", 50);
    list.SetColumnWidth("INDEX", 0);
    return Outcome::Done();
}

long long DeclarationRegister::KeyAt(const DataList& list, int row) {
    return row < 0 || row >= list.RowCount() ? 0 : TextToInteger(list.CellText(row, "INDEX"));
}

int DeclarationRegister::InsertPosition(const DataList& list, long long month) {
    for (int row = 0; row < list.RowCount(); ++row)
        if (TextToInteger(list.CellText(row, "LUNA")) > month) return row;
    return list.RowCount();
}

int DeclarationRegister::InsertListRow(DataList& list, const DeclarationRecord& d) {
    const int row = list.InsertRow(InsertPosition(list, TextToInteger(d.luna)), d.luna);
    list.SetCellText(row, "LUNA", d.luna);
    list.SetCellText(row, "RECTIF", d.Rectifying() ? "DA" : "NU");
    if (d.Rectifying()) list.SetCellText(row, "NR", d.rectifNr);
    list.SetCellText(row, "INDEX", d.index);
    return row;
}

std::optional<DeclarationRecord> DeclarationRegister::Load(long long index) {
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.declaratii AS d WHERE d.index=") +
                            SqlInteger(index),
                        true) ||
        m_client.RowCount() < 1)
        return std::nullopt;
    DeclarationRecord record = RecordFromResult<DeclarationRecord>(m_client, 0, kColumns);
    for (const auto& column : kStoredOnly)
        record.*column.member = m_client.GetValue(0, ResultName(column.spec.name));
    return record;
}

std::optional<bool> DeclarationRegister::HasLaterThan(const std::string& cf,
                                                      const std::string& luna,
                                                      const std::string& rectifNr) {
    Prompter& prompter = m_client.GetPrompter();
    const auto code = SqlNumber(prompter, cf);
    const auto month = code ? SqlNumber(prompter, luna) : std::nullopt;
    const auto number = month ? SqlNumber(prompter, rectifNr) : std::nullopt;
    if (!number) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.declaratii AS d WHERE d.cf=") + *code +
                            " AND d.luna=" + *month + " AND d.rectificativa='DA' AND d.rectif_nr>" +
                            *number,
                        true))
        return std::nullopt;
    return m_client.RowCount() > 0;
}

std::optional<bool> DeclarationRegister::HasLaterRectification(const DeclarationRecord& d) {
    return HasLaterThan(d.cf, d.luna, d.rectifNr);
}

Outcome DeclarationRegister::CheckOpen(long long index, std::string_view tail) {
    const auto declaration = Load(index);
    if (!declaration) return Outcome::Stopped();
    const auto locked = HasLaterRectification(*declaration);
    if (!locked) return Outcome::Stopped();
    if (*locked)
        return Refuse(m_client.GetPrompter(),
                      std::string(DeclarationMessages::kLocked) + std::string(tail));
    return Outcome::Done(index);
}

Outcome DeclarationRegister::Delete(long long index) {
    if (Outcome open = CheckOpen(index, DeclarationMessages::kCannotDelete); !open) return open;
    Prompter& prompter = m_client.GetPrompter();
    if (!prompter.AskYesNo("Esti sigur ca vrei sa stergi declaratia selectata?\n\nATENTIE: vor fi "
                           "sterse toate concediile atasate ei."))
        return Outcome::Stopped();
    if (!prompter.AskYesNo("Sigur, sigur?")) return Outcome::Stopped();
    // A declaration never stays behind without its certificates, nor the
    // certificates without it.
    Transaction transaction(m_client);
    if (!m_client.Query(
            SqlStatement("DELETE FROM concedii.concedii WHERE id_declaratie=") + SqlInteger(index),
            false))
        return Outcome::Stopped();
    if (!m_client.Query(SqlStatement("DELETE FROM concedii.declaratii WHERE "
                                     "concedii.declaratii.index=") +
                            SqlInteger(index),
                        false))
        return Outcome::Stopped();
    if (!transaction.Commit()) return Outcome::Stopped();
    return Outcome::Done(index);
}

std::optional<std::vector<std::string>> DeclarationRegister::SummaryLines(long long index) {
    const auto d = Load(index);
    if (!d) return std::nullopt;
    const auto chain = ReadMonthChain(m_client, *d);
    if (!chain) return std::nullopt;
    const MonthSettlement& s = chain->amounts;
    return std::vector<std::string>{
        "D. Numar de angajati: " + d->nrAng,
        "E. Fond de salarii brute: " + d->fondDeSalarii,
        "F. Contributii datorate pentru concedii si indemnizatii: " + d->contributiiDatorate,
        "H. Contributii datorate din FAAMBP: " + d->faambpDatorat,
        "I. Total contributii datorate: " + ShownAmount(s.i) + " (F + H)",
        "J. Prestatii de suportat din FNUASS: " + ShownAmount(s.j),
        "K. Suma de recuperat din lunile anterioare: " + ShownAmount(s.k),
        "L. Suma recuperata din luna curenta: " + ShownAmount(s.l) + " (I - J)",
        "M. Suma de virat: " + ShownAmount(s.m) + " (I - J - L)",
        "N. Suma de recuperat de la FNUASS: " + ShownAmount(s.n),
    };
}

std::optional<DeclarationType> DeclarationRegister::DecideType(const std::string& cf, int year,
                                                               int month) {
    const auto code = SqlNumber(m_client.GetPrompter(), cf);
    if (!code) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.declaratii AS d WHERE d.cf=") + *code +
                            " AND d.luna=" + SqlInteger(year * 100LL + month) +
                            " ORDER BY d.rectificativa, d.rectif_nr DESC",
                        true))
        return std::nullopt;
    if (m_client.RowCount() == 0) return DeclarationType{};
    return DeclarationType{true, TextToInteger(m_client.GetValue(0, "RECTIF_NR")) + 1};
}

std::optional<std::string> DeclarationRegister::MinimumWage(int year, int month) {
    // The wage in force on the first day of the month applies to the month.
    const std::string firstDay =
        IntegerToText(year, false) + "-" + PadLeftZeros(IntegerToText(month, false), 2) + "-01";
    const SqlLiteral day = SqlText(m_client, firstDay);
    if (!m_client.Query(SqlStatement("SELECT * FROM nomenc.salarii_minime WHERE zi_start <= ") +
                            day + " AND zi_stop >= " + day + " ORDER BY zi_start DESC",
                        true))
        return std::nullopt;
    if (m_client.RowCount() == 0) return std::string();
    return m_client.GetValue(0, "SALARIU");
}

Outcome DeclarationRegister::CheckBeforeSave(const DeclarationRecord& r, long long modifyIndex) {
    Prompter& prompter = m_client.GetPrompter();
    const bool monthValid = r.luna.size() == 6 &&
                            IsValidCalendarDate("01", r.luna.substr(4, 2), r.luna.substr(0, 4)) &&
                            TextToInteger(r.luna.substr(0, 4)) >= 2006;
    if (!monthValid) return Refuse(prompter, "Luna declaratiei este incorecta!", "luna");
    if (TextToInteger(r.zileLucratoare) > 23)
        return Refuse(prompter, "Numarul de zile lucratoare este incorect!", "zile_lucratoare");
    if (Outcome employees = CheckColumn<DeclarationRecord>(prompter, kColumns, r, "nr_ang");
        !employees)
        return employees;
    if (TextToInteger(r.salariulMinim) == 0)
        return Refuse(prompter, "Trebuie sa introduci salariul minim pe economie!",
                      "salariul_minim");
    if (r.fondDeSalarii.empty())
        return Refuse(prompter, "Trebuie sa introduci fondul de salarii!", "fond_de_salarii");
    if (r.contributiiDatorate.empty())
        return Refuse(prompter, "Trebuie sa introduci contributiile datorate!",
                      "contributii_datorate");
    if (modifyIndex != 0) {
        const auto later = HasLaterThan(r.cf, r.luna, r.rectifNr);
        if (!later) return Outcome::Stopped();
        if (*later)
            return Refuse(prompter, std::string(DeclarationMessages::kLocked) +
                                        DeclarationMessages::kCannotModify);
    }
    return Outcome::Done();
}

Outcome DeclarationRegister::Save(const DeclarationRecord& record, long long modifyIndex) {
    if (Outcome checked = CheckBeforeSave(record, modifyIndex); !checked) return checked;
    m_client.ClearFields();
    if (modifyIndex == 0) {
        m_client.AddField("CF", record.cf);
        m_client.AddField("LUNA", record.luna);
        m_client.AddField("RECTIFICATIVA", record.Rectifying() ? "DA" : "NU");
        if (record.Rectifying()) m_client.AddField("RECTIF_NR", record.rectifNr);
    }
    for (const auto& column : kColumns)
        m_client.AddField(ResultName(column.spec.name), StoredNumber(record.*column.member));
    if (modifyIndex != 0) {
        if (!m_client.UpdateRecord(modifyIndex, "CONCEDII", "DECLARATII", ""))
            return Outcome::Stopped();
        return Outcome::Done(modifyIndex);
    }
    if (!m_client.InsertRecord("CONCEDII", "DECLARATII", "", true)) return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}
