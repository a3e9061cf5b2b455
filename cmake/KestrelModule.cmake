# The module (grid/, host/, pricelist/, report/, resources/) sees each platform only through
# its API target, under the platform's own header names. Its own folders are found through a
# folder of links that holds nothing else, so a path into platform/ does not resolve there:
# the compiler refuses a module file that reaches into a platform's machinery.
set(KESTREL_MODULE_FOLDERS grid host pricelist report resources)
set(KESTREL_MODULE_ROOT ${PROJECT_BINARY_DIR}/module-root)
file(MAKE_DIRECTORY ${KESTREL_MODULE_ROOT})
foreach(folder ${KESTREL_MODULE_FOLDERS})
  if(NOT IS_SYMLINK ${KESTREL_MODULE_ROOT}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${KESTREL_MODULE_ROOT}/${folder} SYMBOLIC)
  endif()
endforeach()

# kestrel_module_code(TARGET): TARGET is module code.
function(kestrel_module_code target)
  target_include_directories(${target} PRIVATE ${KESTREL_MODULE_ROOT})
  target_link_libraries(${target} PUBLIC kestrel::acad kestrel::ui kestrel::crt)
endfunction()
