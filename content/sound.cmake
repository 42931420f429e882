# The sound bank and the music of the program directory, synthesised and
# composed at build time by the sound tools (tools/sfx, tools/music). Both
# are rebuilt only when their tool changes.
set(TERVANE_SOUND_BANK ${TERVANE_GAME_DIR}/sounds.dat)
set(TERVANE_MUSIC ${TERVANE_GAME_DIR}/music.xm)

add_custom_command(
  OUTPUT ${TERVANE_SOUND_BANK}
  COMMAND tervane-sfx ${TERVANE_SOUND_BANK}
  DEPENDS tervane-sfx
  COMMENT "Synthesising the sound bank sounds.dat"
  VERBATIM)

add_custom_command(
  OUTPUT ${TERVANE_MUSIC}
  COMMAND tervane-music ${TERVANE_MUSIC}
  DEPENDS tervane-music
  COMMENT "Composing music.xm"
  VERBATIM)

add_custom_target(sound_content ALL DEPENDS ${TERVANE_SOUND_BANK} ${TERVANE_MUSIC})
