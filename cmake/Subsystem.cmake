# One static core library per subsystem folder, made of the .cpp files of its
# concept folders (no Qt), and, when the GUI is built, one library of its
# windows from the folder's ui/. Test doubles live under tests/support and are
# never part of these libraries. New files are picked up when CMake re-runs
# (CONFIGURE_DEPENDS).
function(add_subsystem name)
    cmake_parse_arguments(ARG "" "" "CORE_LIBS;UI_LIBS" ${ARGN})
    file(GLOB_RECURSE core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER core_sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/ui/")
    if(core_sources)
        add_library(${name}_core STATIC ${core_sources})
        target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name}_core PUBLIC ${ARG_CORE_LIBS})
    else()
        add_library(${name}_core INTERFACE)
        target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name}_core INTERFACE ${ARG_CORE_LIBS})
    endif()

    file(GLOB_RECURSE ui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
    if(WITH_GUI AND ui_sources)
        add_library(${name}_ui STATIC ${ui_sources})
        target_link_libraries(${name}_ui PUBLIC ${name}_core Qt6::Widgets ${ARG_UI_LIBS})
    endif()
endfunction()
