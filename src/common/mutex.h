// Locks that clang's thread-safety analysis can read: the standard mutexes carry
// no annotations, so these wrap them, and MutexLock holds one for a scope.
#pragma once

#include <pthread.h>

#include <mutex>
#include <type_traits>

#include "common/thread_annotations.h"

namespace ulvo {

// One of the standard mutexes, as a lock the analysis knows.
template <class StandardMutex>
class CAPABILITY("mutex") AnnotatedMutex {
  public:
    AnnotatedMutex() = default;
    // A standard mutex over POSIX threads never destroys its native mutex: its
    // destructor does nothing. mingw-w64's threads library gives a recursive
    // mutex an event the first time two threads contend for it and takes the
    // event back only when the mutex is destroyed, so each contended lock of an
    // object that came and went left an event handle behind. Destroyed here.
    ~AnnotatedMutex() {
        if constexpr (std::is_trivially_destructible_v<StandardMutex> &&
                      std::is_same_v<typename StandardMutex::native_handle_type,
                                     pthread_mutex_t*>) {
            pthread_mutex_destroy(mutex.native_handle());
        }
    }
    AnnotatedMutex(const AnnotatedMutex&) = delete;
    AnnotatedMutex& operator=(const AnnotatedMutex&) = delete;

    void Lock() ACQUIRE() { mutex.lock(); }
    void Unlock() RELEASE() { mutex.unlock(); }

  private:
    StandardMutex mutex;
};

using Mutex = AnnotatedMutex<std::mutex>;
// A lock the thread that holds it may take again.
using RecursiveMutex = AnnotatedMutex<std::recursive_mutex>;

template <class Lockable>
class SCOPED_CAPABILITY MutexLock {
  public:
    explicit MutexLock(Lockable& lockable_) ACQUIRE(lockable_) : lockable(lockable_) {
        lockable.Lock();
    }
    ~MutexLock() RELEASE() { lockable.Unlock(); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

  private:
    Lockable& lockable;
};

}  // namespace ulvo
