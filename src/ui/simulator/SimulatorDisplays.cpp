#include "SimulatorDisplays.h"

#include "DisplayTissue.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "FloatingDisplays.h"
#include "Profile.h"
#include "PropertyBag.h"
#include "Settings.h"

#include <QObject>
#include <exception>

namespace {

// A display that cannot show a step keeps its previous picture; the others still follow, and the
// timer's event never ends in an error.
template <typename Show> void guarded(Show show) {
    try {
        show();
    } catch (const std::exception&) {
    }
}

// The profile graph, the face of the current model and the tissue bars of the simulator window,
// with the program's floating windows.
class LiveDisplays : public SimulatorDisplays {
public:
    explicit LiveDisplays(QWidget* host) {
        m_graph = new DiveGraph(host);
        m_graph->setObjectName(QStringLiteral("DiveGraph1"));
        PropertyBag surface;
        surface.write(QStringLiteral("ScaleMode"), DiveGraph::SCALE_TWIPS, {});
        surface.write(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 8), {});
        surface.write(QStringLiteral("ForeColor"), 15, {});
        surface.write(QStringLiteral("setSimulationMode"), true, {});
        m_graph->readProperties(surface);
        m_graph->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(m_graph, &DiveGraph::DiverMovement, m_graph, [this](qint16 step) {
            if (onDiverMovement)
                onDiverMovement(step);
        });
        QObject::connect(m_graph, &DiveGraph::DepthChange, m_graph, [this](float depth, qint16 step) {
            if (onDepthChange)
                onDepthChange(double(depth), step);
        });

        m_tissue = new DisplayTissue(host);
        m_tissue->setObjectName(QStringLiteral("DisplayTissue1"));
        PropertyBag bars;
        bars.write(QStringLiteral("textBase"), 300, {});
        m_tissue->readProperties(bars);

        m_face = Faces::create(Settings::instance().currentDiveComputer(), host);
        if (m_face) {
            m_face->widget()->setObjectName(QStringLiteral("DiveComputerDisplay1"));
            m_face->widget()->show();
        }
    }

    QWidget* graph() const override { return m_graph; }
    QWidget* face() const override { return m_face ? m_face->widget() : nullptr; }
    QWidget* tissue() const override { return m_tissue; }

    void addProfile(std::shared_ptr<Profile> profile) override {
        m_profile = profile;
        m_graph->addProfile(profile);
        m_tissue->addProfile(profile);
        if (m_face)
            m_face->addProfile(profile);
    }
    void resetFace() override {
        if (m_face)
            guarded([&] { m_face->resetDisplay(); });
        if (FloatingDisplays* windows = Floating::windows())
            guarded([&] { windows->resetFace(m_profile.get()); });
    }
    void updateGraph() override { m_graph->updateGraph(); }
    void refreshGraph() override { m_graph->Refresh(); }
    void moveDiver(qint16 step) override { m_graph->moveDiver(step); }
    void moveDiverNext() override { m_graph->moveDiverNext(); }
    void moveDiverPrevious() override { m_graph->moveDiverPrevious(); }
    qint16 diverPosition() const override { return m_graph->getCurrentDiverPosition(); }
    void setDiverOn(bool on) override { m_graph->setDiverOn(on); }
    void setDepthChange(bool on) override { m_graph->setDepthChange(on); }
    void updateDisplay(qint16 step) override {
        if (m_face)
            guarded([&] { m_face->updateDisplay(step); });
        guarded([&] { m_tissue->updateDisplay(step); });
        if (FloatingDisplays* windows = Floating::windows())
            guarded([&] { windows->follow(m_profile.get(), step); });
    }
    void updateDepth(float metres) override {
        if (m_face)
            guarded([&] { m_face->updateDepth(metres); });
        if (FloatingDisplays* windows = Floating::windows())
            guarded([&] { windows->followDepth(m_profile.get(), metres); });
    }
    void refreshTissue() override {
        m_tissue->clearDisplay();
        if (FloatingDisplays* windows = Floating::windows())
            guarded([&] { windows->clearTissue(m_profile.get()); });
    }

    // Pressing a button always hands the floating window this window's profile, also when another
    // host loaded it: until then it would show the other host's dive and not follow this one.
    void floatFace(bool floating) override { setFloating(FloatingDisplays::Face, face(), floating); }
    void floatTissue(bool floating) override { setFloating(FloatingDisplays::Tissue, m_tissue, floating); }
    bool canFloat() const override { return Floating::windows() != nullptr; }
    void closeFloating() override {
        if (FloatingDisplays* windows = Floating::windows())
            windows->unloadAll();
    }

private:
    void setFloating(FloatingDisplays::Window window, QWidget* own, bool floating) {
        if (FloatingDisplays* windows = Floating::windows())
            Floating::press(*windows, window, m_profile, m_graph->getCurrentDiverPosition(), own, floating);
    }

    DiveGraph* m_graph;
    DisplayTissue* m_tissue;
    std::unique_ptr<DiveComputerFace> m_face;
    std::shared_ptr<Profile> m_profile;
};

} // namespace

std::unique_ptr<SimulatorDisplays> SimulatorDisplays::create(QWidget* host) {
    return std::make_unique<LiveDisplays>(host);
}
