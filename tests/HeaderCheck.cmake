# Every header under src/ must compile on its own, without the precompiled
# Qt header the library is built with: one tiny source per header that
# includes only that header, compiled (not linked) without optimisation.
# The test build compiles it with everything else; the ctest "build/headers"
# rebuilds it, so a header edited after the last build is checked too.
option(KARVELLO_CHECK_HEADERS "Compile every header under src/ on its own" ON)
if(NOT KARVELLO_CHECK_HEADERS)
    return()
endif()

file(GLOB_RECURSE KARVELLO_HEADERS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/src
    ${CMAKE_SOURCE_DIR}/src/*.h)
set(KARVELLO_HEADER_CHECK_SOURCES)
foreach(header ${KARVELLO_HEADERS})
    set(source ${CMAKE_BINARY_DIR}/header-check/${header}.cpp)
    # Rewritten only when the text changes, so a new configure rebuilds nothing.
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n" @ONLY)
    list(APPEND KARVELLO_HEADER_CHECK_SOURCES ${source})
endforeach()

add_library(karvello_header_check OBJECT ${KARVELLO_HEADER_CHECK_SOURCES})
set_target_properties(karvello_header_check PROPERTIES
    AUTOMOC OFF AUTOUIC OFF AUTORCC OFF DISABLE_PRECOMPILE_HEADERS ON)
target_include_directories(karvello_header_check PRIVATE ${CMAKE_SOURCE_DIR}/src)
# The same Qt modules and warnings as the library, but not the library
# itself, so the check does not wait for it.
target_link_libraries(karvello_header_check PRIVATE
    Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Svg Qt6::Network JPEG::JPEG)
target_compile_options(karvello_header_check PRIVATE
    -Wall -Wextra -Wno-unused-parameter -O0 -g0)

add_test(NAME build/headers
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target karvello_header_check)
set_tests_properties(build/headers PROPERTIES TIMEOUT 600)
