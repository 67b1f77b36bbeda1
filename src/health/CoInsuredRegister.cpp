#include "health/CoInsuredRegister.h"

#include <vector>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/RecordRows.h"
#include "domain/ReferenceLists.h"

namespace {

std::span<const std::string_view> KindCodes() {
    static const std::vector<std::string_view> codes = [] {
        std::vector<std::string_view> c;
        for (const CodedEntry& kind : CoInsuredKinds()) c.push_back(kind.code);
        return c;
    }();
    return codes;
}

// Thirteen digits and the cell margins: a cut CNP would have to be read
// from its tooltip.
constexpr int kCnpWidth = 120;

using Column = RecordColumn<CoInsuredRecord>;
using R = CoInsuredRecord;
using enum TextRule;

// The company and the insured person are known from the window that lists
// the dependants, so the list does not repeat them.
const Column kColumns[] = {
    {{"cf", 0, Digits, 0}, &R::cf},
    {{"cnp_asig", 0, Digits, 0}, &R::cnpAsig},
    {{"cnp", 13, Digits, kCnpWidth}, &R::cnp},
    {{"nume", 50, Upper}, &R::nume},
    {{"prenume", 50, Upper}, &R::prenume},
    {{"tip", 0, AsTyped, -1, 0, KindCodes}, &R::tip},
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
    if (m_client.Query(SqlStatement("SELECT * FROM asigurati.coasigurati AS c WHERE c.cf=") + *cf +
                           " AND c.cnp_asig=" + *cnp + " ORDER BY c.nume, c.prenume",
                       true) != 0)
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout<CoInsuredRecord>(list, kColumns);
    return Outcome::Done();
}
