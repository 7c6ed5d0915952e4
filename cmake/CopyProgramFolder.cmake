# cmake -DSOURCE=dir -DDEST=dir -P CopyProgramFolder.cmake
# Copies SOURCE's tree into DEST: missing files, and files whose source is newer.
# Folders are created even when empty (.gitkeep marks them in the sources).
# The settings file is copied once, never over the one the program has written.
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry IN LISTS entries)
  get_filename_component(name ${entry} NAME)
  if(name STREQUAL "CMakeLists.txt" AND NOT entry MATCHES "/")
    continue()
  endif()
  if(IS_DIRECTORY ${SOURCE}/${entry})
    file(MAKE_DIRECTORY ${DEST}/${entry})
  elseif(name STREQUAL ".gitkeep")
    get_filename_component(folder ${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${DEST}/${folder})
  elseif(entry STREQUAL "Vidsettings.nml")
    # The user's settings once written stay. The bundled ones name their files relative
    # to the program folder, so a copy of the folder opens its own sample.
    if(NOT EXISTS ${DEST}/${entry})
      file(COPY ${SOURCE}/${entry} DESTINATION ${DEST})
    endif()
  elseif(NOT EXISTS ${DEST}/${entry} OR ${SOURCE}/${entry} IS_NEWER_THAN ${DEST}/${entry})
    get_filename_component(folder ${DEST}/${entry} DIRECTORY)
    file(COPY ${SOURCE}/${entry} DESTINATION ${folder})
  endif()
endforeach()
