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
endfunction()

# Page and window sources (linked into the UI library, never into an engine module).
set(QF_UI_PATTERN "(View|Widget|Dialog|Window)\\.cpp$")

# qf_module(NAME qf_x DEPS ...): a static library of this folder's engine sources. UI sources of
# the folder are handed to the UI library.
function(qf_module)
    cmake_parse_arguments(M "" "NAME" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(engine_sources)
    set(ui_sources)
    foreach(s IN LISTS sources)
        if(s MATCHES "${QF_UI_PATTERN}")
            list(APPEND ui_sources ${s})
        else()
            list(APPEND engine_sources ${s})
        endif()
    endforeach()
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    # Page headers belong to the UI library, where moc sees Qt Widgets.
    list(FILTER headers EXCLUDE REGEX "(View|Widget|Dialog|Window)\\.h$")
    if(engine_sources)
        add_library(${M_NAME} STATIC ${engine_sources} ${headers})
        qf_common_options(${M_NAME})
        target_link_libraries(${M_NAME} PUBLIC Qt6::Core ${M_DEPS})
        # The router and the send checkup call each other: let the linker see the cycle twice more.
        set_property(TARGET ${M_NAME} PROPERTY LINK_INTERFACE_MULTIPLICITY 3)
    else()
        add_library(${M_NAME} INTERFACE ${headers})
        target_include_directories(${M_NAME} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${M_NAME} INTERFACE Qt6::Core ${M_DEPS})
    endif()
    set_property(GLOBAL APPEND PROPERTY QF_MODULES ${M_NAME})
    if(ui_sources)
        set_property(GLOBAL APPEND PROPERTY QF_UI_SOURCES ${ui_sources})
    endif()
endfunction()

# qf_add_test(NAME test_x LABEL label SOURCES ... LIBS ...): a GoogleTest executable with the
# shared test main; each test case becomes one CTest test carrying the label.
function(qf_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
    # Several people add suites at once: a listed file that is not there yet is left out loudly.
    set(present)
    foreach(s IN LISTS T_SOURCES)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${s} OR EXISTS ${s})
            list(APPEND present ${s})
        else()
            message(WARNING "${T_NAME}: ${s} does not exist yet; left out")
        endif()
    endforeach()
    if(NOT present)
        return()
    endif()
    add_executable(${T_NAME} ${present})
    qf_common_options(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE qf_testsupport ${T_LIBS})
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${T_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()
