#include "ProfilePanel.h"

#include "CommandFailure.h"
#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "DiveModule.h"
#include "ProfileHost.h"
#include "ProfileReplay.h"
#include "PropertyBag.h"
#include "Settings.h"
#include "ShownProfilePrinting.h"
#include "Twips.h"

#include <QAction>
#include <QToolBar>
#include <algorithm>

namespace {
constexpr int MARGIN = 70;

// The tissue bars with their scale line low and no text above them; the graph on the usual surface.
ProfileHost::Look look() {
    ProfileHost::Look look;
    look.graph = ProfileHost::graphSurface();
    look.tissue.write(QStringLiteral("lineBase"), 200, {});
    look.tissue.write(QStringLiteral("textBase"), 0, {});
    return look;
}
} // namespace

ProfilePanel::ProfilePanel(DiveGraph* graph, QWidget* parent) : QWidget(parent), DiveGraph1(graph) {
    tblProfile = new QToolBar(this);
    tblProfile->setObjectName(QStringLiteral("tblProfile"));
    tblProfile->setIconSize(QSize(16, 16));
    buttons = ProfileHost::buildToolbar(tblProfile, true);
    connect(tblProfile, &QToolBar::actionTriggered, this,
            [this](QAction* action) { tblProfile_ButtonClick(action->data().toString()); });

    m_host = std::make_unique<ProfileHost>(this, look(), DiveGraph1);
    DisplayTissue1 = m_host->tissue();
    replay().setPreviousDiveLookup([](const Dive& dive) { return DiveModule::getPreviousDive(dive, false); });
    replay().addStepKeys(this);
    replay().addStepKeys(DiveGraph1);
}

ProfilePanel::~ProfilePanel() = default;

DiveComputerFace* ProfilePanel::diveComputerDisplay() const {
    return m_host->face();
}

ProfileReplay& ProfilePanel::replay() {
    return m_host->replay();
}

const std::shared_ptr<Profile>& ProfilePanel::diveProfile() const {
    return m_host->replay().profile();
}

void ProfilePanel::createDiveComputerDisplay() {
    m_host->createFace();
    layoutPanel();
}

void ProfilePanel::setProfileDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives) {
    if (!cDive) {
        replay().clear();
        return;
    }
    try {
        replay().showDive(std::move(cDive), pDives, true);
    } catch (...) {
        // Nothing of another dive may stay on show beside this one.
        replay().clear();
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
    else if (replay().toggleFloating(key, buttons.value(key)))
        layoutPanel();
    else
        replay().step(key);
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
    if (QWidget* face = m_host->faceWidget()) {
        face->setGeometry(Twips::pixels(FACE_LEFT, top, Faces::FACE_WIDTH, Faces::FACE_HEIGHT));
        if (!face->isHidden())
            top += Faces::FACE_HEIGHT;
    }
    // The tab page of this platform is a little narrower than the face: the bars keep a margin on
    // the right as on the left.
    const int width = std::clamp(Twips::twips(this->width()) - 2 * FACE_LEFT, 0, int(Faces::FACE_WIDTH));
    const int height = std::max(0, Twips::twips(this->height()) - top - MARGIN);
    DisplayTissue1->setGeometry(Twips::pixels(FACE_LEFT, top, width, height));
}
