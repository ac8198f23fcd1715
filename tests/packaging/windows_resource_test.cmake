# Compiles the configured resource script with the mingw-w64 resource compiler, reads the compiled
# resources back, and checks the version record and the icon against cmake/VersionInfo.cmake.
# Usage: cmake -DRC_FILE=<scarabo.rc> -DWORK_DIR=<folder> -DVERSION=<x.y.z> -P windows_resource_test.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/VersionInfo.cmake)
set(windres x86_64-w64-mingw32-windres)
set(object ${WORK_DIR}/scarabo_rc.o)
file(MAKE_DIRECTORY ${WORK_DIR})

execute_process(COMMAND ${windres} -i ${RC_FILE} -o ${object} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${windres} could not compile ${RC_FILE}: ${result}")
endif()
execute_process(COMMAND ${windres} -J coff -i ${object} -O rc
                OUTPUT_VARIABLE decompiled RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${windres} could not read back ${object}: ${result}")
endif()

string(REPLACE "." ", " version_numbers ${VERSION})
set(expected_lines
    "FILEVERSION ${version_numbers}, 0\n"
    "PRODUCTVERSION ${version_numbers}, 0\n"
    "FILETYPE 0x1\n" # VFT_APP
    "VALUE \"Comments\", \"${SCARABO_COMMENTS}\"\n"
    "VALUE \"CompanyName\", \"${SCARABO_COMPANY_NAME}\"\n"
    "VALUE \"FileDescription\", \"${SCARABO_FILE_DESCRIPTION}\"\n"
    "VALUE \"FileVersion\", \"${VERSION}.0\"\n"
    "VALUE \"InternalName\", \"${SCARABO_INTERNAL_NAME}\"\n"
    "VALUE \"LegalCopyright\", \"${SCARABO_LEGAL_COPYRIGHT}\"\n"
    "VALUE \"OriginalFilename\", \"${SCARABO_ORIGINAL_FILENAME}\"\n"
    "VALUE \"ProductName\", \"${SCARABO_PRODUCT_NAME}\"\n"
    "VALUE \"ProductVersion\", \"${VERSION}.0\"\n"
    "Type: group icon"
    "/* Element no 9.  */\nEND" # all nine images of the icon, and no more
)
foreach(line IN LISTS expected_lines)
    string(FIND "${decompiled}" "${line}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "The compiled resources lack: ${line}")
    endif()
endforeach()
