# cmake -DFFMPEG=path -DFONT=file -DDEST=program-folder -P make_placeholder_videos.cmake
# A short clip for each video the programs play: its name on the picture and a
# tone, WMV. Clips already there are kept.
include(${CMAKE_CURRENT_LIST_DIR}/video_list.cmake)
foreach(file IN LISTS video_files)
  set(out "${DEST}/${file}")
  if(EXISTS "${out}")
    continue()
  endif()
  get_filename_component(folder "${out}" DIRECTORY)
  get_filename_component(name "${file}" NAME_WE)
  file(MAKE_DIRECTORY "${folder}")
  # drawtext needs ':' and '\'' escaped; the names hold neither.
  set(text "drawtext=fontfile=${FONT}:text='${name}':fontcolor=white:fontsize=14:x=(w-text_w)/2:y=(h-text_h)/2")
  execute_process(
    COMMAND ${FFMPEG} -loglevel error -y
            -f lavfi -i "color=c=0x1f4e79:s=320x240:d=1.5:r=15"
            -f lavfi -i "sine=frequency=660:duration=1.5"
            -vf "${text}" -c:v wmv2 -b:v 200k -c:a wmav2 -b:a 64k -shortest "${out}"
    RESULT_VARIABLE failed)
  if(failed)
    message(WARNING "could not make ${file}")
    file(REMOVE "${out}")
  endif()
endforeach()
