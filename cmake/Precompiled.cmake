# Precompiled Qt headers for the units that draw with Qt: parsing them is two thirds of such a
# unit's compile time. (The test framework's and the standard library's headers are not worth it:
# codegen dominates those units, and a precompiled header per test program costs what it saves.)
# A compiler cache does not cache a unit built with one (it compiles it every time), so they are
# off by default when a compiler launcher is set, and on without one, as in CI.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(pch_default OFF)
else()
  set(pch_default ON)
endif()
option(DROWCAST_PCH "Precompile the Qt headers of the Qt units" ${pch_default})

# drowcast_precompile_qt(TARGET): the Qt headers most of the units include, once per target.
function(drowcast_precompile_qt target)
  if(DROWCAST_PCH)
    target_precompile_headers(${target} PRIVATE
      <QApplication> <QComboBox> <QKeyEvent> <QMouseEvent> <QPainter> <QTimer> <QWidget>)
  endif()
endfunction()
