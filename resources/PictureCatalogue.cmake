# The front-panel pictures, listed once. The embedding (resources/CMakeLists.txt), the look and
# feel, the artwork generator and the tests all derive from this list through the generated
# header PictureCatalogue.h.
#
# Each group is one folder under images/ and one namespace in the code; its pictures are listed
# in stored order, the order in which the look and feel keeps them, its frame formulas count and
# its button states are numbered:
#
#   vimbrel_picture_group(<namespace> [FOLDER <folder>] SIZE <width> <height> [OPAQUE]
#                         [PREFIX <prefix>] FRAMES <count> [FIRST <number>] [DIGITS <digits>])
#   vimbrel_picture_group(<namespace> ... [PREFIX <prefix>] NAMES <name>...)
#
# A picture's file name is the prefix followed by its frame number or its name, then ".png".
# The folder defaults to the namespace; every picture is RGBA but the OPAQUE (RGB) ones.
#
# Every picture is drawn twice, in two sets of the same folders and file names: images/ at the
# listed size, and images@2x/ at twice the size each way, for screens scaled above 100 %.

set(VIMBREL_PICTURE_SETS images images@2x)
set(VIMBREL_PICTURE_SET_SCALES 1 2)
set(VIMBREL_PICTURE_GROUPS "")

function(vimbrel_picture_group namespace)
    cmake_parse_arguments(PARSE_ARGV 1 arg "OPAQUE" "FOLDER;PREFIX;FRAMES;FIRST;DIGITS" "SIZE;NAMES")

    if(NOT arg_FOLDER)
        set(arg_FOLDER ${namespace})
    endif()

    if(arg_FRAMES)
        if(NOT arg_FIRST)
            set(arg_FIRST 0)
        endif()

        math(EXPR last "${arg_FIRST} + ${arg_FRAMES} - 1")

        foreach(frame RANGE ${arg_FIRST} ${last})
            string(LENGTH "${frame}" length)

            while(arg_DIGITS AND length LESS arg_DIGITS)
                string(PREPEND frame "0")
                string(LENGTH "${frame}" length)
            endwhile()

            list(APPEND arg_NAMES ${frame})
        endforeach()
    endif()

    list(TRANSFORM arg_NAMES PREPEND "${arg_PREFIX}")
    list(GET arg_SIZE 0 width)
    list(GET arg_SIZE 1 height)

    set(prefix VIMBREL_PICTURES_${namespace})
    set(${prefix}_FOLDER ${arg_FOLDER} PARENT_SCOPE)
    set(${prefix}_WIDTH ${width} PARENT_SCOPE)
    set(${prefix}_HEIGHT ${height} PARENT_SCOPE)
    set(${prefix}_OPAQUE ${arg_OPAQUE} PARENT_SCOPE)
    set(${prefix}_PREFIX "${arg_PREFIX}" PARENT_SCOPE)
    set(${prefix}_NAMES ${arg_NAMES} PARENT_SCOPE)
    set(VIMBREL_PICTURE_GROUPS ${VIMBREL_PICTURE_GROUPS} ${namespace} PARENT_SCOPE)
endfunction()

vimbrel_picture_group(bg SIZE 876 300 OPAQUE NAMES bg)
vimbrel_picture_group(knob SIZE 91 91 PREFIX knobsfinal FRAMES 115 DIGITS 4)
vimbrel_picture_group(knob3 SIZE 91 91 PREFIX trippleknob FRAMES 3 FIRST 1)
# The eleventh position's file name carries a second underscore.
vimbrel_picture_group(knob12 SIZE 91 91 PREFIX pleknob NAMES 1 2 3 4 5 6 7 8 9 10 11_ 12)
vimbrel_picture_group(cateye SIZE 86 86 PREFIX cats_eye_small FRAMES 25 DIGITS 4)
vimbrel_picture_group(fader SIZE 27 32 NAMES fader)
vimbrel_picture_group(btn1 SIZE 60 42 PREFIX btn1 NAMES off offover on onover)
vimbrel_picture_group(btn2 SIZE 56 42 PREFIX btn2 NAMES off offover on onover)
vimbrel_picture_group(btn3 SIZE 60 42 PREFIX btn3 NAMES off offover on onover)
vimbrel_picture_group(classic SIZE 50 22 PREFIX btn_tempo_classic_ NAMES off on over)
vimbrel_picture_group(manual SIZE 50 22 PREFIX btn_tempo_manual_ NAMES off on over)
vimbrel_picture_group(host SIZE 42 22 PREFIX btn_tempo_host_ NAMES off on over)
# The beat-fraction folders are named after their legends, their namespaces after the keys.
vimbrel_picture_group(btn58 FOLDER 58 SIZE 31 20 PREFIX btn_bpm_58_ NAMES off on over disabled)
vimbrel_picture_group(btn68 FOLDER 6-8 SIZE 31 20 PREFIX btn_bpm_68_ NAMES off on over disabled)
vimbrel_picture_group(btn78 FOLDER 7-8 SIZE 31 20 PREFIX btn_bpm_78_ NAMES off on over disabled)
vimbrel_picture_group(btn88 FOLDER 8-8 SIZE 31 20 PREFIX btn_bpm_88_ NAMES off on over disabled)

# Writes PictureCatalogue.h, the list above as C++, into <folder>.
function(vimbrel_write_picture_catalogue folder)
    set(entries "")
    set(group_addresses "")

    foreach(group IN LISTS VIMBREL_PICTURE_GROUPS)
        set(prefix VIMBREL_PICTURES_${group})
        list(JOIN ${prefix}_NAMES "\", \"" names)

        if(${prefix}_OPAQUE)
            set(alpha false)
        else()
            set(alpha true)
        endif()

        string(APPEND entries
            "inline constexpr std::string_view ${group}Names[] { \"${names}\" };\n"
            "inline constexpr PictureGroup ${group} { \"${group}\", \"${${prefix}_FOLDER}\", "
            "${${prefix}_WIDTH}, ${${prefix}_HEIGHT}, ${alpha}, \"${${prefix}_PREFIX}\", ${group}Names };\n\n")
        list(APPEND group_addresses "&${group}")
    endforeach()

    set(sets "")

    foreach(set_folder scale IN ZIP_LISTS VIMBREL_PICTURE_SETS VIMBREL_PICTURE_SET_SCALES)
        string(APPEND sets "    { \"${set_folder}\", ${scale} },\n")
    endforeach()

    list(LENGTH VIMBREL_PICTURE_SETS set_count)
    list(LENGTH VIMBREL_PICTURE_GROUPS group_count)
    list(JOIN group_addresses ", " group_addresses)
    configure_file("${VIMBREL_PICTURE_CATALOGUE_DIR}/PictureCatalogue.h.in" "${folder}/PictureCatalogue.h" @ONLY)
endfunction()

set(VIMBREL_PICTURE_CATALOGUE_DIR "${CMAKE_CURRENT_LIST_DIR}")
