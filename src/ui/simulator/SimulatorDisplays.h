#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class Profile;
class QWidget;

// What the simulator window shows of its dive: the profile graph with its diver marker, the face
// of the current model and the tissue bars, and the floating face and tissue windows when they are
// loaded. The window drives them through this one object and lays out the three widgets.
class SimulatorDisplays {
public:
    virtual ~SimulatorDisplays() = default;

    // The window's own widgets, children of the host; null for a display not built.
    virtual QWidget* graph() const = 0;
    virtual QWidget* face() const = 0;
    virtual QWidget* tissue() const = 0;

    virtual void addProfile(std::shared_ptr<Profile> profile) = 0;
    // The face back to its empty reading, the window's and the floating one.
    virtual void resetFace() = 0;
    // Graph: redraw from the profile's results, repaint, the marker.
    virtual void updateGraph() = 0;
    virtual void refreshGraph() = 0;
    virtual void moveDiver(qint16 step) = 0;
    virtual void moveDiverNext() = 0;
    virtual void moveDiverPrevious() = 0;
    virtual qint16 diverPosition() const = 0;
    virtual void setDiverOn(bool on) = 0;
    virtual void setDepthChange(bool on) = 0;
    // Face and tissue bars, the window's and the floating ones, at a sample step.
    virtual void updateDisplay(qint16 step) = 0;
    // The face's depth reading between samples, the window's and the floating one.
    virtual void updateDepth(float metres) = 0;
    // The tissue bars repainted empty, the window's and the floating one.
    virtual void refreshTissue() = 0;

    // The floating windows: shown with the window's own display hidden, or hidden again.
    virtual void floatFace(bool floating) = 0;
    virtual void floatTissue(bool floating) = 0;
    virtual bool canFloat() const = 0;
    // Unloads the floating windows, whoever opened them.
    virtual void closeFloating() = 0;

    // Raised by every marker move with the new step.
    std::function<void(qint16 step)> onDiverMovement;
    // Raised when a vertex was dragged to a new depth (decimetres) on the graph.
    std::function<void(double depth, qint16 step)> onDepthChange;

    // The displays of the program's build, children of `host`.
    static std::unique_ptr<SimulatorDisplays> create(QWidget* host);
};
