# Writes the notices file of the Windows package: the project's own header,
# then Qt's and its bundled libraries' notices, then those of the workbook
# libraries, with Windows line ends so that Notepad shows them as lines.
file(READ ${HEADER} header)
if(NOT EXISTS ${QT_NOTICES})
    message(FATAL_ERROR "No notices of the cross Qt at ${QT_NOTICES}; ./scripts/build-cross-qt gathers them")
endif()
if(NOT EXISTS ${LIBS_NOTICES})
    message(FATAL_ERROR "No notices of the workbook libraries at ${LIBS_NOTICES}; ./scripts/build-cross-libs gathers them")
endif()
file(READ ${QT_NOTICES} qt)
file(READ ${LIBS_NOTICES} libs)
string(CONCAT text "${header}" "\n" "${qt}" "\n" "${libs}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
