#pragma once
#include <string>

// Starts and stops the local database server on behalf of the connection.
// The application implements it with a real process; tests may count calls.
class ServerProcess {
public:
    virtual ~ServerProcess() = default;
    // Starts "<program> <arguments>" from the current directory, hidden.
    // Returns true when a process was created. Called again when the server
    // went away while the program ran; a process of its own that already
    // ended must not be waited for.
    virtual bool Start(const std::string& program, const std::string& arguments) = 0;
    // Waits for a process it started to end after a shutdown request, and
    // ends it only as a last resort. Does nothing when none was started.
    virtual void Stop() = 0;
    // Leaves a started server running on its own (used when start-up fails).
    virtual void Detach() = 0;
};
