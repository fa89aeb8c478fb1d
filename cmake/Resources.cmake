# add_module_resources(TARGET MANIFEST)
#
# Builds the resource directory of a module from a manifest (lines: TYPE NAME LANGUAGE FILE, FILE
# relative to the manifest) and compiles it into TARGET. Readable sources are converted first, by
# their extension: .pix pixel art to a palette bitmap, .pkginfo to a PACKAGEINFO resource,
# .rcdata listings to bytes; any other file is embedded as it is.
function(add_module_resources target manifest)
  get_filename_component(manifest ${manifest} ABSOLUTE)
  get_filename_component(source_dir ${manifest} DIRECTORY)
  set(work_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})

  file(STRINGS ${manifest} lines)
  set(resolved "")
  set(inputs "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]+([^ \t]+)[ \t]+(.+)$")
      message(FATAL_ERROR "${manifest}: expected TYPE NAME LANGUAGE FILE in '${line}'")
    endif()
    set(type ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    set(language ${CMAKE_MATCH_3})
    set(file "${CMAKE_MATCH_4}")
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR ${source_dir})
    get_filename_component(extension ${file} LAST_EXT)
    set(converter "")
    if(extension STREQUAL ".pix")
      set(converter pixelart)
    elseif(extension STREQUAL ".pkginfo")
      set(converter pkginfo)
    elseif(extension STREQUAL ".rcdata")
      set(converter rcdata)
    endif()
    if(converter)
      set(built ${work_dir}/${type}_${name}_${language}.bin)
      add_custom_command(OUTPUT ${built}
        COMMAND ${converter} "${file}" ${built}
        DEPENDS ${converter} "${file}"
        COMMENT "Converting ${name} for ${target}"
        VERBATIM)
      set(file ${built})
    endif()
    list(APPEND inputs "${file}")
    string(APPEND resolved "${type} ${name} ${language} ${file}\n")
  endforeach()

  # The manifest with every file resolved; rewritten only when it changes.
  set(resolved_manifest ${work_dir}/resources.manifest)
  file(CONFIGURE OUTPUT ${resolved_manifest} CONTENT "${resolved}" @ONLY)
  set(generated ${work_dir}/resource_directory.cpp)
  add_custom_command(OUTPUT ${generated}
    COMMAND rescomp ${resolved_manifest} ${generated}
    DEPENDS rescomp ${resolved_manifest} ${inputs}
    COMMENT "Compiling the resource directory of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${generated})
endfunction()
