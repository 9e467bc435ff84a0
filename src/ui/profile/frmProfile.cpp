#include "frmProfile.h"

#include "CommandFailure.h"
#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"
#include "DiveModule.h"
#include "FloatingDisplays.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "ProfileHost.h"
#include "ProfileReplay.h"
#include "PropertyBag.h"
#include "RunSkippingFailure.h"
#include "ShownProfilePrinting.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QFrame>
#include <QLocale>
#include <QToolBar>

namespace {

int pixels(double t) {
    return qRound(t / TWIPS_PER_PIXEL);
}

void place(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(pixels(left), pixels(top), std::max(0, pixels(width)), std::max(0, pixels(height)));
}

int twipsOf(int px) {
    return Twips::twips(px);
}

// Graph and tissue bars as the window keeps them: the graph's white surface colour, the graph taking
// the focus from a click only.
ProfileHost::Look look() {
    ProfileHost::Look look;
    look.graph = ProfileHost::graphSurface();
    look.graph.write(QStringLiteral("ForeColor"), 15, {});
    look.tissue.write(QStringLiteral("textBase"), 300, {});
    look.graphFocus = Qt::ClickFocus;
    return look;
}

} // namespace

frmProfile::frmProfile(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmProfile"));
    setTag(this, QStringLiteral("1800"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::add(this);
    resize(pixels(DESIGN_WIDTH), pixels(DESIGN_HEIGHT));

    toolbarLeft = new QToolBar(this);
    toolbarLeft->setObjectName(QStringLiteral("toolbarLeft"));
    toolbarLeft->setIconSize(QSize(16, 16));
    buttons = ProfileHost::buildToolbar(toolbarLeft, false);
    connect(toolbarLeft, &QToolBar::actionTriggered, this,
            [this](QAction* action) { toolbarLeft_ButtonClick(action->data().toString()); });

    verticalSplitter = new QFrame(this);
    verticalSplitter->setObjectName(QStringLiteral("verticalSplitter"));
    verticalSplitter->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    horizontalSplitter = new QFrame(this);
    horizontalSplitter->setObjectName(QStringLiteral("horizontalSplitter"));
    horizontalSplitter->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    m_host = std::make_unique<ProfileHost>(this, look());
    DisplayTissue1 = m_host->tissue();
    DiveGraph1 = m_host->graph();
    replay().setPreviousDiveLookup([](const Dive& dive) { return DiveModule::getPreviousDive(dive, false); });
    replay().addStepKeys(this);

    centerForm(this);
    m_host->createFace();
    if (QWidget* face = m_host->faceWidget())
        place(face, 0, 0, Faces::FACE_WIDTH, Faces::FACE_HEIGHT);
    Form_Resize();
}

frmProfile::~frmProfile() {
    // The floating windows close with the window, whoever opened them.
    Floating::unloadAll();
}

DiveComputerFace* frmProfile::diveComputerDisplay() const {
    return m_host->face();
}

ProfileReplay& frmProfile::replay() {
    return m_host->replay();
}

const std::shared_ptr<Dive>& frmProfile::currentDive() const {
    return m_host->replay().dive();
}

const std::shared_ptr<Profile>& frmProfile::diveProfile() const {
    return m_host->replay().profile();
}

void frmProfile::addDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives) {
    replay().showDive(std::move(cDive), pDives, false);
    Form_Resize();
}

bool frmProfile::isFaceShown() const {
    const QWidget* face = m_host->faceWidget();
    return face && !face->isHidden();
}

void frmProfile::Form_Resize() {
    const int scaleWidth = twipsOf(width());
    const int scaleHeight = twipsOf(height());
    // A model without a face lays out as if its face were hidden: the tissue display takes the
    // face's place below the toolbar.
    QWidget* face = m_host->faceWidget();
    const auto faceTop = [&] { return face ? twipsOf(face->y()) : twipsOf(toolbarLeft->geometry().bottom() + 1); };
    const auto faceHeight = [&] { return isFaceShown() ? twipsOf(face->height()) : 0; };
    int splitterLeft = Faces::FACE_WIDTH;

    runSkippingFailure([this] { localizeForm(this); });
    runSkippingFailure([this] {
        if (const std::shared_ptr<Dive>& dive = currentDive())
            setWindowTitle(getString(1000) + QStringLiteral(": ") +
                           QLocale::system().toString(dive->getDateTime(), QLocale::ShortFormat));
    });
    runSkippingFailure([&] {
        if (!isFaceShown() && DisplayTissue1->isHidden()) {
            toolbarLeft->setOrientation(Qt::Vertical);
            toolbarLeft->setGeometry(0, 0, toolbarLeft->sizeHint().width(), height());
            splitterLeft = twipsOf(toolbarLeft->width());
        } else {
            toolbarLeft->setOrientation(Qt::Horizontal);
            place(toolbarLeft, 0, 0, splitterLeft, twipsOf(toolbarLeft->sizeHint().height()));
        }
        place(verticalSplitter, splitterLeft, 0, SPLITTER_SIZE, twipsOf(frameGeometry().height()));
    });
    runSkippingFailure(
        [&] { place(horizontalSplitter, splitterLeft, scaleHeight, scaleWidth - splitterLeft, SPLITTER_SIZE); });
    runSkippingFailure([&] {
        if (face)
            place(face, 0, twipsOf(toolbarLeft->geometry().bottom() + 1), Faces::FACE_WIDTH, Faces::FACE_HEIGHT);
    });
    runSkippingFailure([&] {
        const int top = faceTop() + faceHeight();
        place(DisplayTissue1, 0, top, splitterLeft - 100, scaleHeight - top);
    });
    runSkippingFailure([&] {
        place(DiveGraph1, splitterLeft + 100, 0, scaleWidth - splitterLeft - 200, scaleHeight);
        DiveGraph1->Refresh();
    });
    runSkippingFailure([this] { DiveGraph1->moveDiver(DiveGraph1->getCurrentDiverPosition()); });
}

void frmProfile::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmProfile::toolbarLeft_ButtonClick(const QString& key) {
    // Nothing a command fails with may leave the event loop's call.
    try {
        if (const auto output = ShownProfilePrinting::outputOf(key)) {
            // The descriptive record is the window's own dive's, whatever the main window selects now.
            if (const std::shared_ptr<Dive>& dive = currentDive())
                ShownProfilePrinting::print(diveProfile(), DiveGraph1->getCurrentDiverPosition(), dive->diveID(),
                                            *output, this);
        } else if (!replay().toggleFloating(key, buttons.value(key))) {
            replay().step(key);
        }
    } catch (const std::exception& error) {
        CommandFailure::report(QStringLiteral("frmProfile.toolbarLeft_ButtonClick"),
                               QStringLiteral("Error running the command ") + key, error);
    }
    Form_Resize();
}
