# Compiles selector_text.cpp with WRONG_COUNT: the compiler must refuse it,
# with one error for each of its four disagreeing texts.
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${ROOT} -DWRONG_COUNT ${SOURCE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  message(FATAL_ERROR "texts that disagree with their members compiled")
endif()
string(REGEX MATCHALL "error: [^\n]*(SelectorText|selector_text_must_have_one_colon)" errors "${err}")
list(LENGTH errors count)
if(NOT count EQUAL 4)
  message(FATAL_ERROR "expected 4 errors about selector texts, got ${count}:\n${err}")
endif()
