# The images script draws the toolbar pictures that the resource file lists,
# no more and no fewer (the resources test ties those to the command rows).
#   ROOT   the source tree
file(READ ${ROOT}/res/make-images.py script)
string(REGEX MATCH "\nTOOLBAR = \\[[^]]*\\]" toolbar "${script}")
string(REGEX MATCHALL "\\(\"[a-z0-9]+\", icon_" drawn "${toolbar}")
string(REGEX REPLACE "\\(\"([a-z0-9]+)\", icon_" "\\1" drawn "${drawn}")
file(STRINGS ${ROOT}/res/tavik.qrc listed REGEX "<file>toolbar/[a-z0-9]+\\.png</file>")
string(REGEX REPLACE "[^;]*<file>toolbar/([a-z0-9]+)\\.png</file>[^;]*" "\\1" listed "${listed}")
list(SORT drawn)
list(SORT listed)
if(NOT drawn STREQUAL listed OR drawn STREQUAL "")
  message(FATAL_ERROR "res/make-images.py draws: ${drawn}\nres/tavik.qrc lists: ${listed}")
endif()
