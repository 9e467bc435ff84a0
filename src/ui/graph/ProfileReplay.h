#pragma once

#include "FloatingDisplays.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class DisplayTissue;
class Dive;
class DiveComputerFace;
class DiveGraph;
class Profile;
class QAction;
class QToolBar;
class QWidget;

// What every host of a replayed dive does alike (the main window's profile panel, the profile
// window, the simulator): hand the profile to face, graph and tissue display in a fixed order, pass
// every marker step on to each display and to the floating windows, and float the face and the
// tissue bars. The panel and the profile window also compute the dive, put the marker on step 0 and
// step it from the toolbar and the keyboard.
class ProfileReplay : public QObject {
    Q_OBJECT
public:
    ProfileReplay(DiveGraph* graph, DisplayTissue* tissue, QObject* parent = nullptr);
    ~ProfileReplay() override;

    // The host's face; null while the model has none.
    void setFace(DiveComputerFace* face) { m_face = face; }
    DiveComputerFace* face() const { return m_face; }
    // The dive before a stop dive, whose violations the face shows; none by default.
    using PreviousDive = std::function<std::shared_ptr<Dive>(const Dive&)>;
    void setPreviousDiveLookup(PreviousDive lookup) { m_previousDive = std::move(lookup); }
    // Receives every marker step after the host's own displays (the floating windows).
    std::function<void(qint16 step)> onStep;

    // Computes the dive and shows it at step 0. `previous`, may be null, are the dives before it
    // for the model; `resetGraph` empties the graph first (a host that shows dive after dive). A
    // dive the model cannot compute fails before any display is touched.
    void showDive(std::shared_ptr<Dive> dive, const QList<std::shared_ptr<Dive>>* previous, bool resetGraph);
    // Shows no dive: the graph's gradient alone and a blank tissue display.
    void clear();
    // A profile the host computes itself (the simulator's), handed to graph, tissue display and face;
    // the marker stays where it is.
    void setProfile(std::shared_ptr<Profile> profile);
    const std::shared_ptr<Dive>& dive() const { return m_dive; }
    const std::shared_ptr<Profile>& profile() const { return m_profile; }

    // The face and tissue check buttons, "DiveComputer" and "Tissue": the display goes into its
    // floating window at the marker's step, the host's own copy hides, and back when released;
    // false for any other key.
    bool toggleFloating(const QString& key, QAction* button);
    // The floating window shows the host's profile at the marker's step and the host's own display
    // hides, or the window hides and the host's display shows again. Pressing always hands the
    // window this host's profile, also when another host loaded it.
    void setFloating(FloatingDisplays::Window window, bool pressed);
    // The marker commands "FIRST", "PREVIOUS", "NEXT" and "LAST"; false for any other key.
    bool step(const QString& key);
    // The step as every display shows it. A display that cannot show a step (past the model's
    // tables) keeps its previous picture; the others still follow.
    void followMarker(qint16 step);
    // The host follows the marker from its own handler of the graph's event, calling followMarker.
    void leaveMarkerToHost();
    // Between samples, the simulator's live depth in metres: the depth digits of the face, the
    // host's and the floating one while it shows this host's profile.
    void followDepth(float metres);
    // The face back to its empty reading, and the tissue bars blank, the host's and the floating ones.
    void resetFace();
    void clearTissue();

    // The toolbar of a host, in the order the hosts share: the face and tissue check buttons,
    // print and preview, the simulator (when asked), the four marker steps. Tool tips are string
    // numbers for the localiser; the buttons by key.
    static QHash<QString, QAction*> buildToolbar(QToolBar* toolbar, bool withSimulator);
    // Home, Left, Right and End on `host` and its children run the four marker commands.
    void addStepKeys(QWidget* host);

private:
    DiveGraph* m_graph;
    DisplayTissue* m_tissue;
    DiveComputerFace* m_face = nullptr;
    PreviousDive m_previousDive;
    std::shared_ptr<Dive> m_dive;
    std::shared_ptr<Profile> m_profile;
};
