# The runnable tree every build lays out: the launcher, dll/, PlugDll/ and the data folder.
set(PAGEMILL_TITLE "Orvanta Pagemill")
set(STAGE_DIR ${CMAKE_BINARY_DIR}/stage)
set(STAGE_DLL_DIR ${STAGE_DIR}/dll)
set(STAGE_PLUG_DIR ${STAGE_DIR}/PlugDll)
set(STAGE_DATA_DIR "${STAGE_DIR}/sys/soft/${PAGEMILL_TITLE}")
file(MAKE_DIRECTORY ${STAGE_DLL_DIR} ${STAGE_PLUG_DIR} "${STAGE_DATA_DIR}/Skins")

# A plug-in library as the launcher expects it: NAME.so without the lib prefix,
# built into the given stage folder.
function(pagemill_plugin_output target folder)
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
endfunction()
