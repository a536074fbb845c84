# Warnings for the project's own code. The framework's module sources, compiled into the same
# targets, keep the framework's own settings. The parameter and gesture calls of the
# index-based parameter interface are deprecated by the framework and used on purpose, so
# that one deprecation is silenced here, for our code only.
set(VIMBREL_WARNING_FLAGS -Wall -Wextra -Woverloaded-virtual -Wno-deprecated-declarations)

# For targets that compile only our code.
function(vimbrel_project_warnings target)
    target_compile_options(${target} PRIVATE ${VIMBREL_WARNING_FLAGS})
endfunction()

# For our sources inside targets that also compile framework modules.
function(vimbrel_project_sources target)
    target_sources(${target} PRIVATE ${ARGN})
    set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS "${VIMBREL_WARNING_FLAGS}")
endfunction()
