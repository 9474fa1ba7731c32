# tavik --export without a display: a PNG and an SVG of a small canvas file,
# the exit statuses of a missing input and bad arguments, and the settings file
# the defaults come from (beside the program only when one is there, otherwise
# in $XDG_CONFIG_HOME/tavik), which must never hold the export up.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/in.txt "abc\r\n  xyz\r\n")
set(ENV{QT_QPA_PLATFORM} "")
unset(ENV{DISPLAY})

# A copy of the program in a folder of its own, so that no settings file left
# beside the built one can get in the way.
file(MAKE_DIRECTORY ${WORK}/bin ${WORK}/config/tavik)
file(COPY ${TAVIK} DESTINATION ${WORK}/bin)
get_filename_component(exe ${TAVIK} NAME)
set(TAVIK ${WORK}/bin/${exe})
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)

# Runs tavik with the arguments; the status must be `status`. A run that does
# not end within the timeout fails. Leaves standard error in last_err.
function(expect_status status)
  execute_process(COMMAND ${TAVIK} ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err
                  WORKING_DIRECTORY ${WORK} TIMEOUT 60)
  if(NOT rc EQUAL ${status})
    message(FATAL_ERROR "tavik ${ARGN}: exit ${rc}, expected ${status}\n${err}")
  endif()
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

# Exports in.txt as SVG and checks the picture's width: 40 columns of the
# default text size's cells (7 pixels at size 0, 12 at 2, 25 at 5).
function(expect_width width)
  file(REMOVE ${WORK}/w.svg)
  expect_status(0 --export ${WORK}/w.svg ${WORK}/in.txt)
  file(READ ${WORK}/w.svg svg)
  if(NOT svg MATCHES "width=\"${width}\"")
    message(FATAL_ERROR "expected width ${width} (${ARGN}):\n${svg}")
  endif()
endfunction()

expect_status(0 --export ${WORK}/out.png --size 5 ${WORK}/in.txt)
file(READ ${WORK}/out.png png LIMIT 4 HEX)
if(NOT png STREQUAL "89504e47")
  message(FATAL_ERROR "out.png is not a PNG: ${png}")
endif()
expect_status(0 --export ${WORK}/out.svg ${WORK}/in.txt)
file(READ ${WORK}/out.svg svg)
if(NOT svg MATCHES "<svg" OR NOT svg MATCHES ">ab<")
  message(FATAL_ERROR "out.svg lacks the picture:\n${svg}")
endif()
expect_status(1 --export ${WORK}/missing.png ${WORK}/missing.txt)
if(EXISTS ${WORK}/missing.png)
  message(FATAL_ERROR "a failed export left a file")
endif()
expect_status(2 --export ${WORK}/x.png --size 9 ${WORK}/in.txt)
# Names swapped by mistake, or the input named twice: nothing is written.
file(READ ${WORK}/in.txt before)
expect_status(2 --export ${WORK}/in.txt ${WORK}/out.png)
expect_status(2 --export ${WORK}/out.svg ${WORK}/out.svg)
# A picture name that is a hard link of the input is the input itself.
file(CREATE_LINK ${WORK}/in.txt ${WORK}/linked.svg RESULT linked)
if(linked STREQUAL "0")
  expect_status(2 --export ${WORK}/linked.svg ${WORK}/in.txt)
endif()
file(READ ${WORK}/in.txt after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the input file was changed")
endif()
expect_status(2 --export ${WORK}/x.png)
# Only the single digits 0 to 5 are sizes; a bare --export says what it needs.
expect_status(2 --export ${WORK}/x.png --size " 3" ${WORK}/in.txt)
expect_status(2 --export ${WORK}/x.png --size +3 ${WORK}/in.txt)
expect_status(2 --export ${WORK}/x.png --size 03 ${WORK}/in.txt)
expect_status(2 --export ${WORK}/x.png ${WORK}/in.txt --size)
# An option given twice is a usage error, whichever would have counted.
expect_status(2 --export ${WORK}/x.png --size 5 --size 0 ${WORK}/in.txt)
if(NOT last_err MATCHES "--size is given more than once")
  message(FATAL_ERROR "a repeated --size says:\n${last_err}")
endif()
expect_status(2 --export ${WORK}/x.png --transparent --transparent ${WORK}/in.txt)
expect_status(2 --export)
if(NOT last_err MATCHES "needs an output file and an input file")
  message(FATAL_ERROR "a bare --export says:\n${last_err}")
endif()
# --area used: only the non-blank cells of in.txt ("ab" "c " over "  " "xy"
# "z "), 3 cells by 2 at size 2's 12 pixels, in SVG and PNG (the PNG's size is
# in its header). A file keeps no selection, so --area selection is refused,
# as is a missing or unknown area; a blank canvas has no used area.
expect_status(0 --export ${WORK}/used.svg --area used --size 2 ${WORK}/in.txt)
file(READ ${WORK}/used.svg svg)
if(NOT svg MATCHES "width=\"36\" height=\"24\"")
  message(FATAL_ERROR "used.svg is not the used area:\n${svg}")
endif()
expect_status(0 --export ${WORK}/used.png --size 2 --area used ${WORK}/in.txt)
file(READ ${WORK}/used.png ihdr OFFSET 16 LIMIT 8 HEX)
if(NOT ihdr STREQUAL "0000002400000018")
  message(FATAL_ERROR "used.png is not 36 x 24: ${ihdr}")
endif()
expect_status(0 --export ${WORK}/whole.svg --area canvas ${WORK}/in.txt)
file(READ ${WORK}/whole.svg whole)
file(READ ${WORK}/out.svg default)
if(NOT whole STREQUAL default)
  message(FATAL_ERROR "--area canvas differs from the default picture")
endif()
foreach(bad selection "" Used)
  expect_status(2 --export ${WORK}/bad.svg --area "${bad}" ${WORK}/in.txt)
  if(NOT last_err MATCHES "--area takes canvas or used")
    message(FATAL_ERROR "--area '${bad}' says:\n${last_err}")
  endif()
endforeach()
expect_status(2 --export ${WORK}/bad.svg ${WORK}/in.txt --area)
file(WRITE ${WORK}/blank.txt "   \r\n\r\n")
expect_status(1 --export ${WORK}/bad.svg --area used ${WORK}/blank.txt)
if(EXISTS ${WORK}/bad.svg)
  message(FATAL_ERROR "a refused export left a file")
endif()

# The extension in any case.
expect_status(0 --export ${WORK}/LOUD.PNG --size 0 ${WORK}/in.txt)
expect_status(0 --export ${WORK}/LOUD.SVG ${WORK}/in.txt)
if(NOT EXISTS ${WORK}/LOUD.PNG OR NOT EXISTS ${WORK}/LOUD.SVG)
  message(FATAL_ERROR "an upper-case extension wrote nothing")
endif()

# The settings: none at all, then one in the config folder (CR-only line ends),
# then one beside the program, which wins.
expect_width(480 "no settings file")
file(WRITE ${WORK}/config/tavik/Tavik.ini "[Canvas]\rTextSize=0\r")
expect_width(280 "TextSize=0 in the config folder")
file(WRITE ${WORK}/bin/Tavik.ini "[Canvas]\nTextSize=5\n")
expect_width(1000 "TextSize=5 beside the program")
file(REMOVE ${WORK}/bin/Tavik.ini)
# A FIFO, a link to endless zeros and a file that is no settings file give the
# defaults at once, and are left as they are.
file(REMOVE ${WORK}/config/tavik/Tavik.ini)
execute_process(COMMAND mkfifo ${WORK}/config/tavik/Tavik.ini RESULT_VARIABLE rc)
if(rc EQUAL 0)
  expect_width(480 "a FIFO")
  file(REMOVE ${WORK}/config/tavik/Tavik.ini)
endif()
file(CREATE_LINK /dev/zero ${WORK}/config/tavik/Tavik.ini SYMBOLIC)
expect_width(480 "a link to /dev/zero")
file(REMOVE ${WORK}/config/tavik/Tavik.ini)
file(WRITE ${WORK}/config/tavik/Tavik.ini "root:x:0:0:root:/root:/bin/bash\n[Canvas]\nTextSize=0\n")
expect_width(480 "not a settings file")
