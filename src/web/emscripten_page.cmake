# The page, built with emscripten: its files as written in TOLVI_WEB_PAGE_DIR, and from them
# the release in TOLVI_WEB_SITE_DIR (one folder of static files that any web server can serve,
# with content-hashed names) and, when TOLVI_WEB_PACKAGE is set, that folder as a tarball.
set(TOLVI_WEB_SITE_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Folder the release is assembled in")
set(TOLVI_WEB_PAGE_DIR ${PROJECT_BINARY_DIR}/page CACHE PATH "Folder the page's files are built in")
set(TOLVI_WEB_PACKAGE "" CACHE FILEPATH "Tarball of the release, if any")
# Emscripten's JavaScript optimizer runs on Node.js and needs the acorn parser, which Debian
# installs outside the folders Node.js searches by itself.
set(TOLVI_NODE_PATH /usr/share/nodejs CACHE PATH "Where Node.js finds acorn for emscripten")
find_program(TOLVI_PYTHON python3 REQUIRED)
find_program(TOLVI_CONVERT convert REQUIRED)

# The module: the core's key rule, recalculation, field reading, error names and field length
# limit, as a plain WebAssembly module with C functions (module/calculator_bindings.cpp) that
# the page loads itself: no JavaScript glue, and native WebAssembly exceptions.
add_executable(tolvi_calculator module/calculator_bindings.cpp)
target_link_libraries(tolvi_calculator PRIVATE tolvi_calc)
target_link_options(tolvi_calculator PRIVATE
    -sSTANDALONE_WASM --no-entry -sALLOW_MEMORY_GROWTH=1
    # A small allocator: the module allocates a few short strings per keystroke.
    -sMALLOC=emmalloc)
set_target_properties(tolvi_calculator PROPERTIES
    SUFFIX ".wasm"
    RUNTIME_OUTPUT_DIRECTORY ${TOLVI_WEB_PAGE_DIR}
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=${TOLVI_NODE_PATH}")

# The static files. The page names the product, its maker and its version as the project
# defines them.
set(TOLVI_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
foreach(file index.html manifest.webmanifest sw.js)
    configure_file(page/${file}.in ${TOLVI_WEB_PAGE_DIR}/${file} @ONLY)
endforeach()
foreach(file
        about_dialog.js calculation_list.js calculator.js copy_buttons.js error_notice.js
        filtered_field.js help_menu.js kept_list.js main_window.js new_release.js
        page_address.js shrink_to_fit.js start_check.js tolvi.css)
    configure_file(page/${file} ${TOLVI_WEB_PAGE_DIR}/${file} COPYONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/resources/icon.png ${TOLVI_WEB_PAGE_DIR}/icon.png COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/logo.jpg ${TOLVI_WEB_PAGE_DIR}/logo.jpg COPYONLY)

# The app icons of the manifest, drawn at their sizes.
set(icons)
foreach(name icon-192 icon-512 icon-maskable-192 icon-maskable-512)
    list(APPEND icons ${TOLVI_WEB_PAGE_DIR}/${name}.png)
endforeach()
add_custom_command(OUTPUT ${icons}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/draw_icons ${TOLVI_WEB_PAGE_DIR}
    DEPENDS draw_icons
    COMMENT "Drawing the page's app icons"
    VERBATIM)

set(package_arguments)
if(TOLVI_WEB_PACKAGE)
    set(package_arguments --tarball ${TOLVI_WEB_PACKAGE}
        --folder tolvi-vat-web-${PROJECT_VERSION})
endif()
# Run on every build: the release's date follows the source tree's last commit.
add_custom_target(tolvi_web_site ALL
    COMMAND ${TOLVI_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/release_site.py
            --page ${TOLVI_WEB_PAGE_DIR} --site ${TOLVI_WEB_SITE_DIR}
            --source ${PROJECT_SOURCE_DIR} --date ${TOLVI_RELEASE_DATE} ${package_arguments}
    DEPENDS tolvi_calculator ${icons}
    COMMENT "Releasing the page into ${TOLVI_WEB_SITE_DIR}"
    VERBATIM)
