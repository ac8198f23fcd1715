# Finds the LibreOffice SDK (Debian: libreoffice-dev) and defines the INTERFACE target
# scarabo_uno_sdk: the UNO runtime libraries, the SDK headers and the C++ headers of the UNO types
# the Writer backend uses. Debian ships headers only for the core of UNO; the rest are made from
# the office's type libraries at build time with cppumaker. Leaves the target undefined, and
# LIBREOFFICE_SDK_MISSING naming the missing part, when the SDK is not there.
set(LIBREOFFICE_PROGRAM_DIR /usr/lib/libreoffice/program
    CACHE PATH "LibreOffice's program folder (UNO libraries, type libraries, soffice)")
find_program(LIBREOFFICE_CPPUMAKER cppumaker
             HINTS ${LIBREOFFICE_PROGRAM_DIR}/../sdk/bin NO_DEFAULT_PATH)
find_path(LIBREOFFICE_INCLUDE_DIR com/sun/star/uno/Any.hxx
          HINTS /usr/include/libreoffice ${LIBREOFFICE_PROGRAM_DIR}/../sdk/include)
find_file(LIBREOFFICE_TYPES_RDB types.rdb HINTS ${LIBREOFFICE_PROGRAM_DIR} NO_DEFAULT_PATH)
find_file(LIBREOFFICE_OFFAPI_RDB offapi.rdb HINTS ${LIBREOFFICE_PROGRAM_DIR}/types NO_DEFAULT_PATH)
# Linked from the program folder itself: through the symlinks in the system library folder their
# $ORIGIN would point to the wrong place.
foreach(library uno_sal uno_cppu uno_cppuhelpergcc3)
    find_file(LIBREOFFICE_${library} lib${library}.so.3 HINTS ${LIBREOFFICE_PROGRAM_DIR}
              NO_DEFAULT_PATH)
    list(APPEND uno_libraries ${LIBREOFFICE_${library}})
endforeach()

set(sdk_parts LIBREOFFICE_CPPUMAKER LIBREOFFICE_INCLUDE_DIR LIBREOFFICE_TYPES_RDB
    LIBREOFFICE_OFFAPI_RDB LIBREOFFICE_uno_sal LIBREOFFICE_uno_cppu LIBREOFFICE_uno_cppuhelpergcc3)
foreach(part ${sdk_parts})
    if(NOT ${part})
        set(LIBREOFFICE_SDK_MISSING ${part})
        return()
    endif()
endforeach()

# Every UNO type the backend names; cppumaker adds the types they depend on.
set(uno_types
    com.sun.star.uno.DeploymentException
    com.sun.star.uno.XComponentContext
    com.sun.star.awt.Size
    com.sun.star.awt.XTopWindow
    com.sun.star.awt.XWindow
    com.sun.star.beans.PropertyValue
    com.sun.star.beans.XPropertySet
    com.sun.star.bridge.BridgeFactory
    com.sun.star.bridge.XBridge
    com.sun.star.connection.Connector
    com.sun.star.connection.NoConnectException
    com.sun.star.container.XEnumeration
    com.sun.star.container.XEnumerationAccess
    com.sun.star.frame.Desktop
    com.sun.star.frame.XController
    com.sun.star.frame.XDesktop2
    com.sun.star.frame.XFrame
    com.sun.star.frame.XModel
    com.sun.star.frame.XStorable
    com.sun.star.graphic.GraphicProvider
    com.sun.star.graphic.XGraphic
    com.sun.star.io.SequenceInputStream
    com.sun.star.lang.DisposedException
    com.sun.star.lang.XComponent
    com.sun.star.lang.XMultiServiceFactory
    com.sun.star.text.ControlCharacter
    com.sun.star.text.TextContentAnchorType
    com.sun.star.text.XText
    com.sun.star.text.XTextContent
    com.sun.star.text.XTextDocument
    com.sun.star.text.XTextRange
    com.sun.star.text.XTextViewCursor
    com.sun.star.text.XTextViewCursorSupplier
    com.sun.star.util.XModifiable)
list(TRANSFORM uno_types PREPEND -T OUTPUT_VARIABLE uno_type_options)

# cppumaker wants an absolute output folder.
set(uno_headers ${CMAKE_CURRENT_BINARY_DIR}/uno-headers)
add_custom_command(
    OUTPUT ${uno_headers}/made
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${uno_headers}
    COMMAND ${LIBREOFFICE_CPPUMAKER} -O${uno_headers} ${uno_type_options}
            ${LIBREOFFICE_TYPES_RDB} ${LIBREOFFICE_OFFAPI_RDB}
    COMMAND ${CMAKE_COMMAND} -E touch ${uno_headers}/made
    DEPENDS ${LIBREOFFICE_TYPES_RDB} ${LIBREOFFICE_OFFAPI_RDB} ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Making the C++ headers of the UNO types"
    VERBATIM)
add_custom_target(scarabo_uno_headers DEPENDS ${uno_headers}/made)

add_library(scarabo_uno_sdk INTERFACE)
add_dependencies(scarabo_uno_sdk scarabo_uno_headers)
target_include_directories(scarabo_uno_sdk SYSTEM INTERFACE ${uno_headers} ${LIBREOFFICE_INCLUDE_DIR})
target_compile_definitions(scarabo_uno_sdk INTERFACE
    LINUX UNX CPPU_ENV=gcc3
    SCARABO_LIBREOFFICE_PROGRAM_DIR="${LIBREOFFICE_PROGRAM_DIR}")
target_link_libraries(scarabo_uno_sdk INTERFACE ${uno_libraries})
target_link_options(scarabo_uno_sdk INTERFACE "LINKER:-rpath,${LIBREOFFICE_PROGRAM_DIR}")
