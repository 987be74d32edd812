// Annotations for clang's thread-safety analysis (-Wthread-safety): which lock
// guards a field, which locks a function needs or must not hold, and which
// classes are locks. Other compilers see nothing.
#pragma once

#if defined(__clang__)
#define ULVO_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define ULVO_THREAD_ANNOTATION(x)
#endif

// A class whose objects are locks.
#define CAPABILITY(name) ULVO_THREAD_ANNOTATION(capability(name))
// A class that holds a lock for its lifetime.
#define SCOPED_CAPABILITY ULVO_THREAD_ANNOTATION(scoped_lockable)

// The field is read and written only while the lock is held.
#define GUARDED_BY(lock) ULVO_THREAD_ANNOTATION(guarded_by(lock))
// What the pointer points to is read and written only while the lock is held.
#define PT_GUARDED_BY(lock) ULVO_THREAD_ANNOTATION(pt_guarded_by(lock))

// The caller holds the locks.
#define REQUIRES(...) ULVO_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
// The caller does not hold the locks (the function takes them).
#define EXCLUDES(...) ULVO_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
// The function takes or gives back the locks.
#define ACQUIRE(...) ULVO_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define RELEASE(...) ULVO_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
// The function returns a reference to that lock.
#define LOCK_RETURNED(lock) ULVO_THREAD_ANNOTATION(lock_returned(lock))
