#include "leave/DeclarationRegister.h"

#include <cmath>

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
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
using enum StoredForm;

// Whole lei, up to what a 64-bit product of the cap still holds.
constexpr int kAmountLength = 15;

const char* CheckEmployees(const DeclarationRecord& r) {
    return TextToInteger(r.nrAng) >= 1 ? nullptr : "Numarul de angajati este incorect!";
}

// A whole amount of lei, typed. Like every typed figure it is stored in a
// numeric column, which refuses an empty text.
constexpr ColumnSpec Amount(std::string_view name) {
    return {.name = name, .maxLength = kAmountLength, .rule = Digits, .stored = Number};
}

const Column kColumns[] = {
    {{.name = "zile_lucratoare", .maxLength = 2, .rule = Digits, .stored = Number},
     &R::zileLucratoare},
    {{.name = "nr_ang", .maxLength = 5, .rule = Digits, .stored = Number},
     &R::nrAng,
     CheckEmployees},
    {{.name = "salariul_minim", .maxLength = 9, .rule = Digits, .stored = Number},
     &R::salariulMinim},
    {Amount("fond_de_salarii"), &R::fondDeSalarii},
    {Amount("contributii_datorate"), &R::contributiiDatorate},
    {Amount("faambp"), &R::faambp},
    {Amount("faambp_datorat"), &R::faambpDatorat},
    {Amount("de_recuperat_anterior"), &R::deRecuperatAnterior},
};

// The stored columns the form does not edit: what a declaration is, set when
// it is added, and its place in the company's list (the list names the type
// "rectif" and shows the number of a rectifying declaration only, as "nr").
// Only a rectifying declaration writes its number.
const Column kStoredOnly[] = {
    {{.name = "index", .written = WrittenWhen::Never}, &R::index},
    {{.name = "cf", .written = WrittenWhen::Adding}, &R::cf},
    {{.name = "luna",
      .listWidth = 70,
      .displayKind = DisplayKind::Month,
      .written = WrittenWhen::Adding},
     &R::luna},
    {{.name = "rectificativa",
      .listWidth = 60,
      .written = WrittenWhen::Adding,
      .listTitle = "rectif"},
     &R::rectificativa},
    {{.name = "rectif_nr", .listWidth = 50, .written = WrittenWhen::Asked, .listTitle = "nr"},
     &R::rectifNr},
};

// A shown amount: truncated toward zero, digits grouped by dots.
std::string ShownAmount(double value) {
    return GroupDigits(IntegerToText(static_cast<long long>(std::trunc(value)), false));
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
    ApplyListLayout<DeclarationRecord>(list, kStoredOnly);
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
    // As the list's query shows it: the number of a rectifying declaration only.
    DeclarationRecord shown = d;
    shown.rectificativa = d.Rectifying() ? "DA" : "NU";
    if (!d.Rectifying()) shown.rectifNr.clear();
    const int row = list.InsertRow(InsertPosition(list, TextToInteger(d.luna)), d.luna);
    for (const Column& column : kStoredOnly)
        list.SetCellText(row, ListName(column.spec), shown.*column.member);
    return row;
}

std::optional<DeclarationRecord> DeclarationRegister::Load(long long index) {
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.declaratii AS d WHERE d.index=") +
                            SqlInteger(index),
                        true) ||
        m_client.RowCount() < 1)
        return std::nullopt;
    DeclarationRecord record = RecordFromResult<DeclarationRecord>(m_client, 0, kColumns);
    ReadRecordValues<DeclarationRecord>(m_client, 0, kStoredOnly, record);
    return record;
}

std::optional<bool> DeclarationRegister::Exists(long long index) {
    if (!m_client.Query(SqlStatement("SELECT d.index FROM concedii.declaratii AS d WHERE d.index=") +
                           SqlInteger(index),
                       true))
        return std::nullopt;
    return m_client.RowCount() > 0;
}

std::optional<long long> DeclarationRegister::FindIndex(const std::string& cf,
                                                        const std::string& luna,
                                                        long long rectifNr) {
    const auto code = SqlNumber(m_client.GetPrompter(), cf);
    const auto month = code ? SqlNumber(m_client.GetPrompter(), luna) : std::nullopt;
    if (!month) return std::nullopt;
    SqlStatement sql = SqlStatement("SELECT d.index FROM concedii.declaratii AS d WHERE d.cf=") +
                       *code + " AND d.luna=" + *month;
    sql += rectifNr > 0
               ? SqlStatement(" AND d.rectificativa='DA' AND d.rectif_nr=") + SqlInteger(rectifNr)
               : SqlStatement(" AND d.rectificativa<>'DA'");
    if (!m_client.Query(sql + " ORDER BY d.index", true)) return std::nullopt;
    return m_client.RowCount() < 1 ? 0 : TextToInteger(m_client.GetValue(0, "INDEX"));
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
    // The first row is the latest declaration of the month: the one corrected.
    return DeclarationType{true, TextToInteger(m_client.GetValue(0, "RECTIF_NR")) + 1,
                           TextToInteger(m_client.GetValue(0, "INDEX"))};
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
    DeclarationRecord stored = record;
    stored.rectificativa = record.Rectifying() ? "DA" : "NU";
    const bool adding = modifyIndex == 0;
    const SaveScope scope{.adding = adding, .asked = adding && record.Rectifying()};
    m_client.ClearFields();
    AddWrittenFields<DeclarationRecord>(m_client, stored, kStoredOnly, scope);
    AddWrittenFields<DeclarationRecord>(m_client, stored, kColumns, scope);
    if (modifyIndex != 0) {
        if (!m_client.UpdateRecord(modifyIndex, "CONCEDII", "DECLARATII", ""))
            return Outcome::Stopped();
        return Outcome::Done(modifyIndex);
    }
    if (!m_client.InsertRecord("CONCEDII", "DECLARATII", "", true)) return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}
