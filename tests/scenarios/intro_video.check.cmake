# The cube's pictures change as it spins and the video plays.
file(SHA256 ${WORK}/near.png near)
file(SHA256 ${WORK}/spinning.png spinning)
if(near STREQUAL spinning)
  message(FATAL_ERROR "the cube looks the same in near.png and spinning.png")
endif()
