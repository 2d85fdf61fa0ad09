# CFBundleVersion: the number of commits, so every landed change gets a larger build number.
find_package(Git QUIET)
set(ZENTROPE_BUILD_NUMBER 1)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE _count OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE _result ERROR_QUIET)
    if(_result EQUAL 0 AND _count)
        set(ZENTROPE_BUILD_NUMBER ${_count})
    endif()
endif()
