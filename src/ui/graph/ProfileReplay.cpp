#include "ProfileReplay.h"

#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "FloatingDisplays.h"
#include "Profile.h"
#include "ProfilePictures.h"
#include "RunSkippingFailure.h"

#include <QAction>
#include <QShortcut>
#include <QToolBar>

ProfileReplay::ProfileReplay(DiveGraph* graph, DisplayTissue* tissue, QObject* parent)
    : QObject(parent), m_graph(graph), m_tissue(tissue) {
    connect(m_graph, &DiveGraph::DiverMovement, this, &ProfileReplay::followMarker);
}

ProfileReplay::~ProfileReplay() = default;

void ProfileReplay::showDive(std::shared_ptr<Dive> dive, const QList<std::shared_ptr<Dive>>* previous,
                             bool resetGraph) {
    auto profile = std::make_shared<Profile>();
    profile->setCurrentDive(dive);
    if (previous)
        profile->setPreviousDives(*previous);
    profile->compute();
    // A floating window that showed this host's previous dive goes on with the new one.
    if (FloatingDisplays* windows = Floating::windows())
        windows->handOver(m_profile.get(), profile);
    m_dive = std::move(dive);
    m_profile = std::move(profile);

    if (m_face) {
        m_face->setIcon(0, 0);
        if (m_dive->hasStop() && m_previousDive) {
            if (const std::shared_ptr<Dive> before = m_previousDive(*m_dive))
                m_face->setIcon(before->getAscent(), before->getDecoStop());
        }
        m_face->addProfile(m_profile);
    }
    if (resetGraph)
        m_graph->resetProfile();
    m_graph->addProfile(m_profile);
    m_tissue->addProfile(m_profile);
    m_graph->updateGraph();
    m_graph->moveDiver(0);
}

void ProfileReplay::clear() {
    m_dive.reset();
    m_profile.reset();
    m_graph->resetProfile();
    m_graph->updateGraph();
    m_tissue->addProfile(nullptr);
    m_tissue->clearDisplay();
}

bool ProfileReplay::step(const QString& key) {
    if (key == QLatin1String("FIRST"))
        m_graph->moveDiver(0);
    else if (key == QLatin1String("PREVIOUS"))
        m_graph->moveDiverPrevious();
    else if (key == QLatin1String("NEXT"))
        m_graph->moveDiverNext();
    else if (key == QLatin1String("LAST"))
        m_graph->moveDiver(m_dive ? qint16(m_dive->getSamplesCount() + 1) : qint16(0));
    else
        return false;
    return true;
}

void ProfileReplay::setProfile(std::shared_ptr<Profile> profile) {
    m_dive = profile ? profile->getCurrentDive() : nullptr;
    m_profile = std::move(profile);
    m_graph->addProfile(m_profile);
    m_tissue->addProfile(m_profile);
    if (m_face)
        m_face->addProfile(m_profile);
}

// A display that cannot show a step (past the model's tables) keeps its previous picture; the others
// still follow, and no event ends in an error.
void ProfileReplay::followMarker(qint16 step) {
    if (m_face)
        runSkippingFailure([&] { m_face->updateDisplay(step); });
    runSkippingFailure([&] { m_tissue->updateDisplay(step); });
    if (onStep)
        runSkippingFailure([&] { onStep(step); });
    if (FloatingDisplays* windows = Floating::windows())
        runSkippingFailure([&] { windows->follow(m_profile.get(), step); });
}

void ProfileReplay::leaveMarkerToHost() {
    disconnect(m_graph, &DiveGraph::DiverMovement, this, &ProfileReplay::followMarker);
}

void ProfileReplay::followDepth(float metres) {
    if (m_face)
        runSkippingFailure([&] { m_face->updateDepth(metres); });
    if (FloatingDisplays* windows = Floating::windows())
        runSkippingFailure([&] { windows->followDepth(m_profile.get(), metres); });
}

void ProfileReplay::resetFace() {
    if (m_face)
        runSkippingFailure([&] { m_face->resetDisplay(); });
    if (FloatingDisplays* windows = Floating::windows())
        runSkippingFailure([&] { windows->resetFace(m_profile.get()); });
}

void ProfileReplay::clearTissue() {
    m_tissue->clearDisplay();
    if (FloatingDisplays* windows = Floating::windows())
        runSkippingFailure([&] { windows->clearTissue(m_profile.get()); });
}

void ProfileReplay::setFloating(FloatingDisplays::Window window, bool pressed) {
    FloatingDisplays* windows = Floating::windows();
    if (!windows)
        return;
    QWidget* own = window == FloatingDisplays::Face ? (m_face ? m_face->widget() : nullptr) : m_tissue;
    Floating::press(*windows, window, m_profile, m_graph->getCurrentDiverPosition(), own, pressed);
}

bool ProfileReplay::toggleFloating(const QString& key, QAction* button) {
    const bool face = key == QLatin1String("DiveComputer");
    if (!face && key != QLatin1String("Tissue"))
        return false;
    if (!Floating::windows() || !button)
        return true;
    const bool pressed = button->isChecked();
    setFloating(face ? FloatingDisplays::Face : FloatingDisplays::Tissue, pressed);
    const char* picture = face ? (pressed ? "dcON" : "dcOFF") : (pressed ? "tissueON" : "tissueOFF");
    button->setIcon(ProfilePictures::toolbarIcon(QLatin1String(picture)));
    return true;
}

QHash<QString, QAction*> ProfileReplay::buildToolbar(QToolBar* toolbar, bool withSimulator) {
    QHash<QString, QAction*> buttons;
    const auto add = [&](const char* key, const char* tip, bool checkable) {
        QAction* action = toolbar->addAction(ProfilePictures::toolbarIcon(QLatin1String(key)), QString());
        action->setObjectName(toolbar->objectName() + u'_' + QLatin1String(key));
        action->setData(QLatin1String(key));
        action->setToolTip(QLatin1String(tip));
        action->setCheckable(checkable);
        buttons.insert(QLatin1String(key), action);
    };
    add("DiveComputer", "1801", true);
    add("Tissue", "1802", true);
    toolbar->addSeparator();
    add("PRINT", "1807", false);
    add("PREVIEW", "1808", false);
    toolbar->addSeparator();
    if (withSimulator) {
        add("SIMULATOR", "1809", false);
        toolbar->addSeparator();
    }
    add("FIRST", "1803", false);
    add("PREVIOUS", "1804", false);
    add("NEXT", "1805", false);
    add("LAST", "1806", false);
    return buttons;
}

void ProfileReplay::addStepKeys(QWidget* host) {
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Home, "FIRST"}, {Qt::Key_Left, "PREVIOUS"}, {Qt::Key_Right, "NEXT"}, {Qt::Key_End, "LAST"}};
    for (const auto& [key, command] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), host);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        shortcut->setAutoRepeat(true);
        const QString name = QLatin1String(command);
        connect(shortcut, &QShortcut::activated, this, [this, name] { step(name); });
    }
}
