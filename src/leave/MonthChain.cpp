#include "leave/MonthChain.h"

#include <algorithm>

#include "db/CClient.h"
#include "db/RecordRows.h"
#include "db/SqlValues.h"
#include "domain/TextNumbers.h"
#include "leave/CertificateEntry.h"
#include "leave/DeclarationRegister.h"

namespace {

bool SameCertificate(const ChainEntry& a, const ChainEntry& b) {
    return a.cnp == b.cnp && a.certSerie == b.certSerie && a.certNumar == b.certNumar;
}

// The certificate's columns as stored, then the figures the totals need.
ChainEntry EntryFromResult(const CClient& client, long long row) {
    CertificateRecord c;
    ReadStoredValues<CertificateRecord>(client, row, CertificateEntry::Columns(), c);
    return {.tipRectif = c.tipRectif,
            .cnp = c.cnp,
            .certSerie = c.certSerie,
            .certNumar = c.certNumar,
            .indemnityCode = static_cast<int>(TextToInteger(c.codIndemn)),
            .employerDays = TextToInteger(c.zilePrestatiiAng),
            .fnuassDays = TextToInteger(c.zileSuportateFnuass),
            .employerAmount = TextToReal(c.sumaSuportataAng),
            .fnuassAmount = TextToReal(c.sumaSuportataFnuass)};
}

}  // namespace

std::vector<ChainEffect> ChainEffects(std::span<const ChainEntry> chain) {
    std::vector<ChainEffect> effects;
    for (std::size_t r = 0; r < chain.size(); ++r) {
        const ChainEntry& row = chain[r];
        if (row.tipRectif.empty() || row.tipRectif == "A") {
            effects.push_back({row, +1});
            continue;
        }
        if (row.tipRectif != "M" && row.tipRectif != "S") continue;
        const auto earlier =
            std::find_if(chain.rbegin() + static_cast<long>(chain.size() - r), chain.rend(),
                         [&](const ChainEntry& e) { return SameCertificate(e, row); });
        if (earlier == chain.rend()) continue;
        if (earlier->tipRectif != "S") effects.push_back({*earlier, -1});
        if (row.tipRectif == "M") effects.push_back({row, +1});
    }
    return effects;
}

double ChainBenefits(std::span<const ChainEffect> effects) {
    double j = 0;
    for (const ChainEffect& effect : effects) j += effect.sign * effect.entry.fnuassAmount;
    return j;
}

MonthSettlement SettleMonth(double i, double j, double k) {
    MonthSettlement s{i, j, k, 0, 0, 0};
    if (i > j) {
        s.l = std::min(k, i - j);
        s.m = i - j - s.l;
        s.n = k - s.l;
    } else {
        s.n = j + k - i;
    }
    return s;
}

// The certificates are reached through their key even when the statistics
// say the table is nearly empty (after a restore, until they are taken again):
// a scan of every certificate of every month is never cheaper in practice.
std::optional<SqlStatement> MonthChainQuery(Prompter& prompter, const DeclarationRecord& d) {
    const auto cf = SqlNumber(prompter, d.cf);
    const auto month = cf ? SqlNumber(prompter, d.luna) : std::nullopt;
    const auto number = month ? SqlNumber(prompter, d.rectifNr) : std::nullopt;
    if (!number) return std::nullopt;
    return SqlStatement(
               "SELECT d.luna, d.rectificativa, d.rectif_nr, c.* FROM "
               "concedii.declaratii AS d LEFT JOIN concedii.concedii AS c FORCE INDEX "
               "FOR JOIN (id_declaratie) ON c.id_declaratie=d.index WHERE d.cf=") +
           *cf + " AND d.luna=" + *month + " AND d.rectif_nr<=" + *number +
           " ORDER BY d.rectificativa DESC, d.rectif_nr, c.index";
}

std::optional<MonthChain> ReadMonthChain(CClient& client, const DeclarationRecord& d) {
    const auto sql = MonthChainQuery(client.GetPrompter(), d);
    if (!sql || !client.Query(*sql, true)) return std::nullopt;
    std::vector<ChainEntry> chain;
    for (long long row = 0; row < client.RowCount(); ++row) {
        // A declaration without certificates joins as one empty row.
        if (client.GetValue(row, "CNP").empty()) continue;
        chain.push_back(EntryFromResult(client, row));
    }
    MonthChain result;
    result.effects = ChainEffects(chain);
    const double j = ChainBenefits(result.effects);
    const double i = TextToReal(d.contributiiDatorate) + TextToReal(d.faambpDatorat);
    result.amounts = SettleMonth(i, j, TextToReal(d.deRecuperatAnterior));
    return result;
}
