# bivalo_layer(NAME SOURCES ... [QT] [DEPENDS lib ...])
# One static library per layer folder; includes are rooted at the project top,
# so code says #include "core/line_file.h".
function(bivalo_layer name)
  cmake_parse_arguments(L "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  if(L_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
  endif()
endfunction()

# bivalo_test(NAME SOURCES ... [QT] [DEPENDS lib ...])
# A GoogleTest program; every test process gets its own temporary settings file
# (see tests/support). QT tests run on the offscreen platform with a QApplication.
function(bivalo_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPENDS} GTest::gtest GTest::gmock)
  if(T_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE bivalo_qt_test_main Qt6::Test)
    set(env "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
  else()
    target_link_libraries(${name} PRIVATE bivalo_test_main)
    set(env "")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
