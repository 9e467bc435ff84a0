#include "SimulatorDisplays.h"

#include "Dive.h"
#include "Profile.h"

#include <QFrame>

namespace {
// Until the profile graph, the faces and the tissue bars join the build: three empty panes and a
// marker that only counts steps, so that the window runs and lays out as it will with them.
class PlainDisplays : public SimulatorDisplays {
public:
    explicit PlainDisplays(QWidget* host) {
        const auto pane = [host](const char* name) {
            auto* frame = new QFrame(host);
            frame->setObjectName(QLatin1String(name));
            frame->setFrameShape(QFrame::StyledPanel);
            return frame;
        };
        m_graph = pane("DiveGraph1");
        m_face = pane("DiveComputerDisplay1");
        m_tissue = pane("DisplayTissue1");
    }

    QWidget* graph() const override { return m_graph; }
    QWidget* face() const override { return m_face; }
    QWidget* tissue() const override { return m_tissue; }

    void addProfile(std::shared_ptr<Profile> profile) override { m_profile = std::move(profile); }
    void resetFace() override {}
    void updateGraph() override { m_diverOn = true; }
    void refreshGraph() override {}
    void moveDiver(qint16 step) override {
        const int last = m_profile && m_profile->getCurrentDive() ? m_profile->getCurrentDive()->getSamplesCount() : 0;
        if (!m_diverOn || step < 0 || step > last)
            return;
        m_step = step;
        if (onDiverMovement)
            onDiverMovement(step);
    }
    void moveDiverNext() override { moveDiver(qint16(m_step + 1)); }
    void moveDiverPrevious() override { moveDiver(qint16(m_step - 1)); }
    qint16 diverPosition() const override { return m_step; }
    void setDiverOn(bool on) override { m_diverOn = on; }
    void setDepthChange(bool on) override { m_diverOn = !on; }
    void updateDisplay(qint16) override {}
    void updateDepth(float) override {}
    void refreshTissue() override {}
    void floatFace(bool) override {}
    void floatTissue(bool) override {}
    bool canFloat() const override { return false; }
    void closeFloating() override {}

private:
    QWidget* m_graph;
    QWidget* m_face;
    QWidget* m_tissue;
    std::shared_ptr<Profile> m_profile;
    qint16 m_step = 0;
    bool m_diverOn = true;
};
} // namespace

std::unique_ptr<SimulatorDisplays> SimulatorDisplays::create(QWidget* host) {
    return std::make_unique<PlainDisplays>(host);
}
