#include "health/EmployerSums.h"

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/ContributionRates.h"
#include "domain/TextNumbers.h"
#include "health/MonthlySums.h"

namespace {

using Column = RecordColumn<EmployerMonthSums>;
using E = EmployerMonthSums;
using enum TextRule;

// The fund is a masked amount field; the two contributions take digits.
const Column kColumns[] = {
    {{"fond_de_salarii", 0, AsTyped}, &E::fondDeSalarii},
    {{"datorat", 0, Digits}, &E::datorat},
    {{"virat", 0, Digits}, &E::virat},
};

// The columns the window adds to the company list, in the order of kColumns
// and then the key of the month's row.
struct AddedColumn {
    const char* title;
    int width;
    int kind;
};
const AddedColumn kAdded[] = {
    {"FOND DE SALARII", 120, 5}, {"DATORAT", 100, 3}, {"VIRAT", 100, 3}, {"ID_SUMA", 0, 0}};
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
    if (!m_client.Query("SELECT s.cf, s.denumire FROM asigurati.societati AS s", true))
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    list.SetColumnWidth("CF", 0);
    list.SetColumnWidth("DENUMIRE", 250);
    for (const AddedColumn& added : kAdded)
        list.AppendColumn(added.title, "N", added.width, added.kind);
    for (int row = 0; row < list.RowCount(); ++row) {
        const auto code = SqlNumber(GetPrompter(), list.CellText(row, "CF"));
        if (!code) return Outcome::Stopped();
        if (!m_client.Query(
                SqlStatement("SELECT ss.* FROM asigurati.sume_societati AS ss WHERE ss.cf=") +
                    *code + " AND ss.luna=" + *month,
                true))
            return Outcome::Stopped();
        if (m_client.RowCount() < 1) continue;
        const std::string stored[] = {m_client.GetValue(0, "FOND_DE_SALARII"),
                                      m_client.GetValue(0, "DATORAT"),
                                      m_client.GetValue(0, "VIRAT"), m_client.GetValue(0, "INDEX")};
        for (int i = 0; i < 4; ++i) list.SetCellText(row, kAdded[i].title, stored[i]);
    }
    return Outcome::Done();
}

EmployerMonth EmployerSums::RowAt(const DataList& list, int row) {
    EmployerMonth e;
    if (row < 0 || row >= list.RowCount()) return e;
    e.cf = list.CellText(row, "CF");
    e.denumire = list.CellText(row, "DENUMIRE");
    e.idSuma = TextToInteger(list.CellText(row, kIdSuma));
    for (int i = 0; i < 3; ++i) e.sums.*kColumns[i].member = list.CellText(row, kAdded[i].title);
    return e;
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
    m_client.AddField("CF", row.cf);
    m_client.AddField("LUNA", m_month);
    for (const Column& column : kColumns)
        m_client.AddField(ResultName(column.spec.name), s.*column.member);
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
    for (int i = 0; i < 3; ++i) list.SetCellText(row, kAdded[i].title, stored.*kColumns[i].member);
    list.SetCellText(row, kIdSuma, std::to_string(idSuma));
}
