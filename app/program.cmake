# The program ZW4410 in build/bin, with the bundled model files and
# "USBTMC.ID" copied next to it: the program reads them from its start-up
# folder, and `make run` and File > New start it there.
add_executable(ZW4410 main.cpp)
target_link_libraries(ZW4410 PRIVATE zw_ui)
target_compile_definitions(ZW4410 PRIVATE ZW_VERSION_TEXT="${PROJECT_VERSION}")
zw_own_code(ZW4410)

file(GLOB zw_bundled_models CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/models/*.SYS)
set(zw_model_outputs)
foreach(source ${zw_bundled_models} ${PROJECT_SOURCE_DIR}/models/USBTMC.ID)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
        DEPENDS ${source}
        COMMENT "Copying ${name} next to the program")
    list(APPEND zw_model_outputs ${output})
endforeach()
add_custom_target(zw_models ALL DEPENDS ${zw_model_outputs})
add_dependencies(ZW4410 zw_models)
