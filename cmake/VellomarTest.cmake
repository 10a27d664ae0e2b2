# vellomar_add_test(NAME SOURCES... LIBS lib... [DISPLAY | ACCESSIBILITY])
# A Qt Test executable registered with CTest. Widget and painting tests run on the
# offscreen platform; DISPLAY tests run under their own Xvfb; ACCESSIBILITY tests run under
# their own Xvfb with the accessibility bus, which Qt needs before it raises accessibility events.
function(vellomar_add_test name)
  cmake_parse_arguments(T "DISPLAY;ACCESSIBILITY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELLOMAR_BIN_DIR})
  if(T_ACCESSIBILITY)
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-test ${CMAKE_SOURCE_DIR}/scripts/with-xvfb
                     ${CMAKE_SOURCE_DIR}/scripts/with-accessibility-bus $<TARGET_FILE:${name}>)
  elseif(T_DISPLAY)
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-test ${CMAKE_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-test $<TARGET_FILE:${name}>)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
               QTWEBENGINE_DISABLE_SANDBOX=1 QT_LOGGING_RULES=qt.webenginecontext.debug=false)
  set_property(TEST ${name} PROPERTY TIMEOUT 300)
endfunction()

# vellomar_add_link_test(NAME TARGET PATTERN)
# A test that TARGET's executable loads no shared library whose name matches PATTERN (an
# extended regular expression): what a program must start without.
function(vellomar_add_link_test name target pattern)
  add_test(NAME ${name} COMMAND sh -c "! ldd \"$1\" | grep -E \"$2\"" sh $<TARGET_FILE:${target}> "${pattern}")
endfunction()
