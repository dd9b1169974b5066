# The page, built with emscripten into TOLVI_WEB_SITE_DIR: one folder of static files that any
# web server can serve.
set(TOLVI_WEB_SITE_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Folder the page is assembled in")
# Emscripten's JavaScript optimizer runs on Node.js and needs the acorn parser, which Debian
# installs outside the folders Node.js searches by itself.
set(TOLVI_NODE_PATH /usr/share/nodejs CACHE PATH "Where Node.js finds acorn for emscripten")

# The module: the core's key rule, recalculation, error names and field length limit.
add_executable(tolvi_calculator module/calculator_bindings.cpp)
target_link_libraries(tolvi_calculator PRIVATE tolvi_calc)
target_link_options(tolvi_calculator PRIVATE
    --bind
    # An ES module whose default export creates the module; it runs in a browser only.
    -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createCalculatorModule -sENVIRONMENT=web
    # No eval or new Function: the page's Content Security Policy forbids them.
    -sDYNAMIC_EXECUTION=0
    -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1
    # A small allocator: the module allocates a few short strings per keystroke.
    -sMALLOC=emmalloc)
set_target_properties(tolvi_calculator PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TOLVI_WEB_SITE_DIR}
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=${TOLVI_NODE_PATH}")

# The static files. The page names the product, its maker and its version as the project
# defines them.
set(TOLVI_LEGAL_NOTICE "Copyright © ${TOLVI_COMPANY_NAME}")
configure_file(page/index.html.in ${TOLVI_WEB_SITE_DIR}/index.html @ONLY)
foreach(file
        about_dialog.js calculator.js error_notice.js field_length_limit.js filtered_field.js
        help_menu.js main_window.js mode_buttons.js shrink_to_fit.js tolvi.css)
    configure_file(page/${file} ${TOLVI_WEB_SITE_DIR}/${file} COPYONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/resources/icon.png ${TOLVI_WEB_SITE_DIR}/icon.png COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/logo.jpg ${TOLVI_WEB_SITE_DIR}/logo.jpg COPYONLY)

add_custom_target(tolvi_web_site ALL DEPENDS tolvi_calculator)
