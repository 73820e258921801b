# The optional picture libraries, built into ${CMAKE_BINARY_DIR}/libraries: one command each, so
# that they are drawn in parallel. artgen draws a library's pictures and its resource list, rcc
# packs them as a binary resource file (uncompressed: the pictures are PNG and JPEG already; fixed
# file dates, so the same bytes every build).
set(ORVALA_LIBRARY_DIR ${CMAKE_BINARY_DIR}/libraries)
set(ORVALA_LIBRARY_FILES ZorCards06A.dll ZorCards06B.dll ZorCards06C.dll ZorBackG03.dll
    ZorCGraph1.dll ZorCalendar01.dll ZorRadio02.dll)
set(library_outputs)
foreach(library ${ORVALA_LIBRARY_FILES})
  set(pictures ${CMAKE_CURRENT_BINARY_DIR}/libraries/${library})
  add_custom_command(
    OUTPUT ${ORVALA_LIBRARY_DIR}/${library}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${pictures}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:artgen> --library ${library} ${pictures}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALA_LIBRARY_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_RCC_SOURCE_DATE_OVERRIDE=1 $<TARGET_FILE:Qt6::rcc> --binary --no-compress --output ${ORVALA_LIBRARY_DIR}/${library} ${pictures}/library.qrc
    DEPENDS artgen ${PROJECT_SOURCE_DIR}/data/radio/ZorRadio.rad
    COMMENT "Drawing the picture library ${library}"
    VERBATIM)
  list(APPEND library_outputs ${ORVALA_LIBRARY_DIR}/${library})
endforeach()
add_custom_target(orvala_libraries ALL DEPENDS ${library_outputs})

# The shipped station list goes beside the libraries twice: as the disk copy "ZorRadio.rad" that
# the game reads when told not to ask the service, and as the service's "radio/ZorRadio.ser",
# which the service's operator may edit.
add_custom_command(
  OUTPUT ${ORVALA_LIBRARY_DIR}/ZorRadio.rad ${ORVALA_LIBRARY_DIR}/radio/ZorRadio.ser
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALA_LIBRARY_DIR}/radio
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/radio/ZorRadio.rad ${ORVALA_LIBRARY_DIR}/ZorRadio.rad
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/radio/ZorRadio.rad ${ORVALA_LIBRARY_DIR}/radio/ZorRadio.ser
  DEPENDS ${PROJECT_SOURCE_DIR}/data/radio/ZorRadio.rad
  COMMENT "Placing the station list"
  VERBATIM)
add_custom_target(orvala_station_list ALL
  DEPENDS ${ORVALA_LIBRARY_DIR}/ZorRadio.rad ${ORVALA_LIBRARY_DIR}/radio/ZorRadio.ser)
