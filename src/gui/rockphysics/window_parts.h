#pragma once
#include <QRect>
#include <functional>

#include "gui/rockphysics/fluid_substitution_window.h"

class CrossPlot;
class DepthChart;
class QDialog;
class QPushButton;
class TrackCommands;

// What the rock-physics windows have in common.
namespace rock_physics_parts {

// A window of its own (title bar, minimise and close box, fixed size), deleted when closed.
void setUpWindow(QDialog& window, const QString& objectName, const QString& title, QSize size);

// The popup commands and zoom of the depth charts of a window, served with the window's seam
// and folder.
TrackCommands* trackCommands(QDialog& window, const RockPhysicsContext& context);

// A depth chart of one or two curves as the windows of combination tracks have them (sunken,
// compact titles, dotted depth grid, no logarithmic item), placed in the window.
DepthChart* combinationTrack(QDialog& window, int number, int axisCount, const QString& objectName,
                             const QRect& geometry);

// The window follows its well: a depth filter, its undo or a new elastic computation runs
// again (computeAgain); Empty Table and an import close the window, whose well is gone.
lithora::store::Subscription followWell(QDialog& window, lithora::workspace::Workspace& ws,
                                        std::function<void()> computeAgain);

// The red "Close" button of the program's windows.
QPushButton* closeButton(QDialog& window, const QRect& geometry);

// "Print", "Export" and "Set Min, Max" of a cross plot's menu, asked in the window.
void serveCrossPlot(CrossPlot& plot, QDialog& window, const RockPhysicsContext& context);

}  // namespace rock_physics_parts
