# Qt, the standard library and the test frameworks are parsed once per build
# instead of once per file: a few shared precompiled headers, each made by a
# small host target and reused by every target built with the same flags.
# A target gets the one that matches what it is compiled against, so a core
# library never sees a widget header it does not include itself.

set(MORVANE_PCH_CORE
  <algorithm> <array> <functional> <map> <memory> <optional> <string> <vector>
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList>
  <QObject> <QString> <QStringList> <QTimer> <QVariant>)
set(MORVANE_PCH_WIDGETS ${MORVANE_PCH_CORE}
  <QApplication> <QCheckBox> <QComboBox> <QImage> <QLabel> <QLineEdit> <QMenu>
  <QPainter> <QPlainTextEdit> <QPushButton> <QTreeWidget> <QWidget>)

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/morvane_pch_host.cpp CONTENT "// host of a shared precompiled header\n")

function(morvane_pch_host name headers)
  add_library(${name} OBJECT ${CMAKE_BINARY_DIR}/morvane_pch_host.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  _morvane_warning_options(${name})
  target_precompile_headers(${name} PRIVATE ${headers})
endfunction()

# Whether compiling against `libs` brings in `wanted` (usage requirements
# only: a static library's private links add nothing to its users' flags).
function(_morvane_compiles_with out wanted)
  set(found OFF)
  foreach(lib IN LISTS ARGN)
    if(lib STREQUAL wanted OR (wanted STREQUAL "Qt6::Core" AND lib MATCHES "^Qt6::"))
      set(found ON)
    elseif(TARGET ${lib} AND NOT lib MATCHES "^Qt6::")
      get_target_property(interface ${lib} INTERFACE_LINK_LIBRARIES)
      if(interface)
        list(FILTER interface EXCLUDE REGEX "^\\$<LINK_ONLY:")
        _morvane_compiles_with(deeper ${wanted} ${interface})
        if(deeper)
          set(found ON)
        endif()
      endif()
    endif()
    if(found)
      break()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(morvane_precompiled target)
  get_target_property(type ${target} TYPE)
  if(target MATCHES "^morvane_pch_" OR type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  get_target_property(libs ${target} LINK_LIBRARIES)
  if(NOT libs)
    return()
  endif()
  _morvane_compiles_with(core Qt6::Core ${libs})
  if(NOT core)
    return()
  endif()
  _morvane_compiles_with(widgets Qt6::Widgets ${libs})
  set(host morvane_pch_core)
  if(widgets)
    set(host morvane_pch_widgets)
  endif()
  if(TARGET morvane_pch_core_gtest)
    _morvane_compiles_with(gtest GTest::gtest ${libs})
    if(gtest)
      set(host ${host}_gtest)
    endif()
  endif()
  set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${host})
  # A program's generated moc file is mostly empty (its sources include
  # their own); loading the header would cost more than it saves there.
  if(NOT type STREQUAL "STATIC_LIBRARY")
    get_target_property(binary_dir ${target} BINARY_DIR)
    set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
      TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()

morvane_pch_host(morvane_pch_core "${MORVANE_PCH_CORE}" Qt6::Core)
morvane_pch_host(morvane_pch_widgets "${MORVANE_PCH_WIDGETS}" Qt6::Widgets)
