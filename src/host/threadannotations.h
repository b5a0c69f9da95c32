// Which lock guards what, said so that clang's -Wthread-safety checks it:
// GUARDED_BY on a member, REQUIRES / EXCLUDES on a function, a read-write
// lock wrapped as a capability, and scoped holders for it and for the Qt
// locks of host/qtreadwritelock.h. Other compilers read the macros as nothing. Any thread may use
// the locks; none of them throws.
#pragma once

#include <shared_mutex>

#if defined(__clang__)
#define ZQ_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define ZQ_THREAD_ANNOTATION(x)
#endif

#define CAPABILITY(name) ZQ_THREAD_ANNOTATION(capability(name))
#define SCOPED_CAPABILITY ZQ_THREAD_ANNOTATION(scoped_lockable)
#define GUARDED_BY(lock) ZQ_THREAD_ANNOTATION(guarded_by(lock))
#define REQUIRES(...) ZQ_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
#define REQUIRES_SHARED(...) ZQ_THREAD_ANNOTATION(requires_shared_capability(__VA_ARGS__))
#define EXCLUDES(...) ZQ_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
#define ACQUIRE(...) ZQ_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define ACQUIRE_SHARED(...) ZQ_THREAD_ANNOTATION(acquire_shared_capability(__VA_ARGS__))
#define RELEASE(...) ZQ_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
#define RELEASE_SHARED(...) ZQ_THREAD_ANNOTATION(release_shared_capability(__VA_ARGS__))
#define RELEASE_GENERIC(...) ZQ_THREAD_ANNOTATION(release_generic_capability(__VA_ARGS__))

// A read-write lock: many readers or one writer; not recursive.
class CAPABILITY("mutex") SharedMutex {
public:
    void lock() ACQUIRE() { mutex_.lock(); }
    void unlock() RELEASE() { mutex_.unlock(); }
    void lockShared() ACQUIRE_SHARED() { mutex_.lock_shared(); }
    void unlockShared() RELEASE_SHARED() { mutex_.unlock_shared(); }

private:
    std::shared_mutex mutex_;
};

// Holds `Lock` for writing for a scope.
template <typename Lock>
class SCOPED_CAPABILITY WriteLocker {
public:
    explicit WriteLocker(Lock& lock) ACQUIRE(lock) : lock_(lock) { lock_.lock(); }
    ~WriteLocker() RELEASE() { lock_.unlock(); }
    WriteLocker(const WriteLocker&) = delete;
    WriteLocker& operator=(const WriteLocker&) = delete;

private:
    Lock& lock_;
};

// Holds `Lock` for reading for a scope.
template <typename Lock>
class SCOPED_CAPABILITY ReadLocker {
public:
    explicit ReadLocker(Lock& lock) ACQUIRE_SHARED(lock) : lock_(lock) { lock_.lockShared(); }
    ~ReadLocker() RELEASE_GENERIC() { lock_.unlockShared(); }
    ReadLocker(const ReadLocker&) = delete;
    ReadLocker& operator=(const ReadLocker&) = delete;

private:
    Lock& lock_;
};
