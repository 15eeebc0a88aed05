# Installation layout of ZW4410 (`cmake --install build --prefix P`, `make install`):
#
#   P/bin/ZW4410, P/bin/zw4410-cli           the programs
#   P/lib/zw4410/                            the private libraries, the import
#                                            host and the plug-in folder PlugIn/
#   P/share/zw4410/models/                   bundled model files and USBTMC.ID
#   P/share/zw4410/help/                     help pages (HTML) and their images
#   P/lib/udev/rules.d/                      access to USBTMC instruments
#   P/share/man/man1/, P/share/applications/, P/share/icons/, P/share/metainfo/,
#   P/share/mime/packages/, P/share/doc/zw4410/
#
# Programs find the private libraries through their RPATH ($ORIGIN/../lib/zw4410),
# so nothing needs LD_LIBRARY_PATH. The program finds its shared files from its
# own location (InstallLayout), so the whole tree may be moved.
#
# Targets are referenced by name and installed only when they exist, so parts
# that land later are installed as soon as they are built. Included at the end
# of the top-level CMakeLists.txt, after every target is defined.
include(GNUInstallDirs)

set(ZW_PRIVATE_LIBDIR lib/zw4410)
set(ZW_SHAREDIR ${CMAKE_INSTALL_DATAROOTDIR}/zw4410)
set(ZW_PROGRAM_RPATH "$ORIGIN/../${ZW_PRIVATE_LIBDIR}")
set(ZW_APP_ID io.github.zw4410.ZW4410)

# Every target defined in `dir` and below.
function(zw_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        zw_collect_targets(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Programs.
foreach(program ZW4410 zw4410-cli)
    if(TARGET ${program})
        set_target_properties(${program} PROPERTIES INSTALL_RPATH "${ZW_PROGRAM_RPATH}")
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
    endif()
endforeach()

# Private shared libraries: the platform layer, the five libraries and the
# import host (libimporthost.so, whatever its target is called). They find
# each other in their own folder.
zw_collect_targets(${PROJECT_SOURCE_DIR} zw_all_targets)
set(zw_private_libraries zwplatform sigcore32 formula32 curvefit32 docio32 modspec32 importhost)
foreach(target ${zw_all_targets})
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(output_name STREQUAL "importhost")
        list(APPEND zw_private_libraries ${target})
    endif()
endforeach()
list(REMOVE_DUPLICATES zw_private_libraries)
foreach(library ${zw_private_libraries})
    if(TARGET ${library})
        set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
        install(TARGETS ${library}
            LIBRARY DESTINATION ${ZW_PRIVATE_LIBDIR} COMPONENT program
            NAMELINK_SKIP)
    endif()
endforeach()

# Import plug-ins: every module or shared library built into a folder named
# PlugIn goes to P/lib/zw4410/PlugIn/, finding the private libraries one up.
foreach(target ${zw_all_targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(MODULE|SHARED)_LIBRARY$")
        continue()
    endif()
    get_target_property(output ${target} LIBRARY_OUTPUT_DIRECTORY)
    if(output MATCHES "/PlugIn/?$")
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/..")
        install(TARGETS ${target}
            LIBRARY DESTINATION ${ZW_PRIVATE_LIBDIR}/PlugIn COMPONENT program
            NAMELINK_SKIP)
    endif()
endforeach()

# Shared data: models, help, udev rule.
file(GLOB zw_install_models ${PROJECT_SOURCE_DIR}/models/*.SYS)
install(FILES ${zw_install_models} ${PROJECT_SOURCE_DIR}/models/USBTMC.ID
    DESTINATION ${ZW_SHAREDIR}/models COMPONENT program)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/
    DESTINATION ${ZW_SHAREDIR}/help COMPONENT program
    FILES_MATCHING PATTERN "*.html" PATTERN "*.css")
# The help pages show the screenshots of the documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images/
    DESTINATION ${ZW_SHAREDIR}/help/images COMPONENT program
    FILES_MATCHING PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/app/instrument/udev/70-zw4410-usbtmc.rules
    DESTINATION lib/udev/rules.d COMPONENT program)

# Desktop integration.
set(zw_desktop ${PROJECT_SOURCE_DIR}/desktop)
install(FILES ${zw_desktop}/zw4410.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT program)
install(FILES ${zw_desktop}/zw4410.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT program)
install(FILES ${zw_desktop}/${ZW_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT program)
install(FILES ${zw_desktop}/zw4410-mime.xml RENAME zw4410.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages COMPONENT program)

# Manual pages and documents.
foreach(page ZW4410.1 zw4410-cli.1)
    if(EXISTS ${PROJECT_SOURCE_DIR}/docs/${page})
        install(FILES ${PROJECT_SOURCE_DIR}/docs/${page}
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
    endif()
endforeach()
set(zw_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/zw4410)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${zw_docdir} COMPONENT program)
install(FILES ${PROJECT_SOURCE_DIR}/models/README.md RENAME README.models.md
    DESTINATION ${zw_docdir} COMPONENT program)

# The build tree mirrors P/share/zw4410, so a program started from build/bin
# in another folder finds the models and help pages as an installed one does.
file(GLOB zw_share_help CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/docs/help/*.html ${PROJECT_SOURCE_DIR}/docs/help/*.css
    ${PROJECT_SOURCE_DIR}/docs/images/*.png)
set(zw_share_outputs)
foreach(source ${zw_share_help} ${zw_install_models} ${PROJECT_SOURCE_DIR}/models/USBTMC.ID)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    string(REGEX REPLACE "^docs/help/" "help/" relative ${relative})
    string(REGEX REPLACE "^docs/images/" "help/images/" relative ${relative})
    set(output ${PROJECT_BINARY_DIR}/share/zw4410/${relative})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
        DEPENDS ${source}
        COMMENT "Copying ${relative} to the build tree's share folder")
    list(APPEND zw_share_outputs ${output})
endforeach()
add_custom_target(zw_share_tree ALL DEPENDS ${zw_share_outputs})
