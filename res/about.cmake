# The about box: its dialog template and the picture res/about.bmp (drawn by
# scripts/make_about_image.py), whose bytes are compiled in.
if(QUILL_BUILD_UI)
  set(quill_about_image_cpp ${CMAKE_CURRENT_BINARY_DIR}/AboutImageData.cpp)
  add_custom_command(OUTPUT ${quill_about_image_cpp}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_CURRENT_LIST_DIR}/about.bmp
            -DOUTPUT=${quill_about_image_cpp} -DSYMBOL=kAboutImageBmp
            -P ${CMAKE_CURRENT_LIST_DIR}/tools/EmbedFile.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/about.bmp ${CMAKE_CURRENT_LIST_DIR}/tools/EmbedFile.cmake
    COMMENT "Compiling in the about picture")

  add_library(quill_res_about STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AboutResources.cpp
    ${quill_about_image_cpp})
  target_include_directories(quill_res_about PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_res_about PUBLIC quill_platform)
  quill_warnings(quill_res_about)
endif()
