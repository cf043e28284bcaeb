# Lays out the runnable application folder ${ORVANE_APP_DIR} beside the programs: the demo
# races made by racegen (raceadmin, gpsdat, winddat), the coast line tiles and the attachment
# from assets/, the gun sound beside the programs, the viewer's Google Earth icons (ya), and the empty saildata folder. Part of `all`; it runs again only when racegen
# or the assets change. The 50-boat benchmark race is not made here: bench programs make it
# on demand (racegen --preset bench50 --out DIR).

set(ORVANE_ASSETS_DIR ${PROJECT_SOURCE_DIR}/assets)

set(_coast_files 5238.cst 5239.cst 5240.cst 5339.cst 5340.cst NOTICE.txt LGPL-3.txt GPL-3.txt)
set(_attachment_files sailing_instructions.html)
set(_demo_races enoshima_keel_r1.txt hayama_dinghy_r2.txt enoshima_fleet30.txt)

set(_asset_sources)
set(_asset_outputs)
foreach(f IN LISTS _coast_files)
    list(APPEND _asset_sources ${ORVANE_ASSETS_DIR}/coastline/${f})
    list(APPEND _asset_outputs ${ORVANE_APP_DIR}/coastline/${f})
endforeach()
foreach(f IN LISTS _attachment_files)
    list(APPEND _asset_sources ${ORVANE_ASSETS_DIR}/attachment/${f})
    list(APPEND _asset_outputs ${ORVANE_APP_DIR}/attachment/${f})
endforeach()

list(APPEND _asset_sources ${ORVANE_ASSETS_DIR}/gun.wav)
list(APPEND _asset_outputs ${ORVANE_APP_DIR}/gun.wav)

set(_coast_sources ${_asset_sources})
list(FILTER _coast_sources INCLUDE REGEX "/coastline/")
set(_attachment_sources ${_asset_sources})
list(FILTER _attachment_sources INCLUDE REGEX "/attachment/")

add_custom_command(
    OUTPUT ${_asset_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANE_APP_DIR}/coastline ${ORVANE_APP_DIR}/attachment
            ${ORVANE_APP_DIR}/saildata
    COMMAND ${CMAKE_COMMAND} -E copy ${_coast_sources} ${ORVANE_APP_DIR}/coastline
    COMMAND ${CMAKE_COMMAND} -E copy ${_attachment_sources} ${ORVANE_APP_DIR}/attachment
    COMMAND ${CMAKE_COMMAND} -E copy ${ORVANE_ASSETS_DIR}/gun.wav ${ORVANE_APP_DIR}
    DEPENDS ${_asset_sources}
    COMMENT "Copying coast line tiles, attachments and the gun sound into the application folder"
    VERBATIM)

set(_race_outputs ${ORVANE_APP_DIR}/raceadmin/racefile.st)
foreach(f IN LISTS _demo_races)
    list(APPEND _race_outputs ${ORVANE_APP_DIR}/raceadmin/${f})
endforeach()

add_custom_command(
    OUTPUT ${_race_outputs}
    COMMAND racegen --preset demo --out ${ORVANE_APP_DIR}
    DEPENDS racegen
    COMMENT "Generating the demo races into the application folder"
    VERBATIM)

# The icons the viewer's KML documents refer to: ar0.png … ar350.png and buoi.png.
set(_icon_sources ${ORVANE_ASSETS_DIR}/ya/buoi.png)
set(_icon_outputs ${ORVANE_APP_DIR}/ya/buoi.png)
foreach(a RANGE 0 350 10)
    list(APPEND _icon_sources ${ORVANE_ASSETS_DIR}/ya/ar${a}.png)
    list(APPEND _icon_outputs ${ORVANE_APP_DIR}/ya/ar${a}.png)
endforeach()
add_custom_command(
    OUTPUT ${_icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANE_APP_DIR}/ya
    COMMAND ${CMAKE_COMMAND} -E copy ${_icon_sources} ${ORVANE_APP_DIR}/ya
    DEPENDS ${_icon_sources}
    COMMENT "Copying the Google Earth icons into the application folder"
    VERBATIM)

add_custom_target(orvane_appfolder ALL DEPENDS ${_race_outputs} ${_asset_outputs} ${_icon_outputs})
