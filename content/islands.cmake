# The island files: the archive of irregular islands ("islands.ptr",
# "islands.inf") and the radiated-area layouts of the generated map types
# ("islands2.inf" to "islands4.inf"), made by the island generator with its
# fixed seed. Every map it writes has been checked to be solvable without
# guessing from what the game opens at its start.
set(islands_dir ${TERVANE_GAME_DIR}/islands)
set(islands_outputs
  ${islands_dir}/islands.ptr
  ${islands_dir}/islands.inf
  ${islands_dir}/islands2.inf
  ${islands_dir}/islands3.inf
  ${islands_dir}/islands4.inf)
add_custom_command(OUTPUT ${islands_outputs}
  COMMAND tervane-islands --output ${islands_dir}
  DEPENDS tervane-islands
  COMMENT "Islands and layouts" VERBATIM)
add_custom_target(islands ALL DEPENDS ${islands_outputs})

# Pictures of the islands as the game's view draws them, for review.
add_custom_target(island_previews
  COMMAND tervane-islands --output ${CMAKE_CURRENT_BINARY_DIR}/island-previews
          --preview ${CMAKE_CURRENT_BINARY_DIR}/island-previews --summary
  DEPENDS tervane-islands
  COMMENT "Island previews: ${CMAKE_CURRENT_BINARY_DIR}/island-previews" VERBATIM)
