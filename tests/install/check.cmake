# Installs the build into a scratch DESTDIR and checks that exactly the
# game's files land there, that the icons have their sizes, and that the
# desktop entry and the metainfo pass their validators.
set(root ${WORK}/root)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
  OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install exited with ${status}")
endif()

set(usr ${root}/usr)
set(expected
  bin/vexorin bin/vexorin-assets bin/vexorin-play
  share/vexorin/data/TEXTURE.VXR share/vexorin/data/logo.avi share/vexorin/data/icon.bmp
  share/vexorin/SCORES.VXR share/vexorin/manual.html
  share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
  share/man/man6/vexorin.6.gz share/man/man6/vexorin-assets.6.gz share/man/man6/vexorin-play.6.gz
  share/doc/vexorin/copyright share/doc/vexorin/changelog.gz)
file(GLOB sounds RELATIVE ${GAME}/sounds ${GAME}/sounds/*.wav)
list(LENGTH sounds count)
if(count LESS 12)
  message(FATAL_ERROR "The build made ${count} sounds instead of 12")
endif()
foreach(sound ${sounds})
  list(APPEND expected share/vexorin/sounds/${sound})
endforeach()
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()

# Nothing more either: no player's files, no build-only programs.
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${usr} ${root}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "Installed:\n  ${installed}\ninstead of:\n  ${expected}")
endif()

# A PNG's width and height stand big-endian at bytes 16 to 23.
foreach(size 16 32 48 64 128 256)
  file(READ ${usr}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png header HEX LIMIT 24)
  string(SUBSTRING "${header}" 32 16 dimensions)
  math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" hex "${hex}")
  string(LENGTH "${hex}" digits)
  math(EXPR pad "8 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT header MATCHES "^89504e470d0a1a0a" OR NOT dimensions STREQUAL "${zeros}${hex}${zeros}${hex}")
    message(FATAL_ERROR "The ${size}x${size} icon is not a PNG of that size: ${header}")
  endif()
endforeach()

file(READ ${usr}/share/applications/${APP_ID}.desktop entry)
if(NOT entry MATCHES "\nIcon=${APP_ID}\n" OR NOT entry MATCHES "\nExec=vexorin\n")
  message(FATAL_ERROR "The desktop entry names another icon or program:\n${entry}")
endif()

foreach(check "desktop-file-validate;${usr}/share/applications/${APP_ID}.desktop"
    "appstreamcli;validate;--no-net;${usr}/share/metainfo/${APP_ID}.metainfo.xml")
  execute_process(COMMAND ${check} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR output MATCHES "(^|\n)[EW]:")
    message(FATAL_ERROR "${check}: ${status}\n${output}")
  endif()
endforeach()
