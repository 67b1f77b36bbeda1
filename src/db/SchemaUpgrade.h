#pragma once
#include <string>
#include <vector>

#include "base/Outcome.h"

class CClient;

// The schema version this program writes; databases of older releases are
// brought up to it at every start.
inline constexpr const char* kCurrentSchemaVersion = "2.08";

// Run once at every start, right after a successful connect and before
// anything else touches the databases: repairs the tables, climbs from the
// stored version to the current one, completes the layout of older databases
// and stores the version reached. Every failure has been shown when it
// returns; Stopped means it stopped early and left the stored version as it was.
Outcome UpgradeSchema(CClient& client);

// One step of a rung, as the ladder records it.
struct UpgradeStep {
    enum class Kind {
        IfColumnMissing,       // run the statement when the column is missing
        Run,                   // run it, its failure only shown
        RunOrStop,             // run it, a failure ends the whole upgrade
        RenumberDeclarations,  // renumber the declarations while no certificate exists
    };
    Kind kind;
    std::string db, table, column;  // tested column, upper case, for IfColumnMissing
    std::string sql;
};

struct UpgradeRung {
    std::string from, to;
    std::vector<UpgradeStep> steps;
};

// The rungs in the order they are tested.
const std::vector<UpgradeRung>& UpgradeRungs();
