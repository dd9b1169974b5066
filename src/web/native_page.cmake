# Builds the page from a native build: this source tree configured again with the Emscripten
# toolchain (Debian's emscripten), as an external project whose site lands in site/ here.
include(ExternalProject)

find_program(TOLVI_EM_CONFIG em-config)
if(NOT TOLVI_EM_CONFIG)
    message(FATAL_ERROR "TOLVI_BUILD_WEB needs emscripten (scripts/install-packages web installs it)")
endif()
execute_process(COMMAND ${TOLVI_EM_CONFIG} EMSCRIPTEN_ROOT
                OUTPUT_VARIABLE emscripten_root OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(emscripten_toolchain ${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

# emscripten must not see /usr/include, whose C library headers are not its own: it gets a copy
# of the header-only fast_float.
find_path(TOLVI_FAST_FLOAT_HEADERS fast_float/fast_float.h REQUIRED)
set(web_include ${CMAKE_CURRENT_BINARY_DIR}/include)
file(COPY ${TOLVI_FAST_FLOAT_HEADERS}/fast_float DESTINATION ${web_include})

# The page's files as built, their release and the release as one archive whose files unpack
# into tolvi-vat-web-VERSION/.
set(TOLVI_WEB_SITE_DIR ${PROJECT_BINARY_DIR}/site)
set(TOLVI_WEB_PAGE_DIR ${PROJECT_BINARY_DIR}/page)
set(TOLVI_WEB_PACKAGE ${PROJECT_BINARY_DIR}/tolvi-vat-web-${PROJECT_VERSION}.tar.gz)
set(TOLVI_WEB_SITE_DIR ${TOLVI_WEB_SITE_DIR} PARENT_SCOPE)
set(TOLVI_WEB_PAGE_DIR ${TOLVI_WEB_PAGE_DIR} PARENT_SCOPE)
set(TOLVI_WEB_PACKAGE ${TOLVI_WEB_PACKAGE} PARENT_SCOPE)
ExternalProject_Add(tolvi_web
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/emscripten
    PREFIX ${CMAKE_CURRENT_BINARY_DIR}/external
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${emscripten_toolchain}
        -DCMAKE_BUILD_TYPE=MinSizeRel
        -DTOLVI_FAST_FLOAT_INCLUDE_DIR=${web_include}
        -DTOLVI_WEB_SITE_DIR=${TOLVI_WEB_SITE_DIR}
        -DTOLVI_WEB_PAGE_DIR=${TOLVI_WEB_PAGE_DIR}
        -DTOLVI_WEB_PACKAGE=${TOLVI_WEB_PACKAGE}
        -DTOLVI_WERROR=${TOLVI_WERROR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target tolvi_web_site
    INSTALL_COMMAND ""
    # The inner build decides what is out of date.
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)

# The tarball is made with the release; this target names it for scripts/web.
add_custom_target(tolvi_web_package DEPENDS tolvi_web)
