# The checking builds. VIMBREL_SANITIZERS builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (the unit, hosted and window tests run in it); with
# VIMBREL_FUZZERS as well (clang only) the same build makes the fuzzers, so that the framework
# is compiled once for both. VIMBREL_THREAD_SANITIZER builds with ThreadSanitizer, for the race
# test. These builds look for faults, not speed: they compile at -O1 with line tables only,
# which is much quicker than the release flags and still gives stacks with files and lines.
option(VIMBREL_SANITIZERS "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VIMBREL_FUZZERS "Build the fuzzers too (clang, with VIMBREL_SANITIZERS)" OFF)
option(VIMBREL_THREAD_SANITIZER "Build everything with ThreadSanitizer" OFF)

if(VIMBREL_SANITIZERS AND VIMBREL_THREAD_SANITIZER)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer: use two builds.")
endif()

if(VIMBREL_FUZZERS AND NOT (VIMBREL_SANITIZERS AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
    message(FATAL_ERROR "VIMBREL_FUZZERS needs clang (libFuzzer) and VIMBREL_SANITIZERS=ON.")
endif()

set(vimbrel_sanitizer_flags "")
if(VIMBREL_SANITIZERS)
    set(vimbrel_sanitizer_flags -fsanitize=address,undefined)
elseif(VIMBREL_THREAD_SANITIZER)
    set(vimbrel_sanitizer_flags -fsanitize=thread)
endif()

if(vimbrel_sanitizer_flags)
    add_compile_options(${vimbrel_sanitizer_flags} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(${vimbrel_sanitizer_flags})

    # The framework's recommended flags add -O3 to release builds after ours; these builds use
    # a build type of their own instead.
    if(CMAKE_BUILD_TYPE STREQUAL "Release")
        message(FATAL_ERROR "Configure a sanitizer build with -DCMAKE_BUILD_TYPE=Check.")
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        set(CMAKE_CXX_FLAGS_CHECK "-O1 -gline-tables-only")
    else()
        set(CMAKE_CXX_FLAGS_CHECK "-O1 -g1")
    endif()
    set(CMAKE_C_FLAGS_CHECK "${CMAKE_CXX_FLAGS_CHECK}")
endif()

# vimbrel_checked_plugin(<shared code target> <bundle target>): what the checking builds need
# of the plug-in's targets. The fuzzers steer by the coverage of the shared code (ours and the
# framework's that it runs) and of the bundle's own part, the framework's VST3 layer, whose state
# reading one of them drives. Clang links a sanitizer's runtime into the executable alone, so
# the bundle leaves its calls into it for the host program to resolve, which the framework's
# --no-undefined would refuse.
function(vimbrel_checked_plugin shared_code bundle)
    if(VIMBREL_FUZZERS)
        target_compile_options(${shared_code} PRIVATE -fsanitize=fuzzer-no-link)
        target_compile_options(${bundle} PRIVATE -fsanitize=fuzzer-no-link)
    endif()

    if(vimbrel_sanitizer_flags AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        target_link_options(${bundle} PRIVATE -Wl,-z,undefs)
    endif()
endfunction()
