# Build helpers shared by every folder.

set(QF_WARNINGS -Wall -Wextra -Wpedantic)
if(QUILLFERN_WERROR)
    list(APPEND QF_WARNINGS -Werror)
endif()

function(qf_common_options target)
    target_compile_options(${target} PRIVATE ${QF_WARNINGS})
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_BYTEARRAY)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    if(QUILLFERN_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
    if(QUILLFERN_TSAN)
        # -O1 as the sanitizer's documentation advises: a Debug build at -O0 runs several times slower.
        target_compile_options(${target} PRIVATE -fsanitize=thread -O1 -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=thread)
    endif()
endfunction()

# qf_engine(NAME qf_x SOURCES ... DEPS ...): a static library of engine code. It links Qt Core and
# what DEPS names, never Qt Widgets.
function(qf_engine)
    cmake_parse_arguments(M "" "NAME" "SOURCES;DEPS" ${ARGN})
    add_library(${M_NAME} STATIC ${M_SOURCES})
    qf_common_options(${M_NAME})
    target_link_libraries(${M_NAME} PUBLIC Qt6::Core ${M_DEPS})
endfunction()

# qf_page(NAME qf_x_page SOURCES ... DEPS ...): a static library of pages and widgets on top of
# the page kit.
function(qf_page)
    cmake_parse_arguments(M "" "NAME" "SOURCES;DEPS" ${ARGN})
    add_library(${M_NAME} STATIC ${M_SOURCES})
    qf_common_options(${M_NAME})
    target_link_libraries(${M_NAME} PUBLIC Qt6::Widgets ${M_DEPS})
endfunction()

# qf_add_test(NAME test_x LABEL label SOURCES ... LIBS ...): a GoogleTest executable with the
# shared test main; each test case becomes one CTest test carrying the label.
function(qf_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    qf_common_options(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE qf_testsupport ${T_LIBS})
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${T_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()
