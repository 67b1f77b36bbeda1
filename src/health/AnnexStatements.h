#pragma once
#include "db/SqlValues.h"
#include "health/AnnexFiles.h"

class CClient;

// The values every annex statement carries, each made safe once: the texts
// escaped between apostrophes (the company's register number and
// representative as much as any typed value), the codes and month checked
// as numbers.
struct AnnexLiterals {
    SqlLiteral mm, yyyy, cfText, rj, rn, ra, nrep, prep, house;
    SqlLiteral cf, month;
};

// Nothing when the company code or the month is not a number (shown).
[[nodiscard]] std::optional<AnnexLiterals> MakeAnnexLiterals(CClient& client,
                                                             const AnnexMonth& month,
                                                             const AnnexCompany& company,
                                                             const std::string& house);

// The SELECT whose columns are the annex's fields, in file order.
SqlStatement AnnexQuery(Annex annex, const AnnexLiterals& values);
