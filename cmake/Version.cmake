# The version of project() as a header, generated/version.h, for every layer that shows it: the
# program title, tolvinark-cli --version and the version resources. Nothing else names it.

# FILEVERSION takes four numbers; the project's version may give fewer.
set(version_numbers "")
foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
        list(APPEND version_numbers 0)
    else()
        list(APPEND version_numbers ${PROJECT_VERSION_${part}})
    endif()
endforeach()
string(REPLACE ";" "," TOLVINARK_VERSION_NUMBERS "${version_numbers}")

configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in
               ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)
add_library(tolvinark_version INTERFACE)
target_include_directories(tolvinark_version INTERFACE ${PROJECT_BINARY_DIR})
