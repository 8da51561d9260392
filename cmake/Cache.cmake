# Where the dependencies that scripts/setup.sh installs live, outside the clone so that every
# clone on the machine shares them (scripts/cache-dir.sh names the same folder), and the
# compiler cache: ccache, when installed, with paths made relative to the source tree so
# that two clones of the project hit the same entries.
if(NOT "$ENV{QF_CACHE_DIR}" STREQUAL "")
    set(QF_CACHE_DIR_DEFAULT "$ENV{QF_CACHE_DIR}")
elseif(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(QF_CACHE_DIR_DEFAULT "$ENV{XDG_CACHE_HOME}/quillfarrow-optimizer")
elseif(NOT "$ENV{HOME}" STREQUAL "")
    set(QF_CACHE_DIR_DEFAULT "$ENV{HOME}/.cache/quillfarrow-optimizer")
else()
    set(QF_CACHE_DIR_DEFAULT "${CMAKE_SOURCE_DIR}/.deps")
endif()
set(QF_DEPS_DIR "${QF_CACHE_DIR_DEFAULT}/deps" CACHE PATH "Where scripts/setup.sh puts dependencies")

find_program(QF_CCACHE ccache)
if(QF_CCACHE AND NOT MSVC)
    # Absolute paths below the source tree become relative in what ccache hashes, and the
    # build folder, which is not hashed, stands in for itself in the debug information.
    set(QF_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
                    ${QF_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${QF_LAUNCHER})
    set(CMAKE_C_COMPILER_LAUNCHER ${QF_LAUNCHER})
    add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>)
endif()
