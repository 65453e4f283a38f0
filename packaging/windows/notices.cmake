# Writes the notices file of the Windows package: the project's own header,
# then Qt's and its bundled libraries' notices, with Windows line ends so
# that Notepad shows them as lines.
file(READ ${HEADER} header)
if(NOT EXISTS ${QT_NOTICES})
    message(FATAL_ERROR "No notices of the cross Qt at ${QT_NOTICES}; ./scripts/build-cross-qt gathers them")
endif()
file(READ ${QT_NOTICES} qt)
string(CONCAT text "${header}" "\n" "${qt}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
