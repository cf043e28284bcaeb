# The builder's window (QtWidgets), on top of orvane_distribution_core.
add_library(orvane_distribution STATIC
    ${CMAKE_CURRENT_LIST_DIR}/haifuwindow.h ${CMAKE_CURRENT_LIST_DIR}/haifuwindow.cpp
)
target_include_directories(orvane_distribution PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orvane_distribution PUBLIC orvane_distribution_core orvane_model Qt6::Widgets)
