// Locks that clang's thread-safety analysis can read: the standard mutexes carry
// no annotations, so these wrap them, and MutexLock holds one for a scope.
#pragma once

#include <mutex>

#include "common/thread_annotations.h"

namespace ulvo {

class CAPABILITY("mutex") Mutex {
  public:
    void Lock() ACQUIRE() { mutex.lock(); }
    void Unlock() RELEASE() { mutex.unlock(); }

  private:
    std::mutex mutex;
};

// A lock the thread that holds it may take again.
class CAPABILITY("mutex") RecursiveMutex {
  public:
    void Lock() ACQUIRE() { mutex.lock(); }
    void Unlock() RELEASE() { mutex.unlock(); }

  private:
    std::recursive_mutex mutex;
};

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
