# The C libraries that workbooks are read and written with: minizip (ZIP
# entries, over zlib) and libxlsxwriter. Debian's own on Debian; for Windows,
# static builds from Debian's sources (./scripts/build-cross-libs), which the
# toolchain's find root includes through TOKIVANE_WINDOWS_LIBS.
block()
    if(WIN32)
        # Only static libraries will do there: the program needs no DLL
        # beyond Windows' own. On Debian the shared ones, which the package
        # then depends on.
        set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
    endif()
    find_path(TOKIVANE_ZLIB_INCLUDE zlib.h REQUIRED)
    find_library(TOKIVANE_ZLIB_LIBRARY z REQUIRED)
    find_path(TOKIVANE_MINIZIP_INCLUDE minizip/unzip.h REQUIRED)
    find_library(TOKIVANE_MINIZIP_LIBRARY minizip REQUIRED)
    find_path(TOKIVANE_XLSXWRITER_INCLUDE xlsxwriter.h REQUIRED)
    find_library(TOKIVANE_XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
endblock()

add_library(tokivane_zlib UNKNOWN IMPORTED)
set_target_properties(tokivane_zlib PROPERTIES IMPORTED_LOCATION ${TOKIVANE_ZLIB_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${TOKIVANE_ZLIB_INCLUDE})

add_library(tokivane_minizip UNKNOWN IMPORTED)
set_target_properties(tokivane_minizip PROPERTIES IMPORTED_LOCATION ${TOKIVANE_MINIZIP_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${TOKIVANE_MINIZIP_INCLUDE}
    INTERFACE_LINK_LIBRARIES tokivane_zlib)

add_library(tokivane_xlsxwriter UNKNOWN IMPORTED)
set_target_properties(tokivane_xlsxwriter PROPERTIES IMPORTED_LOCATION ${TOKIVANE_XLSXWRITER_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${TOKIVANE_XLSXWRITER_INCLUDE}
    INTERFACE_LINK_LIBRARIES "tokivane_minizip;tokivane_zlib")
