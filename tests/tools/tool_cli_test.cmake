# Runs orvala-tool as a maintainer would and checks what it prints and its exit status.
# Called as: cmake -DTOOL=path -DSAMPLE_GIF=recording -P tool_cli_test.cmake

function(run expected_status expected_regex)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "orvala-tool ${ARGN}: exit ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${expected_regex}")
    message(FATAL_ERROR "orvala-tool ${ARGN}: output does not match ${expected_regex}:\n${out}${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

# deal: the seven lines per deal, three deals, seeded and repeatable.
set(card "[9JQKTA][hdcs]")
set(hand "${card} ${card} ${card} ${card} ${card} ${card} ${card}")
run(0 "^deal 1\nfirst-bidder [123]\nseat1 ${hand}\nseat2 ${hand}\nseat3 ${hand}\ntalon ${card} ${card} ${card}\nscores 1000 1000 1000\n.*deal 3\n" deal --seed 1 --deals 3)
set(first "${last_output}")
run(0 "deal 3" deal --seed 1 --deals 3)
if(NOT first STREQUAL last_output)
  message(FATAL_ERROR "deal --seed 1 is not repeatable")
endif()
# KonNumber 4 (stored counter 3): seat 2 bids first, then seat 3, then seat 1.
run(0 "first-bidder 2\n.*first-bidder 3\n.*first-bidder 1\n" deal --seed 9 --kon 3 --deals 3)
run(0 "scores 500 500 500" deal --seed 2 --start500)

# score: the settlement of one deal.
run(0 "^scores 620 485 475\nbolts 0 0 0\nsounds WKoBadX\nstate 20\n$"
    score --declarer 1 --contract 120 --points 118,13,27 --scores 500,500,500)
run(0 "^scores 0 300 450\nbolts 0 1 1\nsounds WKoBads\nstate 21\nresults 750 -150 -600\n$"
    score --declarer 1 --contract 120 --points 120,0,0 --scores 120,300,450)
run(0 "^scores 400 620 620\nbolts 0 0 0\nsounds WKoGutX WKoloNo WKoloNo\nstate 20\n$"
    score --declarer 1 --contract 100 --points 120,0,0 --scores 500,500,500 --bolts 0,2,2)
run(0 "^scores 600 460 -20\n" score --declarer 1 --contract 100 --points 0,40,80 --scores 500,500,60 --rules 011101)

# Bad arguments: a clear message and status 2.
run(2 "seat" score --declarer 4 --contract 100 --points 0,0,0 --scores 1,1,1)
run(2 "malformed rule line" score --declarer 1 --contract 100 --points 0,0,0 --scores 1,1,1 --rules 01x111)
run(2 "three|3 comma" score --declarer 1 --contract 100 --points 0,0 --scores 1,1,1)
run(2 "required" score --declarer 1)
run(2 "whole number" deal --seed abc)
run(2 "unexpected argument" deal --seed 1 extra)
run(2 "unknown command" shuffle)
run(2 "usage" )

# bench: the search's behaviour signature. A change of the search that moves it says so in its
# commit, and updates the figures here.
run(0 "^bench: layouts 248 nodes 299236 signature b144bcda29b102ed\n" bench)

# gif-info: a recording made by make_sample_gif, and files it must refuse.
run(0 "^valid GIF89a\nsize 80 x 64\nframes 3\nframe 1 delay 1000 ms\nframe 2 delay 1000 ms\nframe 3 delay 5000 ms\n$"
    gif-info ${SAMPLE_GIF})
file(WRITE ${SAMPLE_GIF}.cut "GIF89aP")
run(2 "not a valid GIF89a: damaged or truncated" gif-info ${SAMPLE_GIF}.cut)
file(WRITE ${SAMPLE_GIF}.old "GIF87a")
run(2 "not a valid GIF89a: a GIF87a file" gif-info ${SAMPLE_GIF}.old)
file(REMOVE ${SAMPLE_GIF}.cut ${SAMPLE_GIF}.old)
run(2 "not a valid GIF89a: no such file" gif-info ${SAMPLE_GIF}.missing)
run(2 "gif-info takes one FILE" gif-info)

# calendar: the cards of a day, one line each; a bad date is refused.
run(0 "^date 9 May Taurus\nyear Year Of The Tiger\nholiday R_VICTORY Victory day in Great Patriotic war \\(77-th anniversary, Russian Festival\\)\n$"
    calendar --date 2022-05-09)
run(0 "^date 1 Январь Козерог\nyear Год Дракона\nholiday R_NEWYEAR Новый год\n$" calendar --date 2024-01-01 --lang 1)
run(0 "^date 12 September Virgo\nyear Year Of The Dragon\nholiday R_PROGRAM Programmer`s day\n$" calendar --date 2024-09-12)
run(0 "^date 18 March Pisces\nyear Year Of The Rabbit\n$" calendar --date 2023-03-18)
run(2 "not a date YYYY-MM-DD" calendar --date 2023-02-29)
run(2 "not a date YYYY-MM-DD" calendar --date 1899-12-31)
run(2 "not a date YYYY-MM-DD" calendar --date 9.5.2022)
run(2 "--lang" calendar --date 2022-05-09 --lang 10)
run(2 "required" calendar)

# sounds: every wave the events name, with its length, and the tune.
run(0 "^WTasoKo [0-9]+ ms\n.*WHodsDo [0-9]+ ms\n.*STimerB [0-9]+ ms\nMidiSong [0-9]+ bytes\n$" sounds)
run(2 "sounds takes no arguments" sounds extra)

# voices: the voice library the build speaks holds all 240 names; a damaged one is refused.
if(VOICE_LIBRARY)
  run(0 "Ch3QVoiceKor [0-9]+ ms\n.*240 of the game's 240 voices\n$" voices ${VOICE_LIBRARY})
  execute_process(COMMAND head -c 600 ${VOICE_LIBRARY} OUTPUT_FILE ${SCRATCH}/cut.dll)
  run(2 "cut.dll: not a valid voice library" voices ${SCRATCH}/cut.dll)
  file(REMOVE ${SCRATCH}/cut.dll)
endif()
run(2 "missing.dll: cannot be read" voices ${SCRATCH}/missing.dll)
run(2 "voices takes one FILE" voices)
# club: a new file, a member's games up to a cycle's end, and files it must refuse.
set(CLUB ${SAMPLE_GIF}.club)
file(REMOVE ${CLUB})
run(0 "^written " club new ${CLUB})
run(2 "already exists" club new ${CLUB})
run(0 "^ok\nmember 1 -\n.*top 1 Orvala 1500\n.*top 10 Beginner 100\ndistribution orv\n$" club check ${CLUB})
run(0 "^Olga                  5,000000      1    250" club game ${CLUB} --name Olga --new --password abc --result 250)
foreach(game RANGE 2 24)
  run(0 "" club game ${CLUB} --name Olga --password abc --result 40)
endforeach()
run(0 "^Olga                  0,936000     25      0[^\n]*\nplace 3 score 1170\n$" club game ${CLUB} --name Olga --password abc --result 0)
run(0 "member 1 Olga rating 0,936000 games 25 score 0\n.*top 3 Olga 1170\n.*top 10 Nikolai 200\n" club check ${CLUB})
run(2 "incorrect password" club game ${CLUB} --name Olga --password abd --result 5)
run(2 "no member" club game ${CLUB} --name Nobody --result 5)
run(2 "required" club game ${CLUB} --name Olga)
file(READ ${CLUB} text)
string(REPLACE "Olga" "Plga" text "${text}")
file(WRITE ${CLUB}.bad "${text}")
run(2 "checksum mismatch" club check ${CLUB}.bad)
file(REMOVE ${CLUB} ${CLUB}.bad)
run(2 "missing" club check ${CLUB})

# history: a fresh folder gets file 0001; a damaged one is refused.
set(HISTORY ${SAMPLE_GIF}.history)
file(REMOVE_RECURSE ${HISTORY})

# replay: a game log that the records test wrote goes through the rules again; a damaged copy is
# refused with its line, a changed bid with its deal and move.
set(LOG ${GAME_LOGS}/game_seed7.log)
run(0 "^valid games 1 deals 21\n$" replay --check ${LOG})
run(0 "^deal 2\nreset-table\n.*\nstep 1 bid 2 100\nbubble 2 \"I play on 100\"\n.*\nstep 9 give-up 2\n.*\nscores 1100 1100 1000\n$"
    replay ${LOG} --deal 2)
file(READ ${LOG} text)
string(REPLACE "deck 9s Jh" "deck 9s 9s" text "${text}")
file(WRITE ${SAMPLE_GIF}.log "${text}")
run(2 "line 22: the deck is not the 24 different cards" replay --check ${SAMPLE_GIF}.log)
file(READ ${LOG} text)
string(FIND "${text}" "seat 2" at)
string(SUBSTRING "${text}" 0 ${at} text)
file(WRITE ${SAMPLE_GIF}.log "${text}seat 2 Bo")
run(2 "line 4: the seats' names are cut short" replay ${SAMPLE_GIF}.log)
file(REMOVE ${SAMPLE_GIF}.log)
run(1 "^refused: deal 2, move 1 \\(move bid 2 105\\): the rules refuse it\n$"
    replay --check ${GAME_LOGS}/refused_bid.log)
run(2 "holds 21 deals" replay ${LOG} --deal 22)
run(2 "replay takes one FILE" replay --check)
# match: duplicate deals tell the levels apart; the same match twice prints the same.
run(0 "^match deals 12 a-minus-b ([0-9]+)\\.[0-9][0-9] se ([0-9]+)\\.[0-9][0-9]\nmatch slowest-decision-ms [0-9.]+\nmatch a-decision-ms median [0-9.]+ slowest [0-9.]+\nmatch b-decision-ms median [0-9.]+ slowest [0-9.]+\n$"
    match --deals 12 --seed 3 --a classic --b random)
string(REGEX MATCH "a-minus-b ([0-9]+)[^\n]* se ([0-9]+)" found "${last_output}")
if(CMAKE_MATCH_1 LESS 30 OR CMAKE_MATCH_1 LESS_EQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "the computer players did not beat random ones: ${last_output}")
endif()
string(REGEX MATCH "^match deals[^\n]*" first "${last_output}")
run(0 "" match --deals 12 --seed 3 --a classic --b random)
string(REGEX MATCH "^match deals[^\n]*" again "${last_output}")
if(NOT first STREQUAL again)
  message(FATAL_ERROR "match --seed 3 is not repeatable: ${first} / ${again}")
endif()
# Two workers share the deals and print the same figures.
run(0 "" match --deals 12 --seed 3 --a classic --b random --threads 2)
string(REGEX MATCH "^match deals[^\n]*" shared "${last_output}")
if(NOT first STREQUAL shared)
  message(FATAL_ERROR "match --threads 2 differs from one worker: ${first} / ${shared}")
endif()
run(0 "^match deals 2 a-minus-b -?[0-9]+\\.[0-9][0-9] se [0-9]+\\.[0-9][0-9]\n"
    match --deals 2 --seed 1 --a expert --b classic)
run(2 "the levels are classic, expert and random" match --deals 4 --seed 1 --a master --b classic)
run(2 "--deals, --seed, --a and --b are required" match --deals 4 --seed 1)

run(0 "Orvala_I0001.hst\n$" history add ${HISTORY} --player Anna --result 250 --rating 5 --kind local)
run(0 "Orvala_I0001.hst\n$" history add ${HISTORY} --player Anna/Bob --result -40 --rating -0.8 --kind net)
run(0 "^valid games 2\n$" history check ${HISTORY}/Orvala_I0001.hst)
file(READ ${HISTORY}/Orvala_I0001.hst text)
string(REPLACE "Anna/Bob" "Anna/Rob" text "${text}")
file(WRITE ${HISTORY}/Orvala_I0001.hst "${text}")
run(2 "^invalid\n$" history check ${HISTORY}/Orvala_I0001.hst)
run(0 "set aside as .*Orvala_I0001.hst.bad\n.*Orvala_I0001.hst\n$" history add ${HISTORY} --player Anna --result 1 --rating 5 --kind local)
run(2 "--kind is local" history add ${HISTORY} --player Anna --result 1 --rating 5 --kind web)
run(2 "--rating must be" history add ${HISTORY} --player Anna --result 1 --rating 120 --kind local)
file(REMOVE_RECURSE ${HISTORY})
