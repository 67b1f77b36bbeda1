#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct st_mysql;

// Where and as whom a connection logs in to an installation's server. The
// user and password are never constants of the program: each installation's
// server/bin/client.cnf (a MariaDB option file, 0600, whose [client] group
// holds them) is read by Connector/C itself.
struct ServerLogin {
    static constexpr int kDefaultPort = 3336;

    std::string host = "127.0.0.1";
    int port = kDefaultPort;
    // The installation's client.cnf. It may not exist yet when `former` is set.
    std::string optionFile;
    // An installation prepared before it had client.cnf: its server still
    // knows the program's former fixed login. The first connection gives the
    // login a random password of its own and writes `optionFile`.
    bool former = false;
};

// The program's login on every installation's server.
inline constexpr const char* kProgramUser = "orvik";

// One way of logging in that a connect attempt tries.
struct LoginAttempt {
    std::string optionFile;  // empty: the former fixed login
};

// The ways to try, in order, while the server refuses the one before: the
// option file; for a former installation, a client.cnf whose writing was cut
// short (its password may already be the server's) and then the fixed login.
std::vector<LoginAttempt> LoginAttempts(const ServerLogin& login);

// mysql_real_connect with the attempt's credentials, the login's host and
// port and no database. Options set on the handle before stay as they are.
bool ConnectAs(st_mysql* handle, const ServerLogin& login, const LoginAttempt& attempt,
               unsigned long clientFlags);

// True when the server answered and refused the login (it is running).
bool LoginRefused(st_mysql* handle);

// Where client.cnf is written before the server knows its password.
std::string PendingOptionFile(const ServerLogin& login);

// `length` letters and digits from the system's random source; empty when
// that cannot be read.
std::string RandomPassword(std::size_t length);

// The text of an installation's client.cnf.
std::string OptionFileText(const std::string& user, const std::string& password);

// Installations prepared before they had client.cnf also left root (and any
// anonymous account) without a password: any local user got in. Through that
// very door, once: root@localhost becomes reachable only through the socket by
// the system's root, the other root and anonymous accounts go. True when
// nothing was open or it is closed now; false with `why` otherwise.
bool CloseFormerRootDoor(const ServerLogin& login, std::string& why);

// The user and password the login stands for, for tools that are handed them
// (the copy's dump): the [client] group of the option file when it exists,
// else the former fixed login of a former installation. False otherwise.
bool LoginCredentials(const ServerLogin& login, std::string& user, std::string& password);
