# Settings shared by every Windows target: Windows XP SP3 as the oldest
# system (its headers hide what came later), the ANSI Win32 interfaces, and
# fully static binaries that need no MinGW runtime DLL beside them, without
# the runtime code they never call.
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501)
# The system's error texts in UTF-8, the text of every message the programs make.
add_compile_definitions(BOOST_SYSTEM_USE_UTF8)
# Optimised for size; the few files whose speed a user notices ask for -O3.
foreach(language C CXX)
  string(REPLACE "-O3" "-Os" CMAKE_${language}_FLAGS_RELEASE "${CMAKE_${language}_FLAGS_RELEASE}")
endforeach()
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections $<$<CONFIG:Release>:-s>)

# Puts a built binary into the distribution folder, in the build that makes one.
function(copy_to_dist target subfolder)
  if(NOT DIST_DIR)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${DIST_DIR}/${subfolder}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "$<TARGET_FILE:${target}>" "${DIST_DIR}/${subfolder}"
    VERBATIM)
endfunction()

# The project's own code; Boost and GoogleTest are built without these.
macro(use_project_warnings)
  add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
  add_compile_options(-Wall -Wextra)
endmacro()
