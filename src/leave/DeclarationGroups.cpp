#include "leave/DeclarationGroups.h"

int GroupOfIndemnityCode(int code) {
    switch (code) {
        case 10:
        case 11:
            return 1;
        case 8:
            return 2;
        case 9:
            return 3;
        case 15:
            return 4;
        default:
            return 0;
    }
}

DeclarationGroups GroupsFromEffects(std::span<const ChainEffect> effects) {
    DeclarationGroups groups{};
    for (const ChainEffect& effect : effects) {
        const ChainEntry& e = effect.entry;
        GroupFigures& group = groups[GroupOfIndemnityCode(e.indemnityCode)];
        group.cases += effect.sign;
        group.employerDays += effect.sign * e.employerDays;
        group.fnuassDays += effect.sign * e.fnuassDays;
        group.employerAmount += effect.sign * e.employerAmount;
        group.fnuassAmount += effect.sign * e.fnuassAmount;
    }
    return groups;
}

double EmployerAmountOfAllGroups(const DeclarationGroups& groups) {
    double total = 0;
    for (const GroupFigures& group : groups) total += group.employerAmount;
    return total;
}
