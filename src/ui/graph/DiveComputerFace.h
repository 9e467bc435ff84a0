#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class Profile;
class QWidget;

// What a host (the main window's profile panel, the profile window, the simulator) asks of the
// imitation of the dive computer's display. The faces themselves live in their own library, which
// installs a factory; until one is installed, or for a model code without a face, hosts have none and
// lay out as if it were hidden.
class DiveComputerFace {
public:
    virtual ~DiveComputerFace() = default;
    // The control itself, parented to the host; the host moves, shows and hides it.
    virtual QWidget* widget() = 0;
    // Keeps the profile and resets the display.
    virtual void addProfile(std::shared_ptr<Profile> profile) = 0;
    // A non-zero flag shows the ascent-violation or the deco-stop-violation icon.
    virtual void setIcon(qint16 ascentIcon, qint16 decoStopIcon) = 0;
    // Shows that sample step; does nothing while the face has no profile.
    virtual void updateDisplay(qint16 step) = 0;
    // Back to the empty reading of the profile's dive (the simulator after an undo to the surface).
    virtual void resetDisplay() {}
    // The simulator's live depth between samples, in metres: the depth digits alone change.
    virtual void updateDepth(float) {}
};

namespace Faces {
// Size of every face, in twips.
constexpr int FACE_WIDTH = 3975;
constexpr int FACE_HEIGHT = 4830;

using Factory = std::function<std::unique_ptr<DiveComputerFace>(qint32 modelCode, QWidget* parent)>;
// Installed once at start-up by the library that draws the faces; an empty factory removes it.
void setFactory(Factory factory);
// The face of a model code, or null when no factory is installed or the model has no face.
std::unique_ptr<DiveComputerFace> create(qint32 modelCode, QWidget* parent);
} // namespace Faces
