#include "app/SingleInstance.h"

#include <QDir>

QString SingleInstance::LockPath(int port) {
    return QDir::temp().filePath(QString("orvik-asigurati-%1.lock").arg(port));
}

SingleInstance::SingleInstance(int port) : m_lock(std::make_unique<QLockFile>(LockPath(port))) {
    // A lock left by a copy that crashed is taken over (QLockFile checks its process).
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::Acquire() { return m_lock->tryLock(0); }
