# vellomar_add_test(test_<subject> [SOURCES extra...] LIBS lib... [USES program...]
#                   [DISPLAY | ACCESSIBILITY])
# The Qt Test executable test_<subject>, made from test_<subject>.cpp in the current folder (and
# the extra sources) with the test support library, and registered with CTest. USES names the
# programs of the build that the test starts; they are built before it. Widget and painting
# tests run on the offscreen platform; DISPLAY tests run under their own Xvfb; ACCESSIBILITY
# tests run under their own Xvfb with the accessibility bus, which Qt needs before it raises
# accessibility events. Every test gets fresh settings and runtime folders (scripts/run-test).
function(vellomar_add_test name)
  cmake_parse_arguments(T "DISPLAY;ACCESSIBILITY" "" "SOURCES;LIBS;USES" ${ARGN})
  if(NOT name MATCHES "^test_[a-z0-9_]+$")
    message(FATAL_ERROR "test ${name}: tests are named test_<subject>, in lower case")
  endif()
  add_executable(${name} ${name}.cpp ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Vellomar::testsupport ${T_LIBS})
  if(T_USES)
    add_dependencies(${name} ${T_USES})
  endif()
  vellomar_register_test(${name} ${T_DISPLAY} ${T_ACCESSIBILITY} $<TARGET_FILE:${name}>)
endfunction()

# vellomar_register_test(NAME DISPLAY ACCESSIBILITY COMMAND...)
# Registers a command as a test with the environment and wrappers every test runs in.
function(vellomar_register_test name display accessibility)
  set(run ${CMAKE_SOURCE_DIR}/scripts/run-test)
  set(xvfb ${CMAKE_SOURCE_DIR}/scripts/with-xvfb)
  if(accessibility)
    add_test(NAME ${name} COMMAND ${run} ${xvfb} ${CMAKE_SOURCE_DIR}/scripts/with-accessibility-bus ${ARGN})
  elseif(display)
    add_test(NAME ${name} COMMAND ${run} ${xvfb} ${ARGN})
  else()
    add_test(NAME ${name} COMMAND ${run} ${ARGN})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
               QTWEBENGINE_DISABLE_SANDBOX=1 QT_LOGGING_RULES=qt.webenginecontext.debug=false)
  set_property(TEST ${name} PROPERTY TIMEOUT 300)
endfunction()
