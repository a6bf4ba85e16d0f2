# The version the Windows resources and the package carry: the project
# version as the four numbers of a version record (missing parts are 0), and
# the copyright line of the licence.
set(version_parts)
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND version_parts 0)
  else()
    list(APPEND version_parts ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN version_parts "." TINTROVER_VERSION_TEXT)     # 1.0.0.0
list(JOIN version_parts "," TINTROVER_VERSION_NUMBERS)  # 1,0,0,0
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE TINTROVER_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
if(NOT TINTROVER_COPYRIGHT)
  message(FATAL_ERROR "LICENSE has no copyright line")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
