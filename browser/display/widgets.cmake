# The race display window and its widgets (QtWidgets), on top of the display's computation.
#
# orvane_display_panel: the window's texts and geometry, QtCore only, tested headless.
# orvane_display: the window itself.
add_library(orvane_display_panel STATIC
    ${CMAKE_CURRENT_LIST_DIR}/displaytexts.h ${CMAKE_CURRENT_LIST_DIR}/displaytexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/displaylayout.h ${CMAKE_CURRENT_LIST_DIR}/displaylayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boatfocus.h ${CMAKE_CURRENT_LIST_DIR}/boatfocus.cpp
)
target_include_directories(orvane_display_panel PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orvane_display_panel PUBLIC orvane_model Qt6::Core)

# The window needs the load, the chart layers and the replay.
if(NOT TARGET orvane_layers OR NOT TARGET orvane_load OR NOT TARGET orvane_replay)
    return()
endif()
add_library(orvane_display STATIC
    ${CMAKE_CURRENT_LIST_DIR}/racedisplaywindow.h ${CMAKE_CURRENT_LIST_DIR}/racedisplaywindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/racedisplaystate.h ${CMAKE_CURRENT_LIST_DIR}/racedisplaystate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgethelpers.h
    ${CMAKE_CURRENT_LIST_DIR}/canvaspicture.h ${CMAKE_CURRENT_LIST_DIR}/canvaspicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/chartwidget.h ${CMAKE_CURRENT_LIST_DIR}/chartwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overviewwidget.h ${CMAKE_CURRENT_LIST_DIR}/overviewwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layerdrawer.h ${CMAKE_CURRENT_LIST_DIR}/layerdrawer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boatlistpanel.h ${CMAKE_CURRENT_LIST_DIR}/boatlistpanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/optionspanel.h ${CMAKE_CURRENT_LIST_DIR}/optionspanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlpanel.h ${CMAKE_CURRENT_LIST_DIR}/controlpanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hoverhandler.h ${CMAKE_CURRENT_LIST_DIR}/hoverhandler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timebarwidget.h ${CMAKE_CURRENT_LIST_DIR}/timebarwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replaydriver.h ${CMAKE_CURRENT_LIST_DIR}/replaydriver.cpp
)
# The signal flags of the start sequence, drawn by tools/assetgen, go into the program.
qt_add_resources(orvane_display "flags"
    PREFIX "/orvane/flags"
    BASE ${PROJECT_SOURCE_DIR}/assets/flags
    FILES ${PROJECT_SOURCE_DIR}/assets/flags/blue_p.png ${PROJECT_SOURCE_DIR}/assets/flags/seven.png)
target_include_directories(orvane_display PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orvane_display
    PUBLIC orvane_display_panel orvane_load orvane_analysis orvane_layers orvane_replay orvane_startup_core orvane_scene
           orvane_display_core orvane_files orvane_model orvane_platform_gui Qt6::Widgets)
