#include "AudioThreadWatch.h"

#include <dlfcn.h>
#include <linux/futex.h>
#include <pthread.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define VIMBREL_SANITIZER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VIMBREL_SANITIZER_ALLOCATOR 1
#endif
#endif

#if VIMBREL_SANITIZER_ALLOCATOR
#include <sanitizer/allocator_interface.h>
#endif

namespace vimbrel::realtime
{
namespace
{
thread_local bool inside = false;
thread_local Counts counts;

// Where this program is loaded: a lock its own code takes (the test's host) is not the plug-in's.
const void* programBase = nullptr;

// The main thread's id in the kernel, as a held mutex names its holder.
std::atomic<int> messageThread { 0 };

bool isInThisProgram (const void* address)
{
    Dl_info info;
    return dladdr (address, &info) != 0 && info.dli_fbase == programBase;
}

void note (long Counts::*what)
{
    if (inside)
        ++(counts.*what);
}

void noteWait (const char* what, const void* caller, int holder = 0)
{
    if (! inside)
        return;

    if (counts.waits++ == 0)
    {
        counts.firstWait = what;
        counts.firstWaitCaller = caller;
        counts.firstWaitHolder = holder;
    }
}

// The module and the offset in it, and the function where the module names it.
std::string whereIs (const void* address)
{
    Dl_info info;
    if (dladdr (address, &info) == 0)
        return "an address no module holds";

    char offset[32];
    std::snprintf (offset, sizeof offset, "+0x%zx", (size_t) ((const char*) address - (const char*) info.dli_fbase));
    return std::string (info.dli_fname) + offset +
           (info.dli_sname != nullptr ? std::string (" (") + info.dli_sname + ")" : "");
}

// The C library's own function behind one of ours: looked up when first needed, which
// startWatching makes sure happens before the watched threads run.
class Next
{
public:
    constexpr Next (const char* functionName, const char* functionVersion = nullptr)
        : name (functionName), version (functionVersion)
    {
    }

    template <typename Function>
    Function* get()
    {
        void* found = address.load (std::memory_order_acquire);
        if (found == nullptr)
        {
            found = version != nullptr ? dlvsym (RTLD_NEXT, name, version) : dlsym (RTLD_NEXT, name);
            address.store (found, std::memory_order_release);
        }
        return reinterpret_cast<Function*> (found);
    }

private:
    const char* name;
    const char* version;
    std::atomic<void*> address { nullptr };
};

Next nextWrite { "write" }, nextWritev { "writev" }, nextSend { "send" }, nextSendto { "sendto" },
    nextSendmsg { "sendmsg" }, nextSyscall { "syscall" }, nextMutexLock { "pthread_mutex_lock" },
    nextSchedYield { "sched_yield" }, nextNanosleep { "nanosleep" }, nextClockNanosleep { "clock_nanosleep" },
    nextUsleep { "usleep" },
    // Today's condition variables: a plain look-up finds the old ones the library keeps for old programs.
    nextCondWait { "pthread_cond_wait", "GLIBC_2.3.2" }, nextCondTimedwait { "pthread_cond_timedwait", "GLIBC_2.3.2" };

void noteWrite (int fd)
{
    if (! inside)
        return;

    ++counts.writes;
    struct stat status;
    if (fstat (fd, &status) == 0 && S_ISSOCK (status.st_mode))
        ++counts.socketWrites;
}

#if VIMBREL_SANITIZER_ALLOCATOR
void onAllocation (const volatile void*, std::size_t) { note (&Counts::allocations); }

void onRelease (const volatile void* block)
{
    if (block != nullptr)
        note (&Counts::releases);
}
#endif
} // namespace

std::string describe (const Counts& c)
{
    return std::to_string (c.allocations) + " allocations, " + std::to_string (c.releases) + " releases, " +
           std::to_string (c.writes) + " writes (" + std::to_string (c.socketWrites) + " to a socket), " +
           std::to_string (c.waits) + " waits, " + std::to_string (c.locks) + " locks" +
           (c.firstWait == nullptr
                ? std::string()
                : std::string ("; the first wait: ") + c.firstWait + ", called from " + whereIs (c.firstWaitCaller) +
                      (c.firstWaitHolder == 0 ? std::string()
                       : c.firstWaitHolder == messageThread.load()
                           ? std::string (", held by the message thread")
                           : ", held by thread " + std::to_string (c.firstWaitHolder)));
}

InsideProcess::InsideProcess() { inside = true; }

InsideProcess::~InsideProcess() { inside = false; }

Counts takeCounts()
{
    const auto taken = counts;
    counts = {};
    return taken;
}

void startWatching()
{
    Dl_info info;
    if (dladdr (reinterpret_cast<const void*> (&startWatching), &info) == 0)
        std::abort();
    programBase = info.dli_fbase;
    messageThread = (int) gettid();

#if VIMBREL_SANITIZER_ALLOCATOR
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks (onAllocation, onRelease) != 0;
    if (! hooked)
        std::abort();
#endif

    for (auto* next :
         { &nextWrite, &nextWritev, &nextSend, &nextSendto, &nextSendmsg, &nextSyscall, &nextMutexLock, &nextSchedYield,
           &nextNanosleep, &nextClockNanosleep, &nextUsleep, &nextCondWait, &nextCondTimedwait })
        if (next->get<void()>() == nullptr)
            std::abort();
}
} // namespace vimbrel::realtime

using vimbrel::realtime::Counts;
using vimbrel::realtime::note;
using vimbrel::realtime::noteWait;
using vimbrel::realtime::noteWrite;

extern "C"
{
#if ! VIMBREL_SANITIZER_ALLOCATOR
    // The C library's allocator under its own names, which stay bound to it.
    void* __libc_malloc (std::size_t) noexcept;
    void* __libc_calloc (std::size_t, std::size_t) noexcept;
    void* __libc_realloc (void*, std::size_t) noexcept;
    void __libc_free (void*) noexcept;

    // operator new and delete come here through the C++ library.
    void* malloc (std::size_t size) noexcept
    {
        note (&Counts::allocations);
        return __libc_malloc (size);
    }

    void* calloc (std::size_t count, std::size_t size) noexcept
    {
        note (&Counts::allocations);
        return __libc_calloc (count, size);
    }

    void* realloc (void* block, std::size_t size) noexcept
    {
        note (&Counts::allocations);
        return __libc_realloc (block, size);
    }

    void free (void* block) noexcept
    {
        if (block != nullptr)
            note (&Counts::releases);
        __libc_free (block);
    }
#endif

    ssize_t write (int fd, const void* data, size_t size)
    {
        noteWrite (fd);
        return vimbrel::realtime::nextWrite.get<decltype (write)>() (fd, data, size);
    }

    ssize_t writev (int fd, const struct iovec* parts, int count)
    {
        noteWrite (fd);
        return vimbrel::realtime::nextWritev.get<decltype (writev)>() (fd, parts, count);
    }

    ssize_t send (int fd, const void* data, size_t size, int flags)
    {
        noteWrite (fd);
        return vimbrel::realtime::nextSend.get<decltype (send)>() (fd, data, size, flags);
    }

    ssize_t sendto (int fd, const void* data, size_t size, int flags, const struct sockaddr* to, socklen_t length)
    {
        noteWrite (fd);
        return vimbrel::realtime::nextSendto.get<decltype (sendto)>() (fd, data, size, flags, to, length);
    }

    ssize_t sendmsg (int fd, const struct msghdr* message, int flags)
    {
        noteWrite (fd);
        return vimbrel::realtime::nextSendmsg.get<decltype (sendmsg)>() (fd, message, flags);
    }

    // A lock that another thread holds makes the caller wait in the kernel.
    int pthread_mutex_lock (pthread_mutex_t* mutex) noexcept
    {
        if (vimbrel::realtime::inside)
        {
            if (! vimbrel::realtime::isInThisProgram (__builtin_return_address (0)))
                note (&Counts::locks);
            if (pthread_mutex_trylock (mutex) == 0)
                return 0;
            noteWait ("a mutex another thread held", __builtin_return_address (0), mutex->__data.__owner);
        }
        return vimbrel::realtime::nextMutexLock.get<decltype (pthread_mutex_lock)>() (mutex);
    }

    int pthread_cond_wait (pthread_cond_t* condition, pthread_mutex_t* mutex)
    {
        noteWait ("a condition", __builtin_return_address (0));
        return vimbrel::realtime::nextCondWait.get<decltype (pthread_cond_wait)>() (condition, mutex);
    }

    int pthread_cond_timedwait (pthread_cond_t* condition, pthread_mutex_t* mutex, const struct timespec* until)
    {
        noteWait ("a condition", __builtin_return_address (0));
        return vimbrel::realtime::nextCondTimedwait.get<decltype (pthread_cond_timedwait)>() (condition, mutex, until);
    }

    // Futex waits made directly, as the C++ library's atomic waits make them.
    long syscall (long number, ...) noexcept
    {
        va_list list;
        va_start (list, number);
        long a[6];
        for (auto& argument : a)
            argument = va_arg (list, long);
        va_end (list);

        if (number == SYS_futex)
            switch ((int) a[1] & FUTEX_CMD_MASK)
            {
                case FUTEX_WAIT:
                case FUTEX_WAIT_BITSET:
                case FUTEX_LOCK_PI:
                case FUTEX_WAIT_REQUEUE_PI: noteWait ("a futex", __builtin_return_address (0)); break;
                default: break;
            }

        return vimbrel::realtime::nextSyscall.get<decltype (syscall)>() (number, a[0], a[1], a[2], a[3], a[4], a[5]);
    }

    int sched_yield() noexcept
    {
        noteWait ("a yield", __builtin_return_address (0));
        return vimbrel::realtime::nextSchedYield.get<decltype (sched_yield)>()();
    }

    int nanosleep (const struct timespec* duration, struct timespec* remaining)
    {
        noteWait ("a sleep", __builtin_return_address (0));
        return vimbrel::realtime::nextNanosleep.get<decltype (nanosleep)>() (duration, remaining);
    }

    int clock_nanosleep (clockid_t clock, int flags, const struct timespec* duration, struct timespec* remaining)
    {
        noteWait ("a sleep", __builtin_return_address (0));
        return vimbrel::realtime::nextClockNanosleep.get<decltype (clock_nanosleep)>() (clock, flags, duration,
                                                                                        remaining);
    }

    int usleep (useconds_t microseconds)
    {
        noteWait ("a sleep", __builtin_return_address (0));
        return vimbrel::realtime::nextUsleep.get<decltype (usleep)>() (microseconds);
    }
}
