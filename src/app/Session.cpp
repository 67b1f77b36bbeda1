#include "app/Session.h"

#include "backup/CopyLock.h"
#include "db/CClient.h"
#include "db/SchemaUpgrade.h"

namespace Session {

bool StartUp(CClient& client) {
    if (client.Connect(kHost) != 0) {
        client.DetachServer();
        client.GetPrompter().ShowMessage("Nu se pot initializa bazele de date!");
        return false;
    }
    UpgradeSchema(client);
    DropLeftoverStagedTables(client);
    return true;
}

bool Leave(CClient& client, bool askFirst, const std::function<void()>& beforeShutdown) {
    if (askFirst && !client.GetPrompter().AskYesNo("Esti sigur ca vrei sa iesi din program?"))
        return false;
    if (beforeShutdown) beforeShutdown();
    client.ShutdownServer();
    client.Disconnect();
    return true;
}

}  // namespace Session
