# Runs the build's own Windows programs under Wine: a wrapper in the build tree with a prefix of its own, Qt's
# DLLs and the MinGW runtime on Wine's search path.
set(MORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
function(morvane_windows_pfad unix ergebnis)
    string(REPLACE "/" "\\" pfad "Z:${unix}")
    set(${ergebnis} ${pfad} PARENT_SCOPE)
endfunction()
# The MinGW runtime DLLs, wherever this compiler keeps them.
set(MORVANE_LAUFZEIT_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE datei OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${datei}")
        message(FATAL_ERROR "${dll} des Compilers nicht gefunden")
    endif()
    list(APPEND MORVANE_LAUFZEIT_DLLS ${datei})
endforeach()
# Qt SVG, built beside that Qt into a folder of its own (scripts/windows); empty where the build has none.
set(MORVANE_QT_SVG "" CACHE PATH "Qt SVG for Windows, built against the Qt of this build")
# Qt's DLLs, and the program folder for the printer adapter's DLL, which the tests link.
set(ordner ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} ${CMAKE_BINARY_DIR}/programm)
if(MORVANE_QT_SVG)
    list(APPEND ordner ${MORVANE_QT_SVG}/bin)
    # Its image plugin, where Qt looks beside its own; Qt takes the path with forward slashes.
    list(APPEND MORVANE_LAUFUMGEBUNG "QT_PLUGIN_PATH=Z:${MORVANE_QT_SVG}/plugins")
endif()
# zint's DLL, from the folder scripts/windows built it into.
get_filename_component(o ${MORVANE_ZINT_DLL} DIRECTORY)
list(APPEND ordner ${o})
foreach(dll ${MORVANE_LAUFZEIT_DLLS})
    get_filename_component(o ${dll} DIRECTORY)
    list(APPEND ordner ${o})
endforeach()
list(REMOVE_DUPLICATES ordner)
set(pfade)
foreach(o ${ordner})
    morvane_windows_pfad(${o} p)
    list(APPEND pfade ${p})
endforeach()
list(JOIN pfade ";" MORVANE_WINEPATH)
morvane_windows_pfad(/usr/share/fonts/truetype/dejavu MORVANE_WINE_SCHRIFTEN)
configure_file(${CMAKE_CURRENT_LIST_DIR}/unter-wine.in ${CMAKE_BINARY_DIR}/unter-wine @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/unter-wine)
