#pragma once

class CClient;

// The leave window's "Tipareste declaratia selectata": the checks and
// messages of the printout, then the printer dialog (landscape), then the
// pages. `declarationIndex` 0 means no declaration is selected. Messages go
// through the client's prompter.
void PrintLeaveDeclaration(CClient& client, long long declarationIndex);
