// An installation prepared before it had client.cnf gets, at its first
// connection, a random password for the program's login, kept in client.cnf.
#include <errmsg.h>
#include <fcntl.h>
#include <mysql.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "db/CClient.h"
#include "db/FolderLock.h"

namespace {

constexpr std::size_t kPasswordLength = 32;

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Written whole and flushed under a name nobody else uses, 0600 from the start.
bool WriteNewFile(const std::string& path, const std::string& text, std::string& why) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        why = SystemError("nu se poate crea " + path);
        return false;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == text.size() && ::fsync(fd) == 0;
    if (!written) why = SystemError("nu se poate scrie " + path);
    if (::close(fd) != 0 && written) why = SystemError("nu se poate scrie " + path);
    if (!written) ::unlink(path.c_str());
    return written;
}

}  // namespace

void CClient::GiveOwnPassword() {
    std::string why;
    if (!CloseFormerRootDoor(m_login, why))
        GetPrompter().ShowMessage("Contul root al bazei de date nu a putut fi inchis: " + why + ".",
                                  MessageKind::Warning);
    if (MoveToOwnPassword(why)) return;
    GetPrompter().ShowMessage("Parola de acces la baza de date nu a putut fi schimbata: " + why +
                                  ".\nProgramul foloseste in continuare parola veche; "
                                  "la pornirea urmatoare incearca din nou.",
                              MessageKind::Warning);
}

// The file is written first under another name, then the server takes the
// password, then the file gets its name: whatever step a crash interrupts,
// the next connection finds a way in (LoginAttempts tries the pending file
// before the former login).
bool CClient::MoveToOwnPassword(std::string& why) {
    const std::string& target = m_login.optionFile;
    const std::string pending = PendingOptionFile(m_login);
    // A second process that logged in with the former login meanwhile waits,
    // then finds the file written and takes it.
    FolderLock lock(std::filesystem::path(target).parent_path().string());
    if (!lock.Held()) {
        why = SystemError("nu se poate bloca folderul lui " + target);
        return false;
    }
    std::error_code ignored;
    if (std::filesystem::is_regular_file(target, ignored)) {
        // Another process settled it while this one logged in.
        m_login.former = false;
        return true;
    }
    if (m_loggedInWith != pending) {
        // Logged in with the former login: a pending file left by a start
        // cut short never reached the server.
        ::unlink(pending.c_str());
        const std::string password = RandomPassword(kPasswordLength);
        if (password.empty()) {
            why = SystemError("nu se poate citi /dev/urandom");
            return false;
        }
        if (!WriteNewFile(pending, OptionFileText(kProgramUser, password), why)) return false;
        // The program's login may set its own password without any privilege
        // (ALTER USER would need CREATE USER, which it must not have).
        const SqlStatement sql =
            SqlStatement("SET PASSWORD = PASSWORD(") + SqlText(*this, password) + ")";
        if (mysql_real_query(m_connection, sql.Text().data(), sql.Text().size()) != 0) {
            why = std::string("serverul a raspuns: ") + mysql_error(m_connection);
            // A connection lost on the way leaves unknown whether the server
            // took the password: the pending file stays to be tried.
            if (mysql_errno(m_connection) < CR_MIN_ERROR) ::unlink(pending.c_str());
            return false;
        }
    }
    // The file keeps the password from everyone but its owner, whoever wrote it.
    if (::chmod(pending.c_str(), S_IRUSR | S_IWUSR) != 0 ||
        ::rename(pending.c_str(), target.c_str()) != 0 || !lock.Sync()) {
        // The server already has the new password; the pending file keeps it.
        why = SystemError("nu se poate redenumi " + pending);
        return false;
    }
    m_login.former = false;
    m_loggedInWith = target;
    return true;
}
