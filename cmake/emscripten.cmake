# Cross build of the core for the browser: Debian's emscripten (emcc 3.1.6,
# clang 14, libc++ 14, musl) to WebAssembly, tests run under Node.js.
#
#   cmake -S . -B build-web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
#
# Node.js 20 (the machine's, not Debian's) needs two things that Debian's
# emscripten does not say:
# - a program of emscripten 3.1.6 under Node 20 fetches its .wasm as a URL
#   unless Node's own fetch is off (--no-experimental-fetch);
# - the link step's JavaScript optimiser (-O2 and up) finds Debian's acorn
#   only through NODE_PATH.
find_program(TAVRI_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${TAVRI_NODE};--no-experimental-fetch")

find_program(TAVRI_EMCC emcc REQUIRED)
execute_process(COMMAND em-config EMSCRIPTEN_ROOT
                OUTPUT_VARIABLE TAVRI_EMSCRIPTEN_ROOT OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
include("${TAVRI_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")

set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# C++ exceptions as every other compiler of the project has them: emcc
# leaves them uncatchable unless told (the tests' faulty disk throws through
# the core). Every program may also grow its memory: the tests' large inputs
# need more than the first 16 MiB.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sALLOW_MEMORY_GROWTH=1")
