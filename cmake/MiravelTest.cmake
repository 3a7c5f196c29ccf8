# miravel_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# One Qt Test executable per call, registered with CTest.  GUI tests run
# under xvfb-run (see test.sh); the environment for the web engine is set
# once there, not per test.
function(miravel_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    # Tests wait for what they check, never for a time, so a loaded machine
    # makes them slower, not red: one that takes half a minute at rest may
    # take ten times as long.  The limit only ends a test that hangs; Qt
    # Test's own limit for one test function (five minutes) is set to the
    # same.
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 900)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT_MODIFICATION "QTEST_FUNCTION_TIMEOUT=set:${T_TIMEOUT}000")
    if(MIRAVEL_SANITIZE)
        miravel_sanitizer_environment(${name} "${T_LIBS}")
    endif()
endfunction()

# True in `out` when one of the libraries after it links Qt WebEngine,
# itself or through the libraries it links.
function(miravel_links_web_engine out)
    set(pending ${ARGN})
    set(seen)
    set(found FALSE)
    while(pending)
        list(POP_FRONT pending lib)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
        if(lib IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${lib})
        if(lib MATCHES "^Qt6::WebEngine")
            set(found TRUE)
            break()
        endif()
        if(TARGET ${lib})
            get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
            if(links)
                list(APPEND pending ${links})
            endif()
        endif()
    endwhile()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# The sanitizers' settings for one test.  Qt WebEngine frees some of its own
# objects with a size that differs from the one they were made with; ASan
# cannot suppress that report kind by stack, so the check is switched off in
# the programs that link the engine and nowhere else.
function(miravel_sanitizer_environment name libs)
    set(dir ${PROJECT_SOURCE_DIR}/cmake/sanitize)
    set(asan "suppressions=${dir}/asan.supp:detect_leaks=1:abort_on_error=0")
    miravel_links_web_engine(engine ${libs})
    if(engine)
        string(APPEND asan ":new_delete_type_mismatch=0")
    endif()
    # Libraries opened at run time stay loaded, so that LeakSanitizer can
    # name them (tools/sanitizers/keep_libraries_loaded.cpp).
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/sanitizers/keep_libraries_loaded.cpp)
    target_link_options(${name} PRIVATE -Wl,--export-dynamic-symbol=dlclose)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "ASAN_OPTIONS=${asan};LSAN_OPTIONS=suppressions=${dir}/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=suppressions=${dir}/ubsan.supp:print_stacktrace=1:halt_on_error=1")
endfunction()
