#include "ProfileHost.h"

#include "DisplayTissue.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "FloatingDisplays.h"
#include "ProfileReplay.h"
#include "Settings.h"

#include <QAction>
#include <QFont>

PropertyBag ProfileHost::graphSurface() {
    PropertyBag surface;
    surface.write(QStringLiteral("ScaleMode"), DiveGraph::SCALE_TWIPS, {});
    surface.write(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 8), {});
    return surface;
}

ProfileHost::ProfileHost(QWidget* host, const Look& look, DiveGraph* graph) : m_host(host), m_graph(graph) {
    m_tissue = new DisplayTissue(host);
    m_tissue->setObjectName(QStringLiteral("DisplayTissue1"));
    m_tissue->readProperties(look.tissue);
    if (!m_graph) {
        m_graph = new DiveGraph(host);
        m_graph->setObjectName(QStringLiteral("DiveGraph1"));
    }
    m_graph->readProperties(look.graph);
    m_graph->setFocusPolicy(look.graphFocus);

    m_replay = new ProfileReplay(m_graph, m_tissue, host);
    if (!look.replayFollowsMarker)
        m_replay->leaveMarkerToHost();
}

ProfileHost::~ProfileHost() {
    // The face goes before the replay that feeds it, which the host takes apart later.
    if (m_replay)
        m_replay->setFace(nullptr);
}

DiveComputerFace* ProfileHost::createFace() {
    m_face = Faces::create(Settings::instance().currentDiveComputer(), m_host);
    if (m_face) {
        m_face->widget()->setObjectName(QStringLiteral("DiveComputerDisplay1"));
        m_face->widget()->show();
    }
    m_replay->setFace(m_face.get());
    return m_face.get();
}

QWidget* ProfileHost::faceWidget() const {
    return m_face ? m_face->widget() : nullptr;
}

QHash<QString, QAction*> ProfileHost::buildToolbar(QToolBar* toolbar, bool withSimulator) {
    QHash<QString, QAction*> buttons = ProfileReplay::buildToolbar(toolbar, withSimulator);
    for (const char* key : {"DiveComputer", "Tissue"})
        buttons.value(QLatin1String(key))->setEnabled(Floating::windows() != nullptr);
    return buttons;
}
