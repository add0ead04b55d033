# Installation layout and the Debian package.
#
# The program finds its base folder as "<program folder>/bin/sk", so the
# program folder holds the executables and the base folder together:
#
#   <program folder>/reformer, reformer-cli
#   <program folder>/bin/sk/               the base folder (plant data; the group's)
#   <program folder>/models/               the model programs of the package's
#                                          installation, root's alone, with their
#                                          record (reformer-cli install-model)
#   <program folder>/share/base-data/      the delivered plant data and stand-in programs
#   <program folder>/share/install-base-data.sh
#   <program folder>/doc/                  the user guide
#   <system prefix>/bin/reformer, reformer-cli   links into the program folder
#   <system prefix>/share/applications, share/icons   the desktop menu entry
#
# The plant data below the base folder is the users' own: the delivered copy
# is put there only where a file is missing (component "PlantData", run by
# `cmake --install`; the Debian package does the same in its postinst), so an
# upgrade never overwrites what was entered since. `cmake --install` puts the
# stand-in programs into the base folder, as a base folder of the installer's
# own; the package's postinst puts them into models/ instead, since its base
# folder is shared by a group whose members must not change what the others
# run.

# CMake's own default, /usr/local, would make /usr/local/bin/sk the base
# folder; it is taken as "not chosen", also in build folders configured
# before this file existed.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  set(CMAKE_INSTALL_PREFIX "/opt/reformer-workbench" CACHE PATH "Program folder of the installation" FORCE)
endif()
set(REFORMER_SYSTEM_PREFIX "/usr" CACHE PATH
    "Where the launchers (bin/) and the desktop menu entry (share/) are installed")
option(REFORMER_PACKAGE_TEST "Also test the Debian package (builds a release build and the .deb: slow)" OFF)

set(_rw_delivered share/base-data)

# --- the program folder -----------------------------------------------------
set(_rw_programs reformer-cli)
if(TARGET reformer)
  list(APPEND _rw_programs reformer)
endif()
install(TARGETS ${_rw_programs} RUNTIME DESTINATION . COMPONENT Program)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION doc COMPONENT Program
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")

# --- the base folder ----------------------------------------------------------
# The pictures and the help text are the program's own and follow every
# upgrade; everything else in data/bin/sk is plant data.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/bin/sk/Basa/Pic DESTINATION bin/sk/Basa COMPONENT Program)
install(FILES "${CMAKE_SOURCE_DIR}/data/bin/sk/помощь.txt" DESTINATION bin/sk COMPONENT Program)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/bin/sk/ DESTINATION ${_rw_delivered}/sk COMPONENT Program
        PATTERN "Pic" EXCLUDE
        PATTERN "помощь.txt" EXCLUDE)

# The stand-in model programs, under the names the program starts them by.
file(GLOB _rw_tool_names CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/NAMES)
foreach(_rw_names_file IN LISTS _rw_tool_names)
  get_filename_component(_rw_tool_dir ${_rw_names_file} DIRECTORY)
  get_filename_component(_rw_tool ${_rw_tool_dir} NAME)
  if(TARGET standin_${_rw_tool})
    file(STRINGS ${_rw_names_file} _rw_names)
    foreach(_rw_name IN LISTS _rw_names)
      install(PROGRAMS $<TARGET_FILE:standin_${_rw_tool}> DESTINATION ${_rw_delivered}/models
              RENAME ${_rw_name} COMPONENT Program)
    endforeach()
  endif()
endforeach()

install(PROGRAMS ${CMAKE_SOURCE_DIR}/data/desktop/install-base-data.sh DESTINATION share COMPONENT Program)
install(CODE "
  set(_program_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  execute_process(COMMAND sh \"\${_program_dir}/share/install-base-data.sh\"
                             \"\${_program_dir}/${_rw_delivered}\" \"\${_program_dir}/bin/sk\"
                  RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR \"The plant data could not be put into \${_program_dir}/bin/sk\")
  endif()
" COMPONENT PlantData)

# --- desktop menu and launchers -----------------------------------------------
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/reformer-workbench.desktop
        DESTINATION ${REFORMER_SYSTEM_PREFIX}/share/applications COMPONENT Program)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/reformer-workbench.png
        DESTINATION ${REFORMER_SYSTEM_PREFIX}/share/icons/hicolor/256x256/apps COMPONENT Program)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/reformer-workbench-48.png
        DESTINATION ${REFORMER_SYSTEM_PREFIX}/share/icons/hicolor/48x48/apps
        RENAME reformer-workbench.png COMPONENT Program)
# Links, not wrapper scripts: the program follows the link back to its own
# folder to find the base folder. Relative, so they hold inside DESTDIR too.
foreach(_rw_program IN LISTS _rw_programs)
  install(CODE "
    file(RELATIVE_PATH _target \"${REFORMER_SYSTEM_PREFIX}/bin\" \"\${CMAKE_INSTALL_PREFIX}/${_rw_program}\")
    set(_link \"\$ENV{DESTDIR}${REFORMER_SYSTEM_PREFIX}/bin/${_rw_program}\")
    message(STATUS \"Installing: \${_link} -> \${_target}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${REFORMER_SYSTEM_PREFIX}/bin\")
    file(CREATE_LINK \"\${_target}\" \"\${_link}\" SYMBOLIC)
  " COMPONENT Program)
endforeach()

# --- tests ----------------------------------------------------------------------
if(REFORMER_BUILD_TESTS)
  add_test(NAME package_install
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/install_test.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_INSTALL_PREFIX} ${REFORMER_SYSTEM_PREFIX})
  set_tests_properties(package_install PROPERTIES TIMEOUT 300)
  if(REFORMER_PACKAGE_TEST)
    add_test(NAME package_deb COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/package-check.sh)
    set_tests_properties(package_deb PROPERTIES TIMEOUT 3600)
  endif()
endif()

# --- the Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME reformer-workbench)
set(CPACK_PACKAGE_VENDOR "Reformer Workbench developers")
set(CPACK_PACKAGE_CONTACT "Reformer Workbench developers <reformer-workbench@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data preparation and model runs for catalytic-reforming units")
set(CPACK_PACKAGE_DESCRIPTION
    "Prepares the composition and conditions files of a sampling date for the reforming model from gas-chromatograph reports and typed process conditions, runs the model programs and keeps per-plant results histories.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
# Only the program: the plant data is put in by the postinst, where missing.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Program;/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries (Qt6 Widgets, Print Support, Charts) come from
# dpkg-shlibdeps; libzip, expat and FreeXL are loaded at the first workbook
# of the historian import, so they are named here; groupadd for the postinst
# from passwd. Qt's own Russian texts (standard dialogs and buttons) are
# loaded from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "passwd, qt6-translations-l10n, libzip4, libexpat1, libfreexl1")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine, dosbox")
set(_rw_postinst ${CMAKE_BINARY_DIR}/debian/postinst)
set(REFORMER_PROGRAM_DIR ${CMAKE_INSTALL_PREFIX})
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/debian/postinst.in ${_rw_postinst} @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_rw_postinst})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
