include(${CMAKE_CURRENT_LIST_DIR}/CoreLayering.cmake)
lithora_check_core_layering(${ROOT})
