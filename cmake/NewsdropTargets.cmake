# Settings every Newsdrop target shares, and the test helper.

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601
                        WINVER=0x0601)
# One static executable: no DLL beyond Windows' own beside it.
add_link_options(-static -static-libgcc -static-libstdc++)
# UTF-8 .rc files: without the code page Turkish strings load as mojibake.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

macro(newsdrop_warnings)
  add_compile_options(-Wall -Wextra)
endmacro()

# cairo and pixman as one imported target.
if(NEWSDROP_DEPS_DIR)
  add_library(newsdrop_cairo INTERFACE)
  target_include_directories(newsdrop_cairo SYSTEM INTERFACE
    "${NEWSDROP_DEPS_DIR}/include/cairo" "${NEWSDROP_DEPS_DIR}/include/pixman-1")
  target_compile_definitions(newsdrop_cairo INTERFACE CAIRO_WIN32_STATIC_BUILD)
  target_link_libraries(newsdrop_cairo INTERFACE
    "${NEWSDROP_DEPS_DIR}/lib/libcairo.a" "${NEWSDROP_DEPS_DIR}/lib/libpixman-1.a"
    gdi32 msimg32 ssp)
endif()

# newsdrop_test(<name> SOURCES ... [LIBS ...] [HTTP_SERVER])
# One GoogleTest executable per class family, run under Wine by ctest.
# HTTP_SERVER runs the test inside tests/net/http_test_server.py, which listens
# on 127.0.0.1:80 and :443; the lock keeps two such tests from running at once.
function(newsdrop_test name)
  cmake_parse_arguments(ARG "HTTP_SERVER" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(NOT ARG_HTTP_SERVER)
    add_test(NAME ${name} COMMAND ${name})
    return()
  endif()
  add_test(NAME ${name}
    COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/net/http_test_server.py --
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK loopback_ports_80_443)
endfunction()
