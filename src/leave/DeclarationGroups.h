#pragma once
#include <array>
#include <span>

#include "leave/MonthChain.h"

// The five groups of certificates the leave declaration totals by indemnity
// code: G1 temporary incapacity (every code not named below), G2 prevention
// (10, 11), G3 pregnancy and confinement (8), G4 sick child care (9), G5
// maternal risk (15). The file A1 and the printed Anexa 1 show the same
// figures, so both take them from here.

inline constexpr int kDeclarationGroupCount = 5;

struct GroupFigures {
    long long cases = 0;
    long long employerDays = 0;
    long long fnuassDays = 0;
    double employerAmount = 0;
    double fnuassAmount = 0;

    // Days of benefits: the employer's and the fund's together.
    long long BenefitDays() const { return employerDays + fnuassDays; }
};

using DeclarationGroups = std::array<GroupFigures, kDeclarationGroupCount>;

// 0 for G1 ... 4 for G5.
int GroupOfIndemnityCode(int code);

// Each effect of the month chain counts its entry in, or takes it out again,
// in the group of that entry's own code: a modified certificate whose code
// changed leaves its old group and joins the new one.
DeclarationGroups GroupsFromEffects(std::span<const ChainEffect> effects);

// The employer's amount over all five groups.
double EmployerAmountOfAllGroups(const DeclarationGroups& groups);
