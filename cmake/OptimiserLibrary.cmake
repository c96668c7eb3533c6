# The optimiser library: everything below the window, folder by folder from the bottom of the layer order
# (docs/architecture.md). Qt Core and Qt Network only; it reaches the machine through the platform library.
set(src ${PROJECT_SOURCE_DIR})
set(optimiser_folders text identity log engine engine/undo analysis startup phase1 phase2 update)
set(optimiser_sources)
foreach(folder IN LISTS optimiser_folders)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${src}/${folder}/*.cpp ${src}/${folder}/*.h)
    list(APPEND optimiser_sources ${folder_sources})
endforeach()
add_library(tidewell_optimiser STATIC ${optimiser_sources})
target_include_directories(tidewell_optimiser PUBLIC ${src})
target_link_libraries(tidewell_optimiser PUBLIC tidewell_platform Qt5::Core Qt5::Network)
target_compile_definitions(tidewell_optimiser PUBLIC TIDEWELL_VERSION="${PROJECT_VERSION}")

# The signature files the analysis reads from beside the program.
include(${PROJECT_SOURCE_DIR}/signatures/Signatures.cmake)
