# The browser build (./web.sh): emscripten's own SDL 1.x, the media the host
# build generated in Media/, and no tools, tests or pkg-config. Makes the
# page (site/: runeblock.html as index.html too, .js, .wasm, .data) and webreplay.js, the replay tool
# for node.
set(WEB_DIR ${CMAKE_CURRENT_LIST_DIR})
set(WEB_MEDIA ${PROJECT_SOURCE_DIR}/Media)
foreach(folder bmp wav map)
  if(NOT IS_DIRECTORY ${WEB_MEDIA}/${folder})
    message(FATAL_ERROR "${WEB_MEDIA}/${folder} is missing: the host build generates the media first (./web.sh does)")
  endif()
endforeach()

add_compile_options(-Wall -Wextra -fno-exceptions)

# The game's folders but base (which needs no SDL), each file compiled with
# the routes to the web layer; the console's converting streams have no
# place in a browser.
file(GLOB_RECURSE WEB_GAME_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/*.cpp)
list(FILTER WEB_GAME_SOURCES EXCLUDE REGEX "/src/platform/|/src/base/console_text\\.cpp$")
set(WEB_ROUTED_SOURCES ${WEB_GAME_SOURCES} ${PROJECT_SOURCE_DIR}/src/web_main.cpp
    ${PROJECT_SOURCE_DIR}/tools/webreplay/webreplay_main.cpp)
list(FILTER WEB_ROUTED_SOURCES EXCLUDE REGEX "/src/base/")
set_source_files_properties(${WEB_ROUTED_SOURCES} PROPERTIES COMPILE_OPTIONS "-include;platform/web/web_routes.h")

add_library(runeblock_web_core STATIC ${WEB_GAME_SOURCES} ${WEB_DIR}/web_sdl.cpp)
target_include_directories(runeblock_web_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

file(GLOB_RECURSE WEB_MEDIA_FILES CONFIGURE_DEPENDS ${WEB_MEDIA}/bmp/* ${WEB_MEDIA}/wav/* ${WEB_MEDIA}/map/*)
add_executable(runeblock ${PROJECT_SOURCE_DIR}/src/web_main.cpp)
target_link_libraries(runeblock PRIVATE runeblock_web_core)
# site/ holds the page and nothing else, to be copied to any static web host.
set_target_properties(runeblock PROPERTIES SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/site
                      LINK_DEPENDS "${WEB_DIR}/shell.html;${WEB_MEDIA_FILES}")
add_custom_command(TARGET runeblock POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy runeblock.html index.html WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/site)
target_link_options(runeblock PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sMINIFY_HTML=0 "SHELL:--shell-file ${WEB_DIR}/shell.html"
  "SHELL:--preload-file ${WEB_MEDIA}/bmp@/Media/bmp"
  "SHELL:--preload-file ${WEB_MEDIA}/wav@/Media/wav"
  "SHELL:--preload-file ${WEB_MEDIA}/map@/Media/map")

add_executable(webreplay ${PROJECT_SOURCE_DIR}/tools/webreplay/webreplay_main.cpp)
target_link_libraries(webreplay PRIVATE runeblock_web_core)
target_link_options(webreplay PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
