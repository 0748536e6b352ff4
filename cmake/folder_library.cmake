# One static library per source folder: every .cpp of the folder, warnings as errors.
function(folder_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  project_warnings(${name})
endfunction()

function(project_warnings name)
  target_compile_options(${name} PRIVATE -Wall -Wextra -Werror)
endfunction()
