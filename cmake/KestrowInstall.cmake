# Install rules: the C++ libraries and the component library, exported as Kestrow::*, their
# headers with the generated version.h, the kestrow program, and the files find_package and
# pkg-config read. The Qt widget, where it was built, is the component `qt`: its own export set,
# so that only users who ask for it need Qt. Its Designer plugin goes to KESTROW_DESIGNER_PLUGIN_DIR.
include(CMakePackageConfigHelpers)

set(KESTROW_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kestrow)
set(KESTROW_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS ${KESTROW_CXX_LIBRARIES} kestrow_cxx kestrow EXPORT KestrowTargets)
if(KESTROW_BUILD_PROGRAMS)
  install(TARGETS kestrow_cli)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/kestrow DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${KESTROW_GENERATED_INCLUDE_DIR}/kestrow DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(EXPORT KestrowTargets NAMESPACE Kestrow:: DESTINATION ${KESTROW_CMAKE_DIR})
if(TARGET kestrow_qt)
  install(TARGETS kestrow_qt EXPORT KestrowQtTargets)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/qt/include/kestrow DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT KestrowQtTargets NAMESPACE Kestrow:: DESTINATION ${KESTROW_CMAKE_DIR})
endif()
# The Designer plugin is a module Designer loads, not a library anyone links: in no export set.
if(TARGET kestrow_designer)
  install(TARGETS kestrow_designer LIBRARY DESTINATION ${KESTROW_DESIGNER_PLUGIN_DIR})
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KestrowConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KestrowConfig.cmake INSTALL_DESTINATION ${KESTROW_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KestrowConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KestrowConfig.cmake ${PROJECT_BINARY_DIR}/KestrowConfigVersion.cmake
  DESTINATION ${KESTROW_CMAKE_DIR})

# A static library has to come before the ones it links on a linker's command line: visit each
# library's own links first, then put the order the other way round.
function(kestrow_visit_links library)
  if(library IN_LIST order)
    return()
  endif()
  get_target_property(links ${library} LINK_LIBRARIES)
  foreach(link IN LISTS links)
    if(link IN_LIST KESTROW_CXX_LIBRARIES)
      kestrow_visit_links(${link})
    endif()
  endforeach()
  list(APPEND order ${library})
  set(order ${order} PARENT_SCOPE)
endfunction()
set(order)
foreach(library IN LISTS KESTROW_CXX_LIBRARIES)
  kestrow_visit_links(${library})
endforeach()
list(REVERSE order)
list(TRANSFORM order PREPEND "-l")
list(JOIN order " " KESTROW_PKGCONFIG_LIBS)

# Relative to the .pc file, so that an install under any --prefix finds its own files.
file(RELATIVE_PATH KESTROW_PKGCONFIG_PREFIX /${KESTROW_PKGCONFIG_DIR} /)
string(REGEX REPLACE "/$" "" KESTROW_PKGCONFIG_PREFIX ${KESTROW_PKGCONFIG_PREFIX})
configure_file(${CMAKE_CURRENT_LIST_DIR}/kestrow.pc.in ${PROJECT_BINARY_DIR}/kestrow.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kestrow.pc DESTINATION ${KESTROW_PKGCONFIG_DIR})
