#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "db/SqlValues.h"

class CClient;
class Prompter;
struct DeclarationRecord;

// A month's leave declarations form a chain: the initial declaration, then
// each rectifying one holding only its changes (certificates added "A",
// modified "M" or withdrawn "S"). Totals, files and the printout all read the
// month through the certificates still in force at a given declaration.

// One certificate row of the chain with the figures the totals need, read
// through the certificate's column table.
struct ChainEntry {
    std::string tipRectif;  // "", "A", "M" or "S"
    std::string cnp;
    std::string certSerie;
    std::string certNumar;
    int indemnityCode = 0;
    long long employerDays = 0;
    long long fnuassDays = 0;
    double employerAmount = 0;
    double fnuassAmount = 0;
};

// The amounts every view of a declaration shows: I = F + H, J the benefits in
// force, K carried from earlier months, then L recovered this month, M to pay
// and N still owed by the fund.
struct MonthSettlement {
    double i = 0, j = 0, k = 0, l = 0, m = 0, n = 0;
};

// What one chain row does to the month's figures: an entry counted in (+1)
// or taken out again (-1).
struct ChainEffect {
    ChainEntry entry;
    int sign = 1;
};

// The effects of the chain's rows, in order. An addition (empty or "A") counts
// in. An "M" takes out the nearest earlier version of the same certificate
// (same CNP, series and number) and counts itself in; an "S" only takes it
// out. When that nearest version is itself a withdrawal the certificate is
// gone: a further "S" changes nothing and an "M" counts in as an addition.
// An "M" or "S" with no earlier version changes nothing.
std::vector<ChainEffect> ChainEffects(std::span<const ChainEntry> chain);

// J: the fund's share of the benefits the effects leave in force.
double ChainBenefits(std::span<const ChainEffect> effects);

// J offsets I first; any rest of I recovers K, what remains is paid.
MonthSettlement SettleMonth(double i, double j, double k);

struct MonthChain {
    std::vector<ChainEffect> effects;
    MonthSettlement amounts;
};

// The statement that reads the chain: the declarations of the company's month
// up to rectification `number`, each with its certificates. Nothing when a
// value is not a number (shown).
[[nodiscard]] std::optional<SqlStatement> MonthChainQuery(Prompter& prompter,
                                                          const DeclarationRecord& declaration);

// Reads the chain of `declaration`'s month up to it (its own rectification
// number included) and settles it. Nothing when a statement failed (the
// client has said why).
[[nodiscard]] std::optional<MonthChain> ReadMonthChain(CClient& client,
                                                       const DeclarationRecord& declaration);
