#include "ProfilePanel.h"

#include "CommandFailure.h"
#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "DiveModule.h"
#include "FloatingDisplays.h"
#include "ProfileReplay.h"
#include "PropertyBag.h"
#include "Settings.h"
#include "Twips.h"

#include <QAction>
#include <QToolBar>
#include <algorithm>

namespace {
constexpr int MARGIN = 70;
}

ProfilePanel::ProfilePanel(DiveGraph* graph, QWidget* parent) : QWidget(parent), DiveGraph1(graph) {
    tblProfile = new QToolBar(this);
    tblProfile->setObjectName(QStringLiteral("tblProfile"));
    tblProfile->setIconSize(QSize(16, 16));
    buttons = ProfileReplay::buildToolbar(tblProfile, true);
    // The floating windows only where the program installed them.
    for (const char* key : {"DiveComputer", "Tissue"})
        buttons.value(QLatin1String(key))->setEnabled(Floating::windows() != nullptr);
    connect(tblProfile, &QToolBar::actionTriggered, this,
            [this](QAction* action) { tblProfile_ButtonClick(action->data().toString()); });

    DisplayTissue1 = new DisplayTissue(this);
    PropertyBag tissue;
    tissue.write(QStringLiteral("lineBase"), 200, {});
    tissue.write(QStringLiteral("textBase"), 0, {});
    DisplayTissue1->readProperties(tissue);

    PropertyBag surface;
    surface.write(QStringLiteral("ScaleMode"), DiveGraph::SCALE_TWIPS, {});
    surface.write(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 8), {});
    DiveGraph1->readProperties(surface);
    DiveGraph1->setFocusPolicy(Qt::StrongFocus);

    m_replay = new ProfileReplay(DiveGraph1, DisplayTissue1, this);
    m_replay->setPreviousDiveLookup([](const Dive& dive) { return DiveModule::getPreviousDive(dive, false); });
    m_replay->addStepKeys(this);
    m_replay->addStepKeys(DiveGraph1);
}

ProfilePanel::~ProfilePanel() {
    m_replay->setFace(nullptr);
}

const std::shared_ptr<Profile>& ProfilePanel::diveProfile() const {
    return m_replay->profile();
}

void ProfilePanel::createDiveComputerDisplay() {
    m_face = Faces::create(Settings::instance().currentDiveComputer(), this);
    if (m_face) {
        m_face->widget()->setObjectName(QStringLiteral("DiveComputerDisplay1"));
        m_face->widget()->show();
    }
    m_replay->setFace(m_face.get());
    layoutPanel();
}

void ProfilePanel::setProfileDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives) {
    if (!cDive) {
        m_replay->clear();
        return;
    }
    try {
        m_replay->showDive(std::move(cDive), pDives, true);
    } catch (...) {
        // Nothing of another dive may stay on show beside this one.
        m_replay->clear();
        throw;
    }
}

void ProfilePanel::tblProfile_ButtonClick(const QString& key) {
    if (const auto output = ShownProfilePrinting::outputOf(key)) {
        printShownProfile(*output);
        return;
    }
    if (key == QLatin1String("SIMULATOR"))
        emit simulatorRequested();
    else if (m_replay->toggleFloating(key, buttons.value(key)))
        layoutPanel();
    else
        m_replay->step(key);
}

void ProfilePanel::printShownProfile(ShownProfilePrinting::Output output) {
    const std::shared_ptr<Profile>& profile = diveProfile();
    if (!profile)
        return;
    // The descriptive record is the selected dive's: the panel always shows the selected dive.
    try {
        ShownProfilePrinting::print(profile, DiveGraph1->getCurrentDiverPosition(),
                                    Settings::instance().currentDiveID(), output, window());
    } catch (const std::exception& error) {
        CommandFailure::report(QStringLiteral("frmMain.tblProfile_ButtonClick"),
                               QStringLiteral("Error printing the profile"), error);
    }
}

void ProfilePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanel();
}

void ProfilePanel::layoutPanel() {
    const int toolbarHeight = tblProfile->sizeHint().height();
    tblProfile->setGeometry(0, 0, width(), toolbarHeight);
    int top = Twips::twips(toolbarHeight) + FACE_GAP;
    if (m_face) {
        m_face->widget()->setGeometry(Twips::pixels(FACE_LEFT, top, Faces::FACE_WIDTH, Faces::FACE_HEIGHT));
        if (!m_face->widget()->isHidden())
            top += Faces::FACE_HEIGHT;
    }
    // The tab page of this platform is a little narrower than the face: the bars keep a margin on
    // the right as on the left.
    const int width = std::clamp(Twips::twips(this->width()) - 2 * FACE_LEFT, 0, int(Faces::FACE_WIDTH));
    const int height = std::max(0, Twips::twips(this->height()) - top - MARGIN);
    DisplayTissue1->setGeometry(Twips::pixels(FACE_LEFT, top, width, height));
}
