# Command-line usage of tavik-cli: options, inline commands, standard input and
# usage errors (exit status 2), which a script file cannot express.
#
# Included from tests/CMakeLists.txt, this file registers the tests. Each test
# runs this same file again with `cmake -P`, which then runs tavik-cli once and
# checks the result. Variables of a check:
#   CLI             the program
#   WORK            an empty folder to run in
#   N, ARG1..ARGn   the command-line arguments (each one may hold a ';')
#   INPUT           file given as standard input (optional)
#   WANT_STATUS     the exit status
#   WANT_OUT        exact standard output, with \n for a line end (optional)
#   WANT_OUT_FILE   file holding the exact standard output (optional)
#   OUT_HAS         pieces that standard output must contain, separated by |
#   ERR_HAS         pieces that standard error must contain, separated by |
#   NO_OUT          standard output must be empty

if(CMAKE_SCRIPT_MODE_FILE)
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${WORK})

  # Quote every argument into one execute_process call, so that an argument
  # holding a ';' stays one argument.
  set(call "execute_process(COMMAND \"${CLI}\"")
  if(N GREATER 0)
    foreach(i RANGE 1 ${N})
      string(REPLACE "\\" "\\\\" arg "${ARG${i}}")
      string(REPLACE "\"" "\\\"" arg "${arg}")
      string(REPLACE "$" "\\$" arg "${arg}")
      string(APPEND call " \"${arg}\"")
    endforeach()
  endif()
  if(INPUT)
    string(APPEND call " INPUT_FILE \"${INPUT}\"")
  endif()
  string(APPEND call " WORKING_DIRECTORY \"${WORK}\""
    " RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)")
  cmake_language(EVAL CODE "${call}")

  set(report "\n--- stdout\n${out}--- stderr\n${err}")
  if(NOT status STREQUAL "${WANT_STATUS}")
    message(FATAL_ERROR "exit status ${status}, expected ${WANT_STATUS}${report}")
  endif()
  if(DEFINED WANT_OUT)
    string(REPLACE "\\n" "\n" want "${WANT_OUT}")
    if(NOT out STREQUAL want)
      message(FATAL_ERROR "standard output differs; expected:\n${want}${report}")
    endif()
  endif()
  if(WANT_OUT_FILE)
    file(READ ${WANT_OUT_FILE} want)
    if(NOT out STREQUAL want)
      message(FATAL_ERROR "standard output differs from ${WANT_OUT_FILE}${report}")
    endif()
  endif()
  if(NO_OUT AND NOT out STREQUAL "")
    message(FATAL_ERROR "standard output should be empty${report}")
  endif()
  foreach(stream out err)
    string(TOUPPER "${stream}" upper)
    if(${upper}_HAS)
      string(REPLACE "|" ";" pieces "${${upper}_HAS}")
      foreach(piece IN LISTS pieces)
        string(FIND "${${stream}}" "${piece}" at)
        if(at EQUAL -1)
          message(FATAL_ERROR "std${stream} lacks '${piece}'${report}")
        endif()
      endforeach()
    endif()
  endforeach()
  return()
endif()

# tavik_cli_usage_test(NAME STATUS [IN file] [OUT text] [OUT_FILE file]
#                      [OUT_HAS pieces] [ERR_HAS pieces] [NO_OUT] ARGS args...)
# Write a ';' inside an argument as $<SEMICOLON>.
function(tavik_cli_usage_test name status)
  cmake_parse_arguments(PARSE_ARGV 2 T "NO_OUT" "IN;OUT;OUT_FILE;OUT_HAS;ERR_HAS" "ARGS")
  set(defs -DCLI=$<TARGET_FILE:tavik-cli> -DWANT_STATUS=${status}
    -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-usage-work/${name})
  set(i 0)
  foreach(arg IN LISTS T_ARGS)
    math(EXPR i "${i} + 1")
    list(APPEND defs "-DARG${i}=${arg}")
  endforeach()
  list(APPEND defs -DN=${i})
  foreach(key IN ITEMS OUT OUT_FILE OUT_HAS ERR_HAS)
    if(DEFINED T_${key})
      set(var ${key})
      if(NOT key MATCHES "_HAS$")
        set(var WANT_${key})
      endif()
      list(APPEND defs "-D${var}=${T_${key}}")
    endif()
  endforeach()
  if(T_IN)
    list(APPEND defs -DINPUT=${T_IN})
  endif()
  if(T_NO_OUT)
    list(APPEND defs -DNO_OUT=1)
  endif()
  add_test(NAME cli.usage.${name}
    COMMAND ${CMAKE_COMMAND} ${defs} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
endfunction()

set(cli_dir ${CMAKE_CURRENT_LIST_DIR})
string(REPEAT "\\n" 10 ten_empty_lines)
string(REPEAT "\\n" 9 nine_empty_lines)

tavik_cli_usage_test(help 0
  OUT_HAS "usage: tavik-cli|new C L|drag X1 Y1 X2 Y2|rclick X Y ARM|pick CATEGORY SLOT|clipboard"
  ARGS --help)
tavik_cli_usage_test(unknown_option 2 NO_OUT ERR_HAS "tavik-cli: |--frobnicate"
  ARGS --frobnicate)
tavik_cli_usage_test(e_without_command 2 NO_OUT ERR_HAS "tavik-cli: "
  ARGS -e)
tavik_cli_usage_test(script_and_e 2 NO_OUT ERR_HAS "tavik-cli: "
  ARGS ${cli_dir}/table.tvk -e show)
tavik_cli_usage_test(missing_script 2 NO_OUT ERR_HAS "tavik-cli: |no-such-script.tvk"
  ARGS no-such-script.tvk)

# Several commands in one -e, separated by ';'.
tavik_cli_usage_test(e_several_commands 0 OUT "${ten_empty_lines}"
  ARGS -e "new 20 10$<SEMICOLON> show")
# Several -e options run in order against the same canvas.
tavik_cli_usage_test(e_several_options 0 OUT "□\\n${nine_empty_lines}"
  ARGS -e "new 10 10" -e "click 0 0$<SEMICOLON> show")
# A quoted ';' belongs to the text, it does not end the command.
tavik_cli_usage_test(e_quoted_semicolon 0 OUT "a$<SEMICOLON>\\n"
  ARGS -e "clipboard \"a$<SEMICOLON>\"$<SEMICOLON> clipboard")
# A failing -e command: status 1, counted as the line of its -e option.
tavik_cli_usage_test(e_error 1 OUT "${ten_empty_lines}"
  ERR_HAS "tavik-cli: line 2: unknown command 'frobnicate'"
  ARGS -e "new 20 10$<SEMICOLON> show" -e "frobnicate$<SEMICOLON> show")

# The script from standard input, with '-' or with no SCRIPT at all.
tavik_cli_usage_test(stdin_dash 0 IN ${cli_dir}/table.tvk OUT_FILE ${cli_dir}/table.out
  ARGS -)
tavik_cli_usage_test(stdin_default 0 IN ${cli_dir}/table.tvk OUT_FILE ${cli_dir}/table.out)

# A SCRIPT that is a folder or cannot be read is a usage error, not an empty script.
tavik_cli_usage_test(script_is_folder 2 NO_OUT ERR_HAS "tavik-cli: |cannot read the script .|Is a directory"
  ARGS .)
tavik_cli_usage_test(script_unreadable 2 NO_OUT ERR_HAS "tavik-cli: |/proc/self/mem"
  ARGS /proc/self/mem)

# A failed write to standard output is told, with status 1.
add_test(NAME cli.usage.stdout_full
  COMMAND sh -c "err=$(\"$1\" -e show 2>&1 >/dev/full); test $? = 1 || exit 1; \
case \"$err\" in *'tavik-cli: cannot write to standard output'*) ;; *) echo \"$err\"; exit 1 ;; esac"
    sh $<TARGET_FILE:tavik-cli>)

# A reader that stops early (| head -c 10) is a failed write too, not a death
# by SIGPIPE.
add_test(NAME cli.usage.stdout_closed_early
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/closed_pipe.sh $<TARGET_FILE:tavik-cli>)

# Saving as an unprivileged user (setpriv) and on a full disk; skipped without root.
add_test(NAME cli.save_safety
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/save_safety.sh $<TARGET_FILE:tavik-cli>)
set_tests_properties(cli.save_safety PROPERTIES SKIP_RETURN_CODE 77)
