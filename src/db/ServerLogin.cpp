#include "db/ServerLogin.h"

#include <fcntl.h>
#include <mysql.h>
#include <mysqld_error.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "domain/TextNumbers.h"

namespace {

// The login every installation had before it got client.cnf. Only tried for
// such an installation, and only until its first connection replaces it.
const char* const kFormerUser = kProgramUser;
const char* const kFormerPassword = "tovelrudam";

bool Exists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

std::string PendingOptionFile(const ServerLogin& login) {
    return login.optionFile + ".new";
}

std::vector<LoginAttempt> LoginAttempts(const ServerLogin& login) {
    if (Exists(login.optionFile)) return {{login.optionFile}};
    if (!login.former) return {};
    std::vector<LoginAttempt> attempts;
    if (Exists(PendingOptionFile(login))) attempts.push_back({PendingOptionFile(login)});
    attempts.push_back({});
    return attempts;
}

bool ConnectAs(st_mysql* handle, const ServerLogin& login, const LoginAttempt& attempt,
               unsigned long clientFlags) {
    const char* user = nullptr;
    const char* password = nullptr;
    if (attempt.optionFile.empty()) {
        user = kFormerUser;
        password = kFormerPassword;
    } else {
        // Read by the library when connecting; user and password stay null so
        // the file's apply. The host and port given here win over the file's.
        mysql_options(handle, MYSQL_READ_DEFAULT_FILE, attempt.optionFile.c_str());
        mysql_options(handle, MYSQL_READ_DEFAULT_GROUP, "client");
    }
    return mysql_real_connect(handle, login.host.c_str(), user, password, nullptr,
                              static_cast<unsigned>(login.port), nullptr, clientFlags) != nullptr;
}

bool LoginRefused(st_mysql* handle) {
    switch (mysql_errno(handle)) {
        case ER_ACCESS_DENIED_ERROR:
        case ER_ACCESS_DENIED_NO_PASSWORD_ERROR:
        case ER_HOST_NOT_PRIVILEGED:
        case ER_ACCOUNT_HAS_BEEN_LOCKED:
            return true;
        default:
            return false;
    }
}

std::string RandomPassword(std::size_t length) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static constexpr unsigned kSize = sizeof kAlphabet - 1;  // 62
    const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    std::string password;
    unsigned char bytes[64];
    while (password.size() < length) {
        const ssize_t got = ::read(fd, bytes, sizeof bytes);
        if (got <= 0) break;
        // Bytes past the last whole multiple of 62 are dropped: no letter is
        // likelier than another.
        for (ssize_t i = 0; i < got && password.size() < length; ++i)
            if (bytes[i] < 256 / kSize * kSize) password += kAlphabet[bytes[i] % kSize];
    }
    ::close(fd);
    return password.size() == length ? password : "";
}

std::string OptionFileText(const std::string& user, const std::string& password) {
    return "# The program's login on this installation's server; read by the program,\n"
           "# orvik-cli and the mariadb tools (--defaults-extra-file). Keep it 0600.\n"
           "[client]\nuser=" +
           user + "\npassword=" + password + "\n";
}

bool LoginCredentials(const ServerLogin& login, std::string& user, std::string& password) {
    if (!Exists(login.optionFile)) {
        if (!login.former) return false;
        user = kFormerUser;
        password = kFormerPassword;
        return true;
    }
    std::ifstream in(login.optionFile);
    std::string raw;
    bool inClient = false, named = false;
    while (std::getline(in, raw)) {
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line.front() == '[') {
            inClient = line == "[client]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inClient || equals == std::string::npos) continue;
        const std::string key = TrimBlanks(std::string_view(line).substr(0, equals));
        const std::string value = TrimBlanks(std::string_view(line).substr(equals + 1));
        if (key != "user" && key != "password") continue;
        (key == "user" ? user : password) = value;
        named = true;
    }
    return named;
}

bool CloseFormerRootDoor(const ServerLogin& login, std::string& why) {
    MYSQL* root = mysql_init(nullptr);
    if (!root) return true;
    if (!mysql_real_connect(root, login.host.c_str(), "root", "", nullptr,
                            static_cast<unsigned>(login.port), nullptr, 0)) {
        mysql_close(root);
        return true;  // no door: nothing to close
    }
    // As a new installation has it; then the accounts that answered anyone.
    // The names come from the server and are quoted by it.
    static const char* const kStatements[] = {
        "ALTER USER 'root'@'localhost' IDENTIFIED VIA mysql_native_password USING 'invalid' "
        "OR unix_socket",
        "BEGIN NOT ATOMIC FOR account IN (SELECT user, host FROM mysql.global_priv WHERE "
        "(user = 'root' AND host <> 'localhost') OR user = '') DO EXECUTE IMMEDIATE "
        "CONCAT('DROP USER ', QUOTE(account.user), '@', QUOTE(account.host)); END FOR; END",
        "FLUSH PRIVILEGES"};
    bool closed = true;
    for (const char* statement : kStatements) {
        if (mysql_query(root, statement) == 0) continue;
        why = std::string("serverul a refuzat: ") + mysql_error(root);
        closed = false;
        break;
    }
    mysql_close(root);
    return closed;
}
