// Qt's read-write lock as a capability that clang's thread-safety analysis
// tracks (host/threadannotations.h). Apart from that header so that only its
// users see Qt's headers. Any thread may use the locks; none throws.
#pragma once

#include <QReadWriteLock>

#include "host/threadannotations.h"

// Qt's read-write lock, here in its recursive form: a thread that holds it
// may take it again.
class CAPABILITY("mutex") RecursiveReadWriteLock {
public:
    void lock() ACQUIRE() { lock_.lockForWrite(); }
    void unlock() RELEASE() { lock_.unlock(); }
    void lockShared() ACQUIRE_SHARED() { lock_.lockForRead(); }
    void unlockShared() RELEASE_SHARED() { lock_.unlock(); }

private:
    QReadWriteLock lock_{QReadWriteLock::Recursive};
};

// Qt's read-write lock, not recursive.
class CAPABILITY("mutex") ReadWriteLock {
public:
    void lock() ACQUIRE() { lock_.lockForWrite(); }
    void unlock() RELEASE() { lock_.unlock(); }
    void lockShared() ACQUIRE_SHARED() { lock_.lockForRead(); }
    void unlockShared() RELEASE_SHARED() { lock_.unlock(); }

private:
    QReadWriteLock lock_;
};
