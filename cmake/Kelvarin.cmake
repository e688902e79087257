add_library(kv_warnings INTERFACE)
target_compile_options(kv_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)

# kv_layer(<folder> [DEPENDS libs...] [PRIVATE libs...]): one static library per src/ folder,
# built from every .cpp in it; a folder without sources yet is an interface library.
function(kv_layer name)
    cmake_parse_arguments(A "" "" "DEPENDS;PRIVATE" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(srcs)
        add_library(kv_${name} STATIC ${srcs})
        target_include_directories(kv_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(kv_${name} PUBLIC ${A_DEPENDS} PRIVATE kv_warnings ${A_PRIVATE})
    else()
        add_library(kv_${name} INTERFACE)
        target_include_directories(kv_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(kv_${name} INTERFACE ${A_DEPENDS})
    endif()
endfunction()

# kv_test(<folder> LIBS libs...): one GoogleTest executable per tests/ folder.
function(kv_test name)
    cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT srcs)
        return()
    endif()
    add_executable(test_${name} ${srcs})
    target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(test_${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main kv_warnings)
    gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 TEST_PREFIX "${name}."
                         PROPERTIES ENVIRONMENT "KELVARIN_HEADLESS=1")
endfunction()
