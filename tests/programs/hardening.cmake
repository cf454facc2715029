# The programs are built hardened: bound at start-up (BIND_NOW), read-only relocations
# (GNU_RELRO), position-independent (type DYN), and with fortified libc calls or the
# stack protector. Run by CTest with -DPROGRAMS=<the programs, ;-separated>.

find_program(READELF readelf REQUIRED)
foreach(program ${PROGRAMS})
  execute_process(COMMAND ${READELF} --file-header --program-headers --dynamic --dyn-syms
                          --wide ${program} OUTPUT_VARIABLE elf RESULT_VARIABLE rc)
  set(lacks)
  if(NOT rc EQUAL 0)
    set(lacks "a readable ELF file")
  endif()
  if(NOT elf MATCHES "\\(BIND_NOW\\)|\\(FLAGS_1\\)[^\n]* NOW")
    list(APPEND lacks BIND_NOW)
  endif()
  if(NOT elf MATCHES "\n +GNU_RELRO ")
    list(APPEND lacks GNU_RELRO)
  endif()
  if(NOT elf MATCHES "\n +Type: +DYN ")
    list(APPEND lacks "PIE (type DYN)")
  endif()
  if(NOT elf MATCHES " __[a-z0-9_]+_chk(@| |\n)")
    list(APPEND lacks "__*_chk or __stack_chk_fail")
  endif()
  if(lacks)
    message(FATAL_ERROR "${program} lacks ${lacks}")
  endif()
endforeach()
