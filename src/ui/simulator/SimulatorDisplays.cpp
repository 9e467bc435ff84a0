#include "SimulatorDisplays.h"

#include "DisplayTissue.h"
#include "DiveGraph.h"
#include "FloatingDisplays.h"
#include "ProfileHost.h"
#include "ProfileReplay.h"

#include <QObject>

namespace {

// The profile graph, the face of the current model and the tissue bars of the simulator window,
// with the program's floating windows. The window follows the marker from its own handler.
class LiveDisplays : public SimulatorDisplays {
public:
    explicit LiveDisplays(QWidget* host) : m_host(host, look()) {
        QObject::connect(graphOf(), &DiveGraph::DiverMovement, graphOf(), [this](qint16 step) {
            if (onDiverMovement)
                onDiverMovement(step);
        });
        QObject::connect(graphOf(), &DiveGraph::DepthChange, graphOf(), [this](float depth, qint16 step) {
            if (onDepthChange)
                onDepthChange(double(depth), step);
        });
        m_host.createFace();
    }

    QWidget* graph() const override { return m_host.graph(); }
    QWidget* face() const override { return m_host.faceWidget(); }
    QWidget* tissue() const override { return m_host.tissue(); }

    void addProfile(std::shared_ptr<Profile> profile) override { replay().setProfile(std::move(profile)); }
    void resetFace() override { replay().resetFace(); }
    void updateGraph() override { graphOf()->updateGraph(); }
    void refreshGraph() override { graphOf()->Refresh(); }
    void moveDiver(qint16 step) override { graphOf()->moveDiver(step); }
    void moveDiverNext() override { graphOf()->moveDiverNext(); }
    void moveDiverPrevious() override { graphOf()->moveDiverPrevious(); }
    qint16 diverPosition() const override { return graphOf()->getCurrentDiverPosition(); }
    void setDiverOn(bool on) override { graphOf()->setDiverOn(on); }
    void setDepthChange(bool on) override { graphOf()->setDepthChange(on); }
    void updateDisplay(qint16 step) override { replay().followMarker(step); }
    void updateDepth(float metres) override { replay().followDepth(metres); }
    void refreshTissue() override { replay().clearTissue(); }

    void floatFace(bool floating) override { replay().setFloating(FloatingDisplays::Face, floating); }
    void floatTissue(bool floating) override { replay().setFloating(FloatingDisplays::Tissue, floating); }
    bool canFloat() const override { return Floating::windows() != nullptr; }
    void closeFloating() override { Floating::unloadAll(); }

private:
    // The graph in simulation mode, on the white surface colour.
    static ProfileHost::Look look() {
        ProfileHost::Look look;
        look.graph = ProfileHost::graphSurface();
        look.graph.write(QStringLiteral("ForeColor"), 15, {});
        look.graph.write(QStringLiteral("setSimulationMode"), true, {});
        look.tissue.write(QStringLiteral("textBase"), 300, {});
        look.replayFollowsMarker = false;
        return look;
    }
    DiveGraph* graphOf() const { return m_host.graph(); }
    ProfileReplay& replay() const { return m_host.replay(); }

    ProfileHost m_host;
};

} // namespace

std::unique_ptr<SimulatorDisplays> SimulatorDisplays::create(QWidget* host) {
    return std::make_unique<LiveDisplays>(host);
}
