# The "editor" command needs Xlib, the XTest extension and the PNG helper.
find_package(X11)
if(X11_FOUND AND X11_XTest_FOUND AND TARGET solva_gui_png)
  target_link_libraries(solva-host PRIVATE X11::X11 X11::Xtst solva_gui_png)
  target_compile_definitions(solva-host PRIVATE SOLVA_HOST_HAVE_EDITOR=1)
endif()
