#pragma once

#include <string>

// Counts what a thread does that an audio thread must not: allocate or free memory, write to a
// file or a socket (a message posted to the framework's message queue on Linux is a byte written
// to a socket), wait (a lock another thread holds, a condition, a futex, a sleep or a yield) and
// take a lock at all. Only a thread inside an InsideProcess mark is counted, and each thread has
// its own counts.
//
// The program puts functions of its own in front of the C library's (see AudioThreadWatch.cpp);
// the plug-in bundle it loads calls them too, as the program exports them. Under the sanitizers,
// whose allocator replaces the C library's, allocations are counted through the allocator's hooks.
namespace vimbrel::realtime
{
struct Counts
{
    long allocations = 0;  // malloc, calloc, realloc, operator new
    long releases = 0;     // free, operator delete
    long writes = 0;       // write, writev, send, sendto, sendmsg
    long socketWrites = 0; // of those, to a socket: how the framework posts a message on Linux
    long waits = 0;        // a lock held by another thread, a condition, a futex, a sleep, a yield
    long locks = 0;        // every lock the plug-in takes (the program's own are left out), waiting or not

    // The first wait, to tell where it came from: what waited, the code that called it and, for a
    // lock, the thread that held it (its id in the kernel; 0 when it let go before it was read).
    const char* firstWait = nullptr;
    const void* firstWaitCaller = nullptr;
    int firstWaitHolder = 0;
};

// The counts, and where the first wait came from if there was one.
std::string describe (const Counts&);

// Marks the calling thread as inside a process call for the life of the object.
class InsideProcess
{
public:
    InsideProcess();
    ~InsideProcess();

    InsideProcess (const InsideProcess&) = delete;
    InsideProcess& operator= (const InsideProcess&) = delete;
};

// What the calling thread did inside its marks since it last asked; starts counting afresh.
Counts takeCounts();

// Makes the watch ready before the threads it watches start (resolves the C library's functions,
// installs the allocator hooks where there are sanitizers). Call on the main thread, the
// message thread of the plug-ins it loads.
void startWatching();
} // namespace vimbrel::realtime
