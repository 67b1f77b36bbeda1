#pragma once
#include <functional>
#include <string>

#include "domain/ProgramVersion.h"

class CClient;
class Prompter;

// What happens between the main window appearing and the program being ready,
// and when the user leaves. Plain functions over the connection and the
// prompter, so they are tested without windows.
namespace Session {

inline constexpr const char* kVersion = kProgramVersion;
inline constexpr const char* kHost = "127.0.0.1";

// Connects (starting the server when needed) and brings the schema up to
// date. False after "Nu se pot initializa bazele de date!" was shown; a server
// started during the attempt is left running.
bool StartUp(CClient& client);

// Asks the leave question unless told not to; on Yes asks the server to shut
// down and disconnects. True when the program is to end. `beforeShutdown`
// runs after the answer, while the server still answers (the daily copy).
bool Leave(CClient& client, bool askFirst, const std::function<void()>& beforeShutdown = {});

}  // namespace Session
