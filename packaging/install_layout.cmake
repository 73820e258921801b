# Included by the install steps, when the prefix is known: the prefix /usr is the system's, laid
# out as Debian lays it out (games in /usr/games, settings in /etc); any other prefix keeps
# everything below it.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(ORVALA_GAME_BINDIR games)
  set(ORVALA_SYSCONFDIR /etc)
else()
  set(ORVALA_GAME_BINDIR bin)
  set(ORVALA_SYSCONFDIR "${CMAKE_INSTALL_PREFIX}/etc")
endif()
