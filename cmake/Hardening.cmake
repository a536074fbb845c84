# The release build's hardening: the flags Debian's dpkg-buildflags gives for hardening=+all
# (fortified functions, stack protector, format checks, read-only relocations bound at load
# time; a newer dpkg adds clash and control-flow protection), and only those. Its -O2 and -g
# would replace the project's optimisation level, which the engine's speed depends on; none of
# the hardening flags touches floating-point arithmetic. The checking builds (sanitizers, -O1)
# and debug builds take none.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$" AND NOT (VIMBREL_SANITIZERS OR VIMBREL_THREAD_SANITIZER))
    set(vimbrel_hardening_default ON)
else()
    set(vimbrel_hardening_default OFF)
endif()
option(VIMBREL_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ${vimbrel_hardening_default})

if(VIMBREL_HARDENING)
    find_program(VIMBREL_DPKG_BUILDFLAGS dpkg-buildflags)
    if(NOT VIMBREL_DPKG_BUILDFLAGS)
        message(FATAL_ERROR "VIMBREL_HARDENING needs dpkg-buildflags (Debian: dpkg-dev), or -DVIMBREL_HARDENING=OFF")
    endif()

    # vimbrel_hardening_flags(<CPPFLAGS|CXXFLAGS|LDFLAGS> <out list>): the hardening flags among Debian's.
    function(vimbrel_hardening_flags kind out)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${VIMBREL_DPKG_BUILDFLAGS} --get ${kind}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags INCLUDE REGEX "^(-D_FORTIFY_SOURCE=|-fstack-protector|-fstack-clash-protection|-fcf-protection|-Wformat|-Werror=format-security|-Wl,-z,(relro|now)$)")
        set(${out} ${flags} PARENT_SCOPE)
    endfunction()

    vimbrel_hardening_flags(CPPFLAGS vimbrel_hardening_cppflags)
    vimbrel_hardening_flags(CXXFLAGS vimbrel_hardening_cxxflags)
    vimbrel_hardening_flags(LDFLAGS vimbrel_hardening_ldflags)
    foreach(required -D_FORTIFY_SOURCE= -fstack-protector -Wl,-z,relro -Wl,-z,now)
        if(NOT "${vimbrel_hardening_cppflags};${vimbrel_hardening_cxxflags};${vimbrel_hardening_ldflags}" MATCHES "(^|;)${required}")
            message(FATAL_ERROR "dpkg-buildflags gave no ${required}")
        endif()
    endforeach()

    add_compile_options(${vimbrel_hardening_cppflags} ${vimbrel_hardening_cxxflags})
    add_link_options(${vimbrel_hardening_ldflags})
    list(JOIN vimbrel_hardening_cppflags " " shown)
    foreach(kind cxxflags ldflags)
        list(JOIN vimbrel_hardening_${kind} " " flags)
        string(APPEND shown " ${flags}")
    endforeach()
    message(STATUS "Hardening: ${shown}")
endif()
