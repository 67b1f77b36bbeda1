#include "health/MonthlySums.h"

#include <unordered_set>

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "db/TableStatistics.h"
#include "db/Transaction.h"
#include "domain/ContributionRates.h"
#include "domain/Dates.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "health/CompanyRegister.h"
#include "health/MissingSums.h"
#include "health/SumsRegister.h"

namespace {

using Column = RecordColumn<MonthSums>;
using S = MonthSums;
using enum TextRule;

// A date "01.02.2009" or an amount "123.456,78" with the cell margins needs
// 90 pixels; at 80 it would be cut and read only from its tooltip.
constexpr int kDateAmountWidth = 90;

// The salary is a masked amount field; the two contributions take digits.
const Column kColumns[] = {
    {{.name = "salariu", .listWidth = kDateAmountWidth, .displayKind = DisplayKind::Amount},
     &S::salariu},
    {{.name = "asig_datorat", .rule = Digits, .displayKind = DisplayKind::Number}, &S::asigDatorat},
    {{.name = "asig_virat", .rule = Digits, .displayKind = DisplayKind::Number}, &S::asigVirat},
};

// The month's list shows the employment record otherwise than the insured
// list does: the house and the form narrow, the codes hidden, the dates
// wide enough to read, and the month the sums are of.
const ColumnSpec kMonthListColumns[] = {
    {.name = "cas", .listWidth = 50},
    {.name = "cf", .listWidth = 0},
    {.name = "cnp", .listWidth = 0},
    {.name = "forma", .listWidth = 50},
    {.name = "intrare", .listWidth = kDateAmountWidth, .displayKind = DisplayKind::Date},
    {.name = "iesire", .listWidth = kDateAmountWidth, .displayKind = DisplayKind::Date},
    {.name = "la_luna", .displayKind = DisplayKind::Month},
};

const Colour kLiquidatedColour{255, 0, 0};
const Colour kHiredColour{0, 127, 0};

std::string Cell(const DataList& list, int row, const char* name) {
    return list.CellText(row, name);
}

MonthSums SumsAt(const DataList& list, int row) {
    MonthSums sums;
    for (const Column& column : kColumns)
        sums.*column.member = list.CellText(row, ListName(column.spec));
    return sums;
}

}  // namespace

// ---- the working month ---------------------------------------------------------

bool IsWorkingMonth(const std::string& month) {
    return month.size() == 6;
}

std::optional<std::string> ComposeWorkingMonth(Prompter& prompter, const std::string& month,
                                               const std::string& year) {
    if (!IsValidCalendarDate("01", month, year)) {
        prompter.ShowMessage(SumsMessages::kMonthInvalid);
        return std::nullopt;
    }
    return IntegerToText(TextToInteger(year), false) +
           PadLeftZeros(IntegerToText(TextToInteger(month), false), 2);
}

std::string WorkingMonthCaption(const std::string& month) {
    return MonthName(static_cast<int>(TextToInteger(SliceChars(month, 4, 5)))) + " " +
           SliceChars(month, 0, 3);
}

TypedMonth SplitWorkingMonth(const std::string& month) {
    if (!IsWorkingMonth(month)) return {};
    return {SliceChars(month, 4, 5), SliceChars(month, 0, 3)};
}

std::string RateText(double rate) {
    return RealToText(rate, 1, false);
}

// ---- amounts -------------------------------------------------------------------

std::string StoredAmount(const std::string& typed) {
    std::string amount = TrimBlanks(typed);
    return amount.empty() ? "0" : amount;
}

Outcome CheckAmount(Prompter& prompter, const std::string& stored, std::string_view column,
                    const char* what) {
    if (IsNumberLiteral(stored)) return Outcome::Done();
    prompter.ShowMessage(std::string(what) + " trebuie sa fie un numar!");
    return Outcome::Stopped(column);
}

// ---- an employee's sums --------------------------------------------------------

MonthlySums::MonthlySums(CClient& client, std::string month)
    : m_client(client), m_month(std::move(month)) {}

std::span<const RecordColumn<MonthSums>> MonthlySums::Columns() {
    return kColumns;
}

double MonthlySums::EmployerRate() const {
    return ContributionRate(static_cast<int>(TextToInteger(m_month)), kEmployerRate);
}

double MonthlySums::EmployeeRate() const {
    return ContributionRate(static_cast<int>(TextToInteger(m_month)), kEmployeeRate);
}

Prompter& MonthlySums::GetPrompter() {
    return m_client.GetPrompter();
}

Outcome MonthlySums::FillCompanies(DataList& list) {
    if (!CompanyRegister(m_client, CompanyPlace::Health).FillCodesAndNames(list))
        return Outcome::Stopped();
    list.SetColumnWidth("CF", 0);
    list.SetColumnWidth("DENUMIRE", 350);
    return Outcome::Done();
}

long long MonthlySums::CompanyKey(const DataList& list, int row) {
    return TextToInteger(CompanyCode(list, row));
}

std::string MonthlySums::CompanyCode(const DataList& list, int row) {
    return row < 0 || row >= list.RowCount() ? std::string() : Cell(list, row, "CF");
}

std::string MonthlySums::CompanyName(const DataList& list, int row) {
    return row < 0 || row >= list.RowCount() ? std::string() : Cell(list, row, "DENUMIRE");
}

Outcome MonthlySums::FillEmployees(DataList& list, const std::string& companyCode) {
    const auto month = SqlNumber(GetPrompter(), m_month);
    if (!month) return Outcome::Stopped();
    const auto code = SqlNumber(GetPrompter(), companyCode);
    if (!code) return Outcome::Stopped();
    const SqlStatement sql =
        SqlStatement(
            "SELECT a.cas, a.cf, a.cnp, a.forma, a.nume, a.prenume, a.intrare, a.iesire, "
            "a.index, ") +
        "s.salariu, s.asig_datorat, s.asig_virat, s.luna AS la_luna " +
        " FROM asigurati.asigurati AS a" +
        " LEFT JOIN asigurati.sume AS s ON s.id_cnp=a.index AND s.luna=" + *month +
        " WHERE a.cf=" + *code + " AND a.intrare<=" + *month + "31" + " AND (a.iesire>=" + *month +
        "01" + " OR a.iesire=0)" + " ORDER BY a.nume, a.prenume, a.intrare";
    if (!m_client.Query(sql, true)) return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout(list, kMonthListColumns);
    ApplyListLayout<MonthSums>(list, kColumns);

    // Green after red: a person hired and liquidated in the month shows as hired.
    const long long first = TextToInteger(m_month) * 100 + 1;
    const long long last = first + 30;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (TextToInteger(Cell(list, row, "IESIRE")) > 0)
            list.SetRowTextColour(row, kLiquidatedColour);
        const long long hired = TextToInteger(Cell(list, row, "INTRARE"));
        if (hired >= first && hired <= last) list.SetRowTextColour(row, kHiredColour);
    }
    return Outcome::Done();
}

EmployeeMonth MonthlySums::RowAt(const DataList& list, int row) {
    EmployeeMonth e;
    if (row < 0 || row >= list.RowCount()) return e;
    e.key = TextToInteger(Cell(list, row, "INDEX"));
    for (const auto& column : InsuredRegister::Columns())
        e.person.*column.member = list.CellText(row, ResultName(column.spec.name));
    e.sums = SumsAt(list, row);
    e.laLuna = Cell(list, row, "LA_LUNA");
    return e;
}

MonthTotals MonthlySums::Totals(const DataList& list) const {
    double fund = 0, owed = 0, paid = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        const MonthSums sums = SumsAt(list, row);
        fund += TextToReal(sums.salariu);
        owed += TextToReal(sums.asigDatorat);
        paid += TextToReal(sums.asigVirat);
    }
    return {RealToText(fund, 2, false),
            IntegerToText(OwedContribution(fund, EmployerRate()), false),
            GroupDigits(IntegerToText(RoundHalfUp(owed), false)),
            GroupDigits(IntegerToText(RoundHalfUp(paid), false))};
}

std::string MonthlySums::OwedOn(double salary) const {
    return IntegerToText(OwedContribution(salary, EmployeeRate()), false);
}

MonthSums MonthlySums::AsStored(const MonthSums& typed) {
    return {StoredAmount(typed.salariu), StoredAmount(typed.asigDatorat),
            StoredAmount(typed.asigVirat)};
}

Outcome MonthlySums::Save(const EmployeeMonth& row, const MonthSums& typed) {
    const MonthSums s = AsStored(typed);
    Prompter& prompter = GetPrompter();
    const char* const what[] = {"Salariul realizat", "Suma datorata pentru asigurat",
                                "Suma virata pentru asigurat"};
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
        if (Outcome checked =
                CheckAmount(prompter, s.*kColumns[i].member, kColumns[i].spec.name, what[i]);
            !checked)
            return checked;
    if (row.laLuna != m_month) {
        if (!InsertSums(row, s)) return Outcome::Stopped();
        return Outcome::Done(row.key);
    }
    const auto month = SqlNumber(prompter, m_month);
    const auto salary = SqlNumber(prompter, s.salariu);
    const auto owed = SqlNumber(prompter, s.asigDatorat);
    const auto paid = SqlNumber(prompter, s.asigVirat);
    if (!month || !salary || !owed || !paid) return Outcome::Stopped();
    const SqlStatement sql = SqlStatement("UPDATE asigurati.sume AS s SET ") +
                             " s.salariu=" + *salary + ", s.asig_datorat=" + *owed +
                             ", s.asig_virat=" + *paid + " WHERE" +
                             " s.id_cnp=" + SqlInteger(row.key) + " AND s.luna=" + *month;
    if (!m_client.Query(sql, false)) return Outcome::Stopped();
    return Outcome::Done(row.key);
}

bool MonthlySums::InsertSums(const EmployeeMonth& row, const MonthSums& sums) {
    SumsRow stored;
    stored.idCnp = std::to_string(row.key);
    stored.cf = row.person.cf;
    stored.cnp = row.person.cnp;
    stored.month = m_month;
    stored.salariu = sums.salariu;
    stored.asigDatorat = sums.asigDatorat;
    stored.asigVirat = sums.asigVirat;
    // The form has no field for the employer's contribution.
    stored.extent = SumsExtent::WithSalary;
    return static_cast<bool>(SumsRegister(m_client).Write(stored, 0, true));
}

void MonthlySums::ShowSaved(DataList& list, int row, const MonthSums& stored) const {
    list.SetCellText(row, "LA_LUNA", m_month);
    for (const Column& column : kColumns)
        list.SetCellText(row, ResultName(column.spec.name), stored.*column.member);
}

// ---- carry-forward -------------------------------------------------------------

// The salary of the record's latest month before the working one (a later
// month must never flow back into an earlier one), owed and paid at this
// month's rate; zeros for a record that never had sums.
std::optional<MonthSums> MonthlySums::CarriedSums(const EmployeeMonth& row, bool& zeros) {
    const auto month = SqlNumber(GetPrompter(), m_month);
    if (!month) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.sume AS s WHERE s.id_cnp=") +
                            SqlInteger(row.key) + " AND s.luna<" + *month +
                            " ORDER BY s.luna DESC LIMIT 1",
                        true))
        return std::nullopt;
    MonthSums sums{"0", "0", "0"};
    zeros = m_client.RowCount() < 1;
    if (!zeros) {
        sums.salariu = StoredAmount(RecordFromResult<MonthSums>(m_client, 0, kColumns).salariu);
        sums.asigDatorat = sums.asigVirat = OwedOn(TextToReal(sums.salariu));
    }
    return sums;
}

// One transaction for the whole run, so 5,000 employees do not wait for
// 5,000 disk flushes. A failed statement writes nothing of its row, so on a
// failure the rows before it are committed as they are.
bool MonthlySums::WriteCarried(const DataList& list, std::vector<CarriedRow>& carried) {
    Transaction transaction(m_client);
    if (!transaction.Begun()) return false;
    bool complete = true;
    for (int row = 0; row < list.RowCount() && complete; ++row) {
        const EmployeeMonth employee = RowAt(list, row);
        if (!employee.laLuna.empty()) continue;
        bool zeros = false;
        const auto sums = CarriedSums(employee, zeros);
        complete = sums && InsertSums(employee, *sums);
        if (complete) carried.push_back({row, *sums, zeros});
    }
    if (!transaction.Commit()) {
        carried.clear();
        return false;
    }
    return complete;
}

Outcome MonthlySums::CarryForward(DataList& list) {
    Prompter& prompter = GetPrompter();
    if (!prompter.AskYesNo(SumsMessages::kCarryQuestion)) return Outcome::Stopped();
    std::vector<CarriedRow> carried;
    const bool complete = WriteCarried(list, carried);
    // Thousands of new rows: the plans of the next statements must know them.
    if (!carried.empty()) (void)RefreshTableStatistics(m_client);
    for (const CarriedRow& c : carried) ShowSaved(list, c.row, c.sums);
    if (!complete) {
        prompter.ShowMessage(
            "Preluarea sumelor s-a oprit din cauza unei erori.\nAngajati ale caror sume au fost "
            "preluate si salvate: " +
            std::to_string(carried.size()) + "\nLa ceilalti angajati nu s-a scris nimic.");
    }
    // Zeros saved before a failure are in the database all the same.
    ShowZeroCarried(list, carried);
    if (!complete) return Outcome::Stopped();
    return Outcome::Done(static_cast<long long>(carried.size()));
}

void MonthlySums::ShowZeroCarried(const DataList& list, const std::vector<CarriedRow>& carried) {
    std::vector<EmployeeWithoutSums> zeros;
    std::unordered_set<std::string> named;
    for (const CarriedRow& c : carried) {
        if (!c.zeros) continue;
        const EmployeeMonth e = RowAt(list, c.row);
        // Two records of one person in the month: one person to see to.
        if (named.insert(e.person.cnp).second)
            zeros.push_back({e.person.cnp, e.person.nume, e.person.prenume});
    }
    if (!zeros.empty())
        GetPrompter().ShowMessage(ZeroCarriedMessage(zeros, m_month), MessageKind::Information);
}
