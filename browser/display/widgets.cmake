# The race display window and its widgets (QtWidgets), on top of the display's computation.
#
# orvane_display_panel: the window's texts and geometry, QtCore only, tested headless.
# orvane_display: the window itself.
add_library(orvane_display_panel STATIC
    ${CMAKE_CURRENT_LIST_DIR}/displaytexts.h ${CMAKE_CURRENT_LIST_DIR}/displaytexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/displaylayout.h ${CMAKE_CURRENT_LIST_DIR}/displaylayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boatfocus.h ${CMAKE_CURRENT_LIST_DIR}/boatfocus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loadproblemtext.h ${CMAKE_CURRENT_LIST_DIR}/loadproblemtext.cpp
)
target_include_directories(orvane_display_panel PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orvane_display_panel PUBLIC orvane_model Qt6::Core)

# The window needs the load and the chart layers.
if(NOT TARGET orvane_layers OR NOT TARGET orvane_load)
    return()
endif()
add_library(orvane_display STATIC
    ${CMAKE_CURRENT_LIST_DIR}/racedisplaywindow.h ${CMAKE_CURRENT_LIST_DIR}/racedisplaywindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/racedisplaywindow_p.h
    ${CMAKE_CURRENT_LIST_DIR}/canvaspicture.h ${CMAKE_CURRENT_LIST_DIR}/canvaspicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loadproblemnotice.h ${CMAKE_CURRENT_LIST_DIR}/loadproblemnotice.cpp
)
target_include_directories(orvane_display PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orvane_display
    PUBLIC orvane_display_panel orvane_load orvane_analysis orvane_layers orvane_startup_core orvane_scene orvane_display_core orvane_files
           orvane_model orvane_platform_gui Qt6::Widgets)
