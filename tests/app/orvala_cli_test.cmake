# The program's command line: a bad one ends with status 2 and says why on stderr, as
# orvala-tool does; --help and --version answer with status 0. PROGRAM comes from the caller.

function(run expected_rc)
  execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err TIMEOUT 60)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "orvala ${ARGN}: exit ${rc}, expected ${expected_rc}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_in text where)
  string(FIND "${where}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing \"${text}\" in:\n${where}")
  endif()
endfunction()

run(2 --no-such-option)
expect_in("orvala: Unknown option 'no-such-option'" "${err}")
run(2 --home)
expect_in("orvala: Missing value after '--home'" "${err}")
run(2 --demo --quit-after-deals)
expect_in("--quit-after-deals" "${err}")
run(2 --demo --quit-after-deals many)
expect_in("--quit-after-deals needs a number of deals" "${err}")
run(2 --seed -1x)
expect_in("--seed needs a whole number" "${err}")

run(2 --sound-log)
expect_in("orvala: Missing value after '--sound-log'" "${err}")

run(0 --help)
expect_in("--home <DIR>" "${out}")
expect_in("--sound-log <FILE>" "${out}")
expect_in("--demo" "${out}")
run(0 --version)
expect_in("Orvala ${VERSION}" "${out}")
