# What every target of the project asks of the build, given per target so that
# nothing reaches code that is not ours (GoogleTest, built from its sources for
# Windows, keeps its own flags). Included by the top-level CMakeLists.txt.
#
#   tavri_warnings(<target>...)
#       The compiler's warnings for our code: -Wall -Wextra -Wshadow (GCC,
#       clang), /W4 (MSVC); errors only when TAVRI_WARNINGS_AS_ERRORS is on.
#       Every target built from this repository calls it; the configure step
#       names any that does not (tavri_check_targets, at the end).
#
#   tavri_qt_hygiene(<target> [PRIVATE|PUBLIC|INTERFACE])
#       Qt's stricter reading for code that uses Qt: no bare signals/slots/emit
#       keywords (Q_SIGNALS, Q_SLOTS, Q_EMIT), no silent conversion of a
#       const char* to QString (QStringLiteral, QString::fromUtf8), no
#       narrowing conversions in connect(), and nothing Qt deprecated up to
#       and in the 6.4 of Debian 12 (use of it does not compile). PRIVATE by default; give a library PUBLIC so that
#       whatever includes its headers reads them under the same rules.
#
#   tavri_skip(<what> <why>)
#       One configure line, "tavri: skipping <what>: <why>", for a check or
#       program left out because a tool it needs is missing; an error instead
#       when TAVRI_REQUIRE_ALL_CHECKS is on (scripts/test.sh), so the test
#       command cannot lose a check silently.

function(tavri_warnings)
  if(MSVC)
    set(flags /W4)
    if(TAVRI_WARNINGS_AS_ERRORS)
      list(APPEND flags /WX)
    endif()
  else()
    set(flags -Wall -Wextra -Wshadow)
    if(TAVRI_WARNINGS_AS_ERRORS)
      list(APPEND flags -Werror)
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
       AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 at -O3 warns inside std::string's own code that assigning a
      # short literal "may overlap" (exabytes at negative offsets): its bug
      # 105329, fixed in GCC 13. Nothing of ours is involved.
      list(APPEND flags -Wno-restrict)
    endif()
    if(TAVRI_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      # GCC's flow analysis sees the instrumentation's extra paths and warns
      # of values "maybe used uninitialized" that the plain build, with the
      # same code, proves initialised (a pointer to a member captured by a
      # lambda, in the game window). The plain build keeps the warning.
      list(APPEND flags -Wno-maybe-uninitialized)
    endif()
  endif()
  foreach(target IN LISTS ARGV)
    # C++ only: the flags mean nothing to the resource compiler.
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
    set_property(TARGET ${target} PROPERTY TAVRI_WARNINGS ON)
  endforeach()
endfunction()

function(tavri_qt_hygiene target)
  set(scope PRIVATE)
  if(ARGC GREATER 1)
    set(scope ${ARGV1})
  endif()
  target_compile_definitions(${target} ${scope}
    QT_NO_KEYWORDS
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    # Qt 6.4 reads only the first; 6.5 and later the second.
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)
endfunction()

function(tavri_skip what why)
  if(TAVRI_REQUIRE_ALL_CHECKS)
    message(FATAL_ERROR "tavri: cannot build ${what}: ${why} "
                        "(TAVRI_REQUIRE_ALL_CHECKS is on; scripts/setup.sh installs everything)")
  endif()
  message(STATUS "tavri: skipping ${what}: ${why}")
endfunction()

# Names every target compiled from this repository that did not ask for
# tavri_warnings(): an error when warnings are errors (the project's own
# checks), a note to the developer otherwise.
function(tavri_check_targets)
  set(missing)
  set(directories ${PROJECT_SOURCE_DIR})
  while(directories)
    list(POP_FRONT directories directory)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      get_target_property(source_dir ${target} SOURCE_DIR)
      get_target_property(imported ${target} IMPORTED)
      cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${source_dir}" NORMALIZE inside)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
         AND NOT imported
         AND inside)
        get_target_property(checked ${target} TAVRI_WARNINGS)
        if(NOT checked)
          list(APPEND missing ${target})
        endif()
      endif()
    endforeach()
  endwhile()
  if(missing)
    if(TAVRI_WARNINGS_AS_ERRORS)
      set(level FATAL_ERROR)
    else()
      set(level AUTHOR_WARNING)
    endif()
    message(${level} "tavri: these targets do not call tavri_warnings(): ${missing}")
  endif()
endfunction()
