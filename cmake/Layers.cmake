# The folders of src/ and what each may use: the layout table of README.md, as the build uses
# it. Each library links the libraries of exactly the folders its row names, and the layering
# test (CheckLayering.cmake) fails when a file includes a header of any other folder, when the
# core includes Qt, or when a folder not listed below includes QCustomPlot.
#
# One row per folder: "folder:used folder;used folder;...". "core" stands for every core folder.
set(LITHORA_LAYERS
    "core/common:"
    "core/chart:core/common"
    "core/store:core/common"
    "core/import:core/common"
    "core/compute:core/common core/store core/rockphysics"
    "core/export:core/common core/store core/compute"
    "core/timelapse:core/common core/import"
    "core/rockphysics:core/common"
    "core/workspace:core/common core/store core/import core/compute core/export core/rockphysics"
    "core/commands:core/common core/store core/import core/compute core/export core/rockphysics core/workspace"
    "core/session:core/common core/chart core/store core/import core/compute core/export core/rockphysics core/workspace core/commands"
    "gui/widgets:core/common core/chart core/store"
    "gui/display:gui/widgets core/common core/chart core/store"
    "gui/import:gui/widgets core"
    "gui/compute:gui/widgets core"
    "gui/export:gui/widgets core"
    "gui/print:gui/widgets gui/display core"
    "gui/crossplot:gui/widgets gui/display core"
    "gui/timelapse:gui/widgets gui/display gui/print core"
    "gui/rockphysics:gui/widgets gui/display core"
    "gui/app:gui/widgets gui/display gui/import gui/compute gui/export gui/print gui/crossplot gui/timelapse gui/rockphysics core"
    "gui/tools:"
    "cli:core")

# The folders whose files may include QCustomPlot.
set(LITHORA_QCUSTOMPLOT_FOLDERS gui/widgets gui/display)

set(LITHORA_CORE_FOLDERS core/common core/chart core/store core/import core/compute core/export
                         core/timelapse core/rockphysics core/workspace core/commands core/session)

# The folders a folder may use, with "core" spelt out.
function(lithora_layer_uses folder out)
  set(_uses)
  set(_found FALSE)
  foreach(_row IN LISTS LITHORA_LAYERS)
    string(FIND "${_row}" ":" _colon)
    string(SUBSTRING "${_row}" 0 ${_colon} _name)
    if(_name STREQUAL folder)
      set(_found TRUE)
      math(EXPR _start "${_colon} + 1")
      string(SUBSTRING "${_row}" ${_start} -1 _list)
      string(REPLACE " " ";" _list "${_list}")
      foreach(_u IN LISTS _list)
        if(_u STREQUAL "core")
          list(APPEND _uses ${LITHORA_CORE_FOLDERS})
        elseif(_u)
          list(APPEND _uses ${_u})
        endif()
      endforeach()
    endif()
  endforeach()
  if(NOT _found)
    message(FATAL_ERROR "src/${folder} has no row in cmake/Layers.cmake")
  endif()
  list(REMOVE_DUPLICATES _uses)
  set(${out} ${_uses} PARENT_SCOPE)
endfunction()

# The libraries a folder's library links: one per folder its row names.
function(lithora_layer_libraries folder out)
  lithora_layer_uses(${folder} _uses)
  set(_libs)
  foreach(_u IN LISTS _uses)
    string(REGEX REPLACE "^core/" "lithora_" _t "${_u}")
    string(REGEX REPLACE "^gui/" "lithora_gui_" _t "${_t}")
    list(APPEND _libs ${_t})
  endforeach()
  set(${out} ${_libs} PARENT_SCOPE)
endfunction()
