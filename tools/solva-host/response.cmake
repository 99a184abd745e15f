# The "response" command measures Solva against the analog prototypes of its
# bands: it links the DSP prototypes and the parameter laws, and draws its
# plots with solva-response's PNG writer when libpng is there.
target_link_libraries(solva-host PRIVATE solva_dsp solva_params)
find_package(PNG QUIET)
if(PNG_FOUND)
  target_sources(solva-host PRIVATE ${CMAKE_SOURCE_DIR}/tools/solva-response/plot_png.cpp)
  target_link_libraries(solva-host PRIVATE PNG::PNG)
  target_compile_definitions(solva-host PRIVATE SOLVA_HOST_HAVE_PNG=1)
endif()
