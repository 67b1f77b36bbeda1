#include "ui/leave/LeaveDeclarationPrint.h"

#include "app/Session.h"
#include "db/CClient.h"
#include "leave/PrintedDeclaration.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"

void PrintLeaveDeclaration(CClient& client, long long declarationIndex) {
    PagePrinter printer(client.GetPrompter(), &ChoosePrinterByDialog);
    // Every stop has been shown by the flow; nothing is left to say here.
    (void)PrintLeaveDeclaration(client, declarationIndex, printer, Session::kVersion);
}
