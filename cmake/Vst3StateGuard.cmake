# The framework's VST3 layer appends a private-data section (its bypass state) to the saved
# state and, when the state comes back, trusts the length stored just before the trailing
# "JUCEPrivateData" marker: a damaged project makes it read outside the block, or parse a
# garbage section that can keep it looping for minutes or ask for gigabytes, and the host
# dies with us. The layer offers no hook for this, so the build compiles a copy of the
# module's VST3 translation unit with a guard of our own, and leaves the installed framework
# untouched.
#
# The guard sits just before the statement that strips the trailer. A state whose trailer
# points outside the block, or whose private section is not exactly what the layer writes,
# is ignored whole: the plug-in keeps its settings.
#
# The copy mends one more thing. In every block the layer processes, it copies each input bus's
# channel map, which holds a std::vector (ClientBufferMapperData::setUpInputChannels in the
# processors module's juce_VST3Common.h): an allocation and a release on the audio thread. The
# copy includes a copy of that header that reads the map in place. A framework that no longer
# copies the map needs no mend; the real-time test (tests/realtime) counts every allocation.

function(vimbrel_guard_vst3_state_restore)
    set(module_dir "${JUCE_MODULES_DIR}/juce_audio_plugin_client")
    set(copy_dir "${CMAKE_BINARY_DIR}/guarded_modules/juce_audio_plugin_client")
    set(wrapper "VST3/juce_VST3_Wrapper.cpp")
    set(anchor "                size -= privateDataSize + jucePrivDataIdentifierSize + sizeof (uint64);\n")

    # A framework update changes these files and so runs this again.
    file(GLOB_RECURSE module_files "${module_dir}/*")
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${module_files}
                 "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Vst3StateGuard.cpp.in")

    file(READ "${module_dir}/${wrapper}" source)
    string(REGEX MATCHALL "size -= privateDataSize \\+ jucePrivDataIdentifierSize" matches "${source}")
    list(LENGTH matches count)
    string(FIND "${source}" "${anchor}" at)

    if(NOT count EQUAL 1 OR at EQUAL -1)
        message(FATAL_ERROR "The framework's VST3 state reader has changed (${module_dir}/${wrapper}): "
                            "the statement the saved-state guard must precede was found ${count} times. "
                            "Review cmake/Vst3StateGuard.cmake against the new framework.")
    endif()

    file(READ "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Vst3StateGuard.cpp.in" guard)
    string(REPLACE "${anchor}" "${guard}${anchor}" guarded "${source}")

    set(common "${JUCE_MODULES_DIR}/juce_audio_processors/format_types/juce_VST3Common.h")
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${common}")
    set(map_copy "            const auto mapping = map[busIndex];\n")
    file(READ "${common}" common_source)
    string(FIND "${common_source}" "${map_copy}" at)

    if(NOT at EQUAL -1)
        set(installed_common "#include <juce_audio_processors/format_types/juce_VST3Common.h>")
        string(FIND "${guarded}" "${installed_common}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "The framework's VST3 layer (${module_dir}/${wrapper}) no longer includes "
                                "juce_VST3Common.h as the mend of its channel-map copy expects. "
                                "Review cmake/Vst3StateGuard.cmake.")
        endif()

        string(REPLACE "${map_copy}" "            const auto& mapping = map[busIndex];\n" common_source
                       "${common_source}")
        file(WRITE "${copy_dir}/VST3/juce_VST3Common.h.new" "${common_source}")
        file(COPY_FILE "${copy_dir}/VST3/juce_VST3Common.h.new" "${copy_dir}/VST3/juce_VST3Common.h" ONLY_IF_DIFFERENT)
        file(REMOVE "${copy_dir}/VST3/juce_VST3Common.h.new")
        string(REPLACE "${installed_common}" "#include \"juce_VST3Common.h\"" guarded "${guarded}")
    endif()

    # Rewrite the copy only when it differs, so a configure run does not force a rebuild.
    file(COPY "${module_dir}/" DESTINATION "${copy_dir}" PATTERN "juce_VST3_Wrapper.cpp" EXCLUDE
         PATTERN "juce_IncludeModuleHeaders.h" EXCLUDE)
    file(WRITE "${copy_dir}/${wrapper}.new" "${guarded}")
    file(COPY_FILE "${copy_dir}/${wrapper}.new" "${copy_dir}/${wrapper}" ONLY_IF_DIFFERENT)
    file(REMOVE "${copy_dir}/${wrapper}.new")

    # The copy must include its own module header, not the installed one that the include path
    # finds: clang tells the two apart, and would then see the client's definitions twice.
    set(headers "utility/juce_IncludeModuleHeaders.h")
    set(installed_include "#include <juce_audio_plugin_client/juce_audio_plugin_client.h>")
    file(READ "${module_dir}/${headers}" header_source)
    string(FIND "${header_source}" "${installed_include}" at)

    if(at EQUAL -1)
        message(FATAL_ERROR "The framework's ${module_dir}/${headers} no longer includes its module header as "
                            "the saved-state guard expects. Review cmake/Vst3StateGuard.cmake.")
    endif()

    string(REPLACE "${installed_include}" "#include \"../juce_audio_plugin_client.h\"" header_source "${header_source}")
    file(WRITE "${copy_dir}/${headers}.new" "${header_source}")
    file(COPY_FILE "${copy_dir}/${headers}.new" "${copy_dir}/${headers}" ONLY_IF_DIFFERENT)
    file(REMOVE "${copy_dir}/${headers}.new")

    get_target_property(sources juce_audio_plugin_client_VST3 INTERFACE_SOURCES)
    list(TRANSFORM sources REPLACE "^${module_dir}/" "${copy_dir}/" OUTPUT_VARIABLE guarded_sources)

    if(sources STREQUAL guarded_sources)
        message(FATAL_ERROR "The VST3 client's sources are no longer taken from ${module_dir}; "
                            "the saved-state guard cannot be applied.")
    endif()

    set_property(TARGET juce_audio_plugin_client_VST3 PROPERTY INTERFACE_SOURCES "${guarded_sources}")
endfunction()

vimbrel_guard_vst3_state_restore()
