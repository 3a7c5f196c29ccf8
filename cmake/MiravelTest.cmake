# miravel_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# One Qt Test executable per call, registered with CTest.  GUI tests run
# under xvfb-run (see test.sh); the environment for the web engine is set
# once there, not per test.
function(miravel_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
