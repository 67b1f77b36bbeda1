#include "app/Session.h"

#include <filesystem>

#include "backup/CopyLock.h"
#include "db/CClient.h"
#include "db/SchemaUpgrade.h"
#include "db/ServerSettings.h"

namespace Session {

bool StartUp(CClient& client) {
    // An installation of an older release gets the server settings of this one
    // before its server starts; if that fails, the old ones still work.
    std::string why;
    if (!UpdateServerSettings(std::filesystem::current_path().string(), why))
        client.GetPrompter().ShowMessage(why, MessageKind::Warning);
    if (!client.Connect(kHost)) {
        client.DetachServer();
        client.GetPrompter().ShowMessage("Nu se pot initializa bazele de date!");
        return false;
    }
    (void)UpgradeSchema(client);
    DropLeftoverStagedTables(client);
    return true;
}

bool Leave(CClient& client, bool askFirst, const std::function<void()>& beforeShutdown) {
    if (askFirst && !client.GetPrompter().AskYesNo("Esti sigur ca vrei sa iesi din program?"))
        return false;
    if (beforeShutdown) beforeShutdown();
    (void)client.ShutdownServer();
    client.Disconnect();
    return true;
}

}  // namespace Session
