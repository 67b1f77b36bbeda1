#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One copy of the program per server port: a second copy would share the
// first one's server and shut it down under it when left.
class SingleInstance {
public:
    explicit SingleInstance(int port);
    // True when this copy is the only one; keep the object alive while running.
    bool Acquire();
    static QString LockPath(int port);

private:
    std::unique_ptr<QLockFile> m_lock;
};
