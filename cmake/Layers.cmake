# bivalo_layer(NAME [QT] [DEPENDS lib ...])
# The library of one layer folder, made of every .cpp in it (a folder with headers only
# gives an interface library). Includes are rooted at the project top, so code says
# #include "core/line_file.h".
function(bivalo_layer name)
  cmake_parse_arguments(L "QT" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  foreach(excluded ${L_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPENDS})
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  if(L_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
  endif()
endfunction()

# bivalo_test(NAME FOLDER [QT] [LABEL label] [TIMEOUT seconds] [DEPENDS lib ...])
# One GoogleTest program from every .cpp in FOLDER; every test process gets its own
# temporary settings file (tests/support). QT tests run with a QApplication on the
# offscreen platform. A LABEL lets a run take or leave those tests (ctest -L / -LE).
function(bivalo_test name folder)
  cmake_parse_arguments(T "QT" "LABEL;TIMEOUT" "DEPENDS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
  add_executable(${name} ${sources} ${headers})
  target_link_libraries(${name} PRIVATE ${T_DEPENDS} GTest::gtest GTest::gmock)
  # Each property takes one value: a list value would shift the pairs that follow it.
  set(properties TIMEOUT ${T_TIMEOUT})
  if(T_LABEL)
    list(APPEND properties LABELS ${T_LABEL})
  endif()
  if(T_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE bivalo_qt_test_main Qt6::Test)
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  else()
    target_link_libraries(${name} PRIVATE bivalo_test_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()
