#pragma once

class CClient;

// Brings the optimizer's statistics of the program's tables up to date. Called
// after an operation that changed many rows (an import, a carry-forward, a
// restore), before the server can be stopped: the server takes them again on
// its own only some seconds after the change, and a quick shutdown before
// that leaves statistics from the first rows of the work (a table of 10,000
// rows said to hold 2) for every later start. Reads a few pages per index,
// so it costs milliseconds. True when done; false when it failed (shown), or
// nothing was done inside an open transaction (it would commit it).
[[nodiscard]] bool RefreshTableStatistics(CClient& client);
