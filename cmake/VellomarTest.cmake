# In a sanitizer build every report, from a test or from a program it starts, lands in
# sanitizer-reports/ of the build folder; make test-sanitize fails when any is there.
if(VELLOMAR_SANITIZE)
  set(VELLOMAR_SANITIZER_REPORTS ${CMAKE_BINARY_DIR}/sanitizer-reports)
  file(MAKE_DIRECTORY ${VELLOMAR_SANITIZER_REPORTS})
  set(sanitizer_dir ${CMAKE_SOURCE_DIR}/tests/sanitizers)
  set(asan_options log_path=${VELLOMAR_SANITIZER_REPORTS}/asan:detect_leaks=1)
  set(VELLOMAR_SANITIZER_ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${sanitizer_dir}/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=log_path=${VELLOMAR_SANITIZER_REPORTS}/ubsan:print_stacktrace=1:halt_on_error=1")
  # A process hosting the browser pane runs Qt WebEngine's Chromium, which is not instrumented:
  # it deletes some of its own objects with another size than it allocated them with, and keeps
  # many alive at exit on purpose, allocated through frames the leak checker cannot unwind and
  # so cannot tell from ours. In the tests that host it (or start the client), those two checks
  # are off; every other ASan and UBSan check stays on there, and every other test checks leaks.
  set(VELLOMAR_BROWSER_SANITIZER_ENVIRONMENT ${VELLOMAR_SANITIZER_ENVIRONMENT}
      "ASAN_OPTIONS=${asan_options}:detect_leaks=0:new_delete_type_mismatch=0")
  list(APPEND VELLOMAR_SANITIZER_ENVIRONMENT "ASAN_OPTIONS=${asan_options}")
endif()

# vellomar_add_test(test_<subject> [SOURCES extra...] LIBS lib... [USES program...]
#                   [DISPLAY | ACCESSIBILITY] [WITHOUT_WINDOW_MANAGER_TOO])
# The Qt Test executable test_<subject>, made from test_<subject>.cpp in the current folder (and
# the extra sources) with the test support library, and registered with CTest. USES names the
# programs of the build that the test starts; they are built before it. Widget and painting
# tests run on the offscreen platform; DISPLAY tests run under their own Xvfb; ACCESSIBILITY
# tests run under their own Xvfb with the accessibility bus, which Qt needs before it raises
# accessibility events. WITHOUT_WINDOW_MANAGER_TOO registers a DISPLAY test a second time, as
# test_<subject>_nowm, on a bare Xvfb. Every test gets fresh settings and runtime folders
# (scripts/run-test).
function(vellomar_add_test name)
  cmake_parse_arguments(T "DISPLAY;ACCESSIBILITY;WITHOUT_WINDOW_MANAGER_TOO" "" "SOURCES;LIBS;USES" ${ARGN})
  if(NOT name MATCHES "^test_[a-z0-9_]+$")
    message(FATAL_ERROR "test ${name}: tests are named test_<subject>, in lower case")
  endif()
  add_executable(${name} ${name}.cpp ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Vellomar::testsupport ${T_LIBS})
  if(T_USES)
    add_dependencies(${name} ${T_USES})
  endif()
  set(how)
  foreach(option DISPLAY ACCESSIBILITY WITHOUT_WINDOW_MANAGER_TOO)
    if(T_${option})
      list(APPEND how ${option})
    endif()
  endforeach()
  # The browser pane's engine runs in the tests that link it, and in those that start the client.
  if(T_LIBS MATCHES "(^|;|::)(browser|app)(;|$)" OR T_USES MATCHES "(^|;)vellomar(;|$)")
    list(APPEND how BROWSER)
  endif()
  # The client loads the engine from its module at run time; tests reach into the engine's page
  # view (PageSupport.h), so they link the engine's libraries themselves.
  if(T_LIBS MATCHES "(^|;|::)(browser|app)(;|$)")
    target_link_libraries(${name} PRIVATE Qt6::WebEngineWidgets)
  endif()
  vellomar_register_test(${name} ${how} COMMAND $<TARGET_FILE:${name}>)
endfunction()

# vellomar_register_test(NAME [DISPLAY | ACCESSIBILITY] [WITHOUT_WINDOW_MANAGER_TOO] [BROWSER]
#                        COMMAND command...)
# Registers a command as a test, run as every test is (see above). BROWSER: it hosts the
# browser engine, or starts the client.
function(vellomar_register_test name)
  cmake_parse_arguments(T "DISPLAY;ACCESSIBILITY;WITHOUT_WINDOW_MANAGER_TOO;BROWSER" "" "COMMAND" ${ARGN})
  set(run ${CMAKE_SOURCE_DIR}/scripts/run-test)
  set(xvfb ${CMAKE_SOURCE_DIR}/scripts/with-xvfb)
  if(T_ACCESSIBILITY)
    add_test(NAME ${name} COMMAND ${run} ${xvfb} ${CMAKE_SOURCE_DIR}/scripts/with-accessibility-bus ${T_COMMAND})
  elseif(T_DISPLAY)
    add_test(NAME ${name} COMMAND ${run} ${xvfb} ${T_COMMAND})
  else()
    add_test(NAME ${name} COMMAND ${run} ${T_COMMAND})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  set(registered ${name})
  if(T_WITHOUT_WINDOW_MANAGER_TOO)
    add_test(NAME ${name}_nowm COMMAND ${run} ${xvfb} --no-window-manager ${T_COMMAND})
    list(APPEND registered ${name}_nowm)
  endif()
  set(sanitizer_environment ${VELLOMAR_SANITIZER_ENVIRONMENT})
  if(T_DISPLAY OR T_ACCESSIBILITY OR T_BROWSER)
    set(sanitizer_environment ${VELLOMAR_BROWSER_SANITIZER_ENVIRONMENT})
  endif()
  set_property(TEST ${registered} APPEND PROPERTY ENVIRONMENT
               QTWEBENGINE_DISABLE_SANDBOX=1 QT_LOGGING_RULES=qt.webenginecontext.debug=false
               ${sanitizer_environment})
  set_property(TEST ${registered} PROPERTY TIMEOUT 300)
endfunction()

# vellomar_add_link_test(NAME TARGET PATTERN)
# A test that TARGET's executable loads no shared library whose name matches PATTERN (an
# extended regular expression): what a program must start without.
function(vellomar_add_link_test name target pattern)
  add_test(NAME ${name} COMMAND sh -c "! ldd \"$1\" | grep -E \"$2\"" sh $<TARGET_FILE:${target}> "${pattern}")
endfunction()
