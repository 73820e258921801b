# Run by `cmake --install` (and CPack) for the service: the system unit and the settings file
# name the prefix they are installed under. The settings go to /etc for the prefix /usr, as
# Debian has it, else to PREFIX/etc. An existing settings file is an operator's and is kept.
include("${ORVALA_PACKAGING}/install_layout.cmake")
set(etc "${ORVALA_SYSCONFDIR}")
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(work "${ORVALA_PACKAGING_WORK}")
configure_file("${ORVALA_PACKAGING}/orvala-service.service" "${work}/orvala-service.service" @ONLY)
configure_file("${ORVALA_PACKAGING}/orvala-service.ini" "${work}/orvala-service.ini" @ONLY)
file(INSTALL DESTINATION "${prefix}/lib/systemd/system" TYPE FILE
     FILES "${work}/orvala-service.service")
if(NOT EXISTS "$ENV{DESTDIR}${etc}/orvala-service.ini")
  file(INSTALL DESTINATION "${etc}" TYPE FILE FILES "${work}/orvala-service.ini")
endif()
