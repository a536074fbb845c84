#include "../processor/EchoPluginProcessor.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace
{
constexpr std::size_t hugePage = 2 << 20;
}

// Every sample reads 64 delay lines from 28 rings far apart in memory, more pages than the processor's
// first address cache holds. The block is aligned to the large pages the system may back it
// with, and offered for them; where the system has none, it is ordinary memory.
void* NewProjectAudioProcessor::operator new (std::size_t size)
{
    const std::size_t rounded = (size + hugePage - 1) / hugePage * hugePage;

    if (void* block = std::aligned_alloc (hugePage, rounded))
    {
        madvise (block, rounded, MADV_HUGEPAGE);
        return block;
    }

    throw std::bad_alloc();
}

void NewProjectAudioProcessor::operator delete (void* block) noexcept { std::free (block); }
