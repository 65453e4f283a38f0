# The C libraries that workbooks are read and written with: minizip (ZIP
# entries, over zlib) and libxlsxwriter. Debian's own on Debian; for Windows,
# static builds from Debian's sources in the cross Qt's cache, which the
# toolchain's find root includes.
find_path(TOKIVANE_MINIZIP_INCLUDE minizip/unzip.h REQUIRED)
find_library(TOKIVANE_MINIZIP_LIBRARY minizip REQUIRED)
find_path(TOKIVANE_XLSXWRITER_INCLUDE xlsxwriter.h REQUIRED)
find_library(TOKIVANE_XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
find_library(TOKIVANE_ZLIB_LIBRARY z REQUIRED)

add_library(tokivane_zlib UNKNOWN IMPORTED)
set_target_properties(tokivane_zlib PROPERTIES IMPORTED_LOCATION ${TOKIVANE_ZLIB_LIBRARY})

add_library(tokivane_minizip UNKNOWN IMPORTED)
set_target_properties(tokivane_minizip PROPERTIES IMPORTED_LOCATION ${TOKIVANE_MINIZIP_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${TOKIVANE_MINIZIP_INCLUDE}
    INTERFACE_LINK_LIBRARIES tokivane_zlib)

add_library(tokivane_xlsxwriter UNKNOWN IMPORTED)
set_target_properties(tokivane_xlsxwriter PROPERTIES IMPORTED_LOCATION ${TOKIVANE_XLSXWRITER_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${TOKIVANE_XLSXWRITER_INCLUDE}
    INTERFACE_LINK_LIBRARIES "tokivane_minizip;tokivane_zlib")
