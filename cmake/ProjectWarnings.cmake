# Warnings for the project's own code: the framework's recommended set, read from its own target
# so that there is one list. The framework's module sources, compiled into the same targets,
# keep the framework's settings. CI makes them errors. A framework deprecation that the plug-in
# relies on on purpose (the index-based parameter interface) is silenced around its call.
option(VIMBREL_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" OFF)

get_target_property(VIMBREL_WARNING_FLAGS juce_recommended_warning_flags INTERFACE_COMPILE_OPTIONS)
if(VIMBREL_WARNINGS_AS_ERRORS)
    list(APPEND VIMBREL_WARNING_FLAGS -Werror)
endif()

# For targets that compile only our code.
function(vimbrel_project_warnings target)
    target_compile_options(${target} PRIVATE ${VIMBREL_WARNING_FLAGS})
endfunction()

# For our sources inside targets that also compile framework modules.
function(vimbrel_project_sources target)
    target_sources(${target} PRIVATE ${ARGN})
    set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS "${VIMBREL_WARNING_FLAGS}")
endfunction()
