# The preset commands open the library with the plug-in's own storage code.
target_link_libraries(solva-host PRIVATE solva_storage)
