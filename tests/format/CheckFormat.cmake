file(GLOB_RECURSE SOURCES
    ${SOURCE_DIR}/text/*.cpp ${SOURCE_DIR}/text/*.h
    ${SOURCE_DIR}/settings/*.cpp ${SOURCE_DIR}/settings/*.h
    ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
    ${SOURCE_DIR}/search/*.cpp ${SOURCE_DIR}/search/*.h
    ${SOURCE_DIR}/bookmarks/*.cpp ${SOURCE_DIR}/bookmarks/*.h
    ${SOURCE_DIR}/widgets/*.cpp ${SOURCE_DIR}/widgets/*.h
    ${SOURCE_DIR}/about/*.cpp ${SOURCE_DIR}/about/*.h
    ${SOURCE_DIR}/resources/*.cpp
    ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
    ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${SOURCES} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format finds unformatted files (run clang-format -i on them)")
endif()
