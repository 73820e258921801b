# The optional picture libraries, built into ${CMAKE_BINARY_DIR}/libraries: one command each, so
# that they are drawn in parallel. artgen draws a library's pictures and its resource list, rcc
# packs them as a binary resource file (uncompressed: the pictures are PNG and JPEG already; fixed
# file dates, so the same bytes every build).
set(ORVALA_LIBRARY_DIR ${CMAKE_BINARY_DIR}/libraries)
set(ORVALA_LIBRARY_FILES ZorCards06A.dll ZorCards06B.dll ZorCards06C.dll ZorBackG03.dll
    ZorCGraph1.dll ZorCalendar01.dll)
set(library_outputs)
foreach(library ${ORVALA_LIBRARY_FILES})
  set(pictures ${CMAKE_CURRENT_BINARY_DIR}/libraries/${library})
  add_custom_command(
    OUTPUT ${ORVALA_LIBRARY_DIR}/${library}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${pictures}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:artgen> --library ${library} ${pictures}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALA_LIBRARY_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_RCC_SOURCE_DATE_OVERRIDE=1 $<TARGET_FILE:Qt6::rcc> --binary --no-compress --output ${ORVALA_LIBRARY_DIR}/${library} ${pictures}/library.qrc
    DEPENDS artgen
    COMMENT "Drawing the picture library ${library}"
    VERBATIM)
  list(APPEND library_outputs ${ORVALA_LIBRARY_DIR}/${library})
endforeach()
add_custom_target(orvala_libraries ALL DEPENDS ${library_outputs})
