#pragma once

class CClient;

// Completes, in asigurati and concedii, what older releases left out and what
// a new installation has, without touching the stored version: the lookup
// indexes, the change-log twins of the edited tables, a neutral default for
// every column without one (strict mode refuses inserts that omit such a
// column), a ZZ_DATA that no longer follows every update, and a certificate
// calculation base wide enough for the income it holds. Each part is
// checked first, so it changes nothing on a database that is already complete.
// Failures are shown and the rest still runs.
void CompleteLayout(CClient& client);
