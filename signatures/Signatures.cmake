# The junk-software signature files ship beside the executables in a "signatures" folder. They are copied
# into the build's app folder when CMake configures (and again whenever they change), so tidewell-sim and
# tidewell find them when run from the build tree, and installed into the stick layout.
set(tidewell_signature_files
    ${PROJECT_SOURCE_DIR}/signatures/adware.json
    ${PROJECT_SOURCE_DIR}/signatures/whitelist.json)
foreach(signature_file IN LISTS tidewell_signature_files)
    get_filename_component(signature_name ${signature_file} NAME)
    configure_file(${signature_file} ${PROJECT_BINARY_DIR}/app/signatures/${signature_name} COPYONLY)
endforeach()
install(FILES ${tidewell_signature_files} DESTINATION Tidewell/app/signatures)
