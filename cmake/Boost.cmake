# Builds just the Boost libraries the product uses, from the sources that
# scripts/bootstrap unpacked.
if(NOT EXISTS "${BOOST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "Boost sources not found in ${BOOST_SOURCE_DIR}: run scripts/bootstrap")
endif()

set(BOOST_INCLUDE_LIBRARIES filesystem program_options format tokenizer algorithm function bind)
set(BUILD_SHARED_LIBS OFF)
# Otherwise Boost.Atomic links the synchronization library, which exists
# only on Windows 8 and later, and Boost.Filesystem the cryptography of
# Windows Vista and later.
set(BOOST_ATOMIC_HAS_SYNCHRONIZATION_LIB OFF CACHE BOOL "" FORCE)
set(BOOST_FILESYSTEM_DISABLE_BCRYPT ON CACHE BOOL "" FORCE)
add_subdirectory("${BOOST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/boost" EXCLUDE_FROM_ALL SYSTEM)
