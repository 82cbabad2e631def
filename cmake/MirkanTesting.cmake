# SPDX-License-Identifier: MIT
# mirkan_add_qtest(NAME name SOURCES a.cpp ... LIBS lib ... [LABELS l ...] [TIMEOUT s] [SERIAL])
# builds one QtTest executable and registers it with CTest. Widget tests run
# on the offscreen platform; e2e tests start their own X server. SERIAL (implied by
# the label e2e) runs the test alone: it waits on real processes, sockets or timers,
# which a machine busy with other tests slows down.

# One factor for every time bound of the suite: CTest's limits are multiplied by it,
# and the tests read it as MIRKAN_TIME_SCALE to stretch their own waits (TestTime.h).
if(MIRKAN_SANITIZE)
    set(mirkan_default_time_scale 4)
else()
    set(mirkan_default_time_scale 1)
endif()
set(MIRKAN_TEST_TIME_SCALE ${mirkan_default_time_scale} CACHE STRING
    "Whole-number factor for the tests' time limits (raised for slow builds)")

function(mirkan_add_qtest)
    cmake_parse_arguments(T "SERIAL" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    mirkan_target_defaults(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${T_NAME} PRIVATE
        MIRKAN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    math(EXPR timeout "${T_TIMEOUT} * ${MIRKAN_TEST_TIME_SCALE}")
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${timeout}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;MIRKAN_TIME_SCALE=${MIRKAN_TEST_TIME_SCALE}")
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
    if(T_SERIAL OR "e2e" IN_LIST T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
    endif()
endfunction()
