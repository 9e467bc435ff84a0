#pragma once

#include "PropertyBag.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QtCore/qnamespace.h>
#include <memory>

class DisplayTissue;
class DiveComputerFace;
class DiveGraph;
class ProfileReplay;
class QAction;
class QToolBar;
class QWidget;

// What the three hosts of a replayed dive (the main window's profile panel, the profile window, the
// simulator) build alike: the profile graph, the tissue bars and the face of the model in use, as
// children of the host, and the replay that hands them the host's profile and passes every marker
// step on to them and to the floating face and tissue windows. The host lays them out.
class ProfileHost {
public:
    struct Look {
        // The graph's and the tissue bars' stored properties.
        PropertyBag graph;
        PropertyBag tissue;
        Qt::FocusPolicy graphFocus = Qt::StrongFocus;
        // False for a host that follows the marker from its own handler of the graph's event.
        bool replayFollowsMarker = true;
    };
    // The surface every host's graph draws on: twips, "Tahoma" 8.
    static PropertyBag graphSurface();

    // Builds the tissue bars and, unless the host has its own `graph` (the panel's stands on the
    // Profile tab), the graph.
    ProfileHost(QWidget* host, const Look& look, DiveGraph* graph = nullptr);
    ~ProfileHost();
    ProfileHost(const ProfileHost&) = delete;
    ProfileHost& operator=(const ProfileHost&) = delete;

    // The face of the model in use, shown; null for a model without one, and the host lays out as if
    // it were hidden.
    DiveComputerFace* createFace();
    DiveComputerFace* face() const { return m_face.get(); }
    QWidget* faceWidget() const;
    DiveGraph* graph() const { return m_graph; }
    DisplayTissue* tissue() const { return m_tissue; }
    ProfileReplay& replay() const { return *m_replay; }

    // A host's toolbar, buttons by key; the floating-window buttons work only where the program
    // installed the windows.
    static QHash<QString, QAction*> buildToolbar(QToolBar* toolbar, bool withSimulator);

private:
    QWidget* m_host;
    DiveGraph* m_graph;
    DisplayTissue* m_tissue;
    std::unique_ptr<DiveComputerFace> m_face;
    QPointer<ProfileReplay> m_replay;
};
