#include "health/EmployerSums.h"

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "domain/ContributionRates.h"
#include "domain/TextNumbers.h"
#include "health/CompanyRegister.h"
#include "health/MonthlySums.h"

namespace {

using Column = RecordColumn<EmployerMonthSums>;
using E = EmployerMonthSums;
using enum TextRule;

// The fund is a masked amount field; the two contributions take digits. The
// window adds them to the company list, the fund under a title of its own.
const Column kColumns[] = {
    {{.name = "fond_de_salarii",
      .listWidth = 120,
      .displayKind = DisplayKind::Amount,
      .listTitle = "FOND DE SALARII"},
     &E::fondDeSalarii},
    {{.name = "datorat", .rule = Digits, .listWidth = 100, .displayKind = DisplayKind::Number},
     &E::datorat},
    {{.name = "virat", .rule = Digits, .listWidth = 100, .displayKind = DisplayKind::Number},
     &E::virat},
};

// What a row of sums belongs to, written by every save.
struct SumsOwner {
    std::string cf, luna;
};
const RecordColumn<SumsOwner> kOwnerColumns[] = {
    {{.name = "cf"}, &SumsOwner::cf},
    {{.name = "luna"}, &SumsOwner::luna},
};

// The key of the month's row, after the sums.
const char* const kIdSuma = "ID_SUMA";

}  // namespace

EmployerSums::EmployerSums(CClient& client, std::string month)
    : m_client(client), m_month(std::move(month)) {}

std::span<const RecordColumn<EmployerMonthSums>> EmployerSums::Columns() {
    return kColumns;
}

double EmployerSums::Rate() const {
    return ContributionRate(static_cast<int>(TextToInteger(m_month)), kEmployerRate);
}

Prompter& EmployerSums::GetPrompter() {
    return m_client.GetPrompter();
}

Outcome EmployerSums::FillList(DataList& list) {
    const auto month = SqlNumber(GetPrompter(), m_month);
    if (!month) return Outcome::Stopped();
    if (!CompanyRegister(m_client, CompanyPlace::Health).FillCodesAndNames(list))
        return Outcome::Stopped();
    list.SetColumnWidth("CF", 0);
    list.SetColumnWidth("DENUMIRE", 250);
    AppendListColumns<EmployerMonthSums>(list, kColumns);
    list.AppendColumn(kIdSuma, "N", 0);
    for (int row = 0; row < list.RowCount(); ++row) {
        const auto code = SqlNumber(GetPrompter(), list.CellText(row, "CF"));
        if (!code) return Outcome::Stopped();
        if (!m_client.Query(
                SqlStatement("SELECT ss.* FROM asigurati.sume_societati AS ss WHERE ss.cf=") +
                    *code + " AND ss.luna=" + *month,
                true))
            return Outcome::Stopped();
        if (m_client.RowCount() < 1) continue;
        ShowSaved(list, row, RecordFromResult<EmployerMonthSums>(m_client, 0, kColumns),
                  TextToInteger(m_client.GetValue(0, "INDEX")));
    }
    return Outcome::Done();
}

EmployerMonth EmployerSums::RowAt(const DataList& list, int row) {
    EmployerMonth e;
    if (row < 0 || row >= list.RowCount()) return e;
    e.cf = list.CellText(row, "CF");
    e.denumire = list.CellText(row, "DENUMIRE");
    e.idSuma = TextToInteger(list.CellText(row, kIdSuma));
    for (const Column& column : kColumns)
        e.sums.*column.member = list.CellText(row, ListName(column.spec));
    return e;
}

std::optional<EmployerMonthSums> EmployerSums::Proposal(const std::string& cf) {
    MonthlySums employees(m_client, m_month);
    DataList list;
    if (!employees.FillEmployees(list, cf)) return std::nullopt;
    // A fund of 0.00 from nobody's sums is no proposal: the fields stay empty.
    bool anySums = false;
    for (int row = 0; row < list.RowCount() && !anySums; ++row)
        anySums = !list.CellText(row, "LA_LUNA").empty();
    if (!anySums) return EmployerMonthSums{};
    const MonthTotals totals = employees.Totals(list);
    const std::string owed = OwedOn(TextToReal(totals.fund));
    return EmployerMonthSums{totals.fund, owed, owed};
}

std::string EmployerSums::OwedOn(double fund) const {
    return IntegerToText(OwedContribution(fund, Rate()), false);
}

EmployerMonthSums EmployerSums::AsStored(const EmployerMonthSums& typed) {
    return {StoredAmount(typed.fondDeSalarii), StoredAmount(typed.datorat),
            StoredAmount(typed.virat)};
}

Outcome EmployerSums::Save(const EmployerMonth& row, const EmployerMonthSums& typed) {
    const EmployerMonthSums s = AsStored(typed);
    const char* const what[] = {"Fondul de salarii", "Suma datorata de catre angajator",
                                "Suma virata de catre angajator"};
    for (int i = 0; i < 3; ++i)
        if (Outcome checked =
                CheckAmount(GetPrompter(), s.*kColumns[i].member, kColumns[i].spec.name, what[i]);
            !checked)
            return checked;
    m_client.ClearFields();
    AddWrittenFields<SumsOwner>(m_client, SumsOwner{row.cf, m_month}, kOwnerColumns, {});
    AddWrittenFields<EmployerMonthSums>(m_client, s, kColumns, {});
    if (row.idSuma > 0) {
        if (!m_client.UpdateRecord(row.idSuma, "ASIGURATI", "SUME_SOCIETATI", ""))
            return Outcome::Stopped();
        return Outcome::Done(row.idSuma);
    }
    if (!m_client.InsertRecord("ASIGURATI", "SUME_SOCIETATI", "", true)) return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}

void EmployerSums::ShowSaved(DataList& list, int row, const EmployerMonthSums& stored,
                             long long idSuma) {
    for (const Column& column : kColumns)
        list.SetCellText(row, ListName(column.spec), stored.*column.member);
    list.SetCellText(row, kIdSuma, std::to_string(idSuma));
}
