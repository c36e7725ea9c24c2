# The generated headers in the build tree's include directory, which the libraries add to their
# include paths and which is installed beside include/: kestrow/version.h from project(VERSION),
# and the umbrella kestrow/kestrow.h, which includes every public header of the C++ library
# (all of include/kestrow but the component library's own), so none can be left out of it.
set(KESTROW_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${KESTROW_GENERATED_INCLUDE_DIR}/kestrow/version.h @ONLY)

file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/include
  ${PROJECT_SOURCE_DIR}/include/kestrow/*.h)
list(FILTER headers EXCLUDE REGEX "^kestrow/library/")
list(SORT headers)
list(TRANSFORM headers REPLACE "(.+)" "#include \"\\1\"")
list(JOIN headers "\n" KESTROW_UMBRELLA_INCLUDES)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kestrow.h.in ${KESTROW_GENERATED_INCLUDE_DIR}/kestrow/kestrow.h @ONLY)
