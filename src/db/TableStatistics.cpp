#include "db/TableStatistics.h"

#include "db/CClient.h"

namespace {

// The tables bulk work fills; the change logs grow with them.
const char* const kAnalyze =
    "ANALYZE TABLE asigurati.societati, asigurati.asigurati, asigurati.sume, "
    "asigurati.coasigurati, asigurati.sume_societati, asigurati.zlog_asigurati, "
    "asigurati.zlog_sume, concedii.declaratii, concedii.concedii";

}  // namespace

bool RefreshTableStatistics(CClient& client) {
    // ANALYZE commits an open transaction on its own: inside a flow's
    // transaction it would end the all-or-nothing, so it waits for the end.
    if (client.OpenTransactions() > 0) return false;
    // The answer is one row per table; a table the layout lacks is a row too,
    // never a failed statement.
    return client.Query(kAnalyze, false);
}
