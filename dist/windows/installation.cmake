# The program folder as the Windows installer lays it out (cmake --install into the folder that makensis packs):
# both executables and the printer adapter's DLL beside Qt's, zint's and MinGW's DLLs, the plugins and German texts Qt needs, the help and the data folder.
install(TARGETS morvane morvane-druck RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:morvane_drucken> DESTINATION .)
install(DIRECTORY ${MORVANE_LIEFER_DIR}/ DESTINATION .)

foreach(modul Core Gui Widgets PrintSupport)
    install(FILES $<TARGET_FILE:Qt6::${modul}> DESTINATION .)
endforeach()
install(FILES ${MORVANE_LAUFZEIT_DLLS} DESTINATION .)
# zint, which draws the codes on labels.
install(FILES $<TARGET_FILE:Zint::Zint> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION plugins/platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION plugins/styles)
endif()
# Pictures taken from other programs: JPEG and GIF through Qt's own plugins, SVG through Qt SVG where the build has it.
foreach(plugin QJpegPlugin QGifPlugin)
    if(NOT TARGET Qt6::${plugin})
        message(FATAL_ERROR "Qt für Windows ohne Qt6::${plugin}")
    endif()
    install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION plugins/imageformats)
endforeach()
if(MORVANE_QT_SVG)
    install(FILES ${MORVANE_QT_SVG}/bin/Qt6Svg.dll DESTINATION .)
    install(FILES ${MORVANE_QT_SVG}/plugins/imageformats/qsvg.dll DESTINATION plugins/imageformats)
endif()
# The standard dialogs' German texts; Debian's translations fit the Qt built from Debian's source.
find_file(MORVANE_QT_DEUTSCH qtbase_de.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(MORVANE_QT_DEUTSCH)
    install(FILES ${MORVANE_QT_DEUTSCH} DESTINATION translations)
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf "[Paths]\nPrefix=.\nPlugins=plugins\nTranslations=translations\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION .)
