#include "health/AnnexStatements.h"

#include "db/CClient.h"

namespace {

// LN, AN, CF, RJ, RN, RA of annexes 1A and 1B.
SqlStatement Head(const AnnexLiterals& v) {
    return SqlStatement("SELECT ") + v.mm + " AS LN, " + v.yyyy + " AS AN, " + v.cfText +
           " AS CF, " + v.rj + " AS RJ, " + v.rn + " AS RN, " + v.ra + " AS RA, ";
}

SqlStatement Representative(const AnnexLiterals& v) {
    return SqlStatement("") + v.nrep + " AS NREP, " + v.prep + " AS PREP ";
}

// The employment records open on some day of the month.
SqlStatement OfTheMonth(const AnnexLiterals& v) {
    return SqlStatement(" AND a.intrare<=") + v.month + "31" + " AND (a.iesire>=" + v.month + "01" +
           " OR a.iesire=0)";
}

SqlStatement Annex1A(const AnnexLiterals& v) {
    return Head(v) +
           " a.cnp AS CNP,  a.nume AS NUME,  a.prenume AS PRENUME,  a.forma AS CAT,  a.intrare AS "
           "ANG,  a.iesire AS PL,  s.asig_datorat AS SDL,  s.asig_virat AS SVL, " +
           Representative(v) +
           " FROM asigurati.asigurati AS a LEFT JOIN asigurati.sume AS s ON s.id_cnp=a.index AND "
           "s.luna=" +
           v.month + " WHERE a.cf=" + v.cf + " AND a.cas=" + v.house + OfTheMonth(v) +
           " ORDER BY a.nume, a.prenume, a.intrare";
}

// One record per dependant, whatever company recorded him.
SqlStatement Annex1B(const AnnexLiterals& v) {
    return Head(v) +
           "a.cnp AS CNP, c.cnp AS CNPC, c.nume AS NUMEC, c.prenume AS PRENUMEC, c.tip AS TIPC, " +
           Representative(v) +
           "FROM asigurati.asigurati AS a JOIN asigurati.coasigurati AS c ON a.cnp=c.cnp_asig "
           "WHERE a.cf=" +
           v.cf + " AND a.cas=" + v.house + " AND a.intrare<=" + v.month + "31" +
           " AND (a.iesire>=" + v.month + "01" + " OR a.iesire=0)" +
           "GROUP BY c.cnp ORDER BY c.nume, c.prenume";
}

// One record per house of the company's employees; the employer's sums are
// put in afterwards.
SqlStatement Annex1C(const AnnexLiterals& v) {
    return SqlStatement("SELECT ") + v.mm + " AS LN, " + v.yyyy + " AS AN, " + "a.cf AS CF, " +
           v.rj + " AS RJ, " + v.rn + " AS RN, " + v.ra + " AS RA, " +
           "mid(a.cas, 4, 2) AS CAS_ASIG, 0 AS SDLA, 0 AS SVTA,  sum(s.asig_datorat) AS SDL_ASIG, "
           " sum(s.asig_virat) AS SVT_ASIG, " +
           Representative(v) +
           " FROM asigurati.asigurati AS a LEFT JOIN asigurati.sume AS s ON s.id_cnp=a.index AND "
           "s.luna=" +
           v.month + " WHERE a.cf=" + v.cf + OfTheMonth(v) +
           " GROUP BY a.cas  ORDER BY a.nume, "
           "a.prenume";
}

}  // namespace

std::optional<AnnexLiterals> MakeAnnexLiterals(CClient& client, const AnnexMonth& month,
                                               const AnnexCompany& company,
                                               const std::string& house) {
    Prompter& prompter = client.GetPrompter();
    const auto cf = SqlNumber(prompter, company.cf);
    if (!cf) return std::nullopt;
    const auto number = SqlNumber(prompter, month.month);
    if (!number) return std::nullopt;
    return AnnexLiterals{SqlText(client, month.mm),
                         SqlText(client, month.yyyy),
                         SqlText(client, company.cf),
                         SqlText(client, company.rj),
                         SqlText(client, company.rn),
                         SqlText(client, company.ra),
                         SqlText(client, company.nrep),
                         SqlText(client, company.prep),
                         SqlText(client, house),
                         *cf,
                         *number};
}

SqlStatement AnnexQuery(Annex annex, const AnnexLiterals& values) {
    switch (annex) {
        case Annex::B:
            return Annex1B(values);
        case Annex::C:
            return Annex1C(values);
        case Annex::A:
            break;
    }
    return Annex1A(values);
}
