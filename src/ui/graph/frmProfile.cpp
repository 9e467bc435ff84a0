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
#include "ProfileReplay.h"
#include "PropertyBag.h"
#include "Settings.h"
#include "ShownProfilePrinting.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QFrame>
#include <QLocale>
#include <QToolBar>
#include <functional>

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

// The graph's stored properties as the window keeps them: twips, the white surface colour.
PropertyBag graphProperties() {
    PropertyBag bag;
    bag.write(QStringLiteral("ScaleMode"), 1, {});
    bag.write(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 8), {});
    bag.write(QStringLiteral("ForeColor"), 15, {});
    return bag;
}

PropertyBag tissueProperties() {
    PropertyBag bag;
    bag.write(QStringLiteral("textBase"), 300, {});
    return bag;
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
    buttons = ProfileReplay::buildToolbar(toolbarLeft, false);
    // The floating windows once installed.
    for (const char* key : {"DiveComputer", "Tissue"})
        buttons.value(QLatin1String(key))->setEnabled(Floating::windows() != nullptr);
    connect(toolbarLeft, &QToolBar::actionTriggered, this,
            [this](QAction* action) { toolbarLeft_ButtonClick(action->data().toString()); });

    verticalSplitter = new QFrame(this);
    verticalSplitter->setObjectName(QStringLiteral("verticalSplitter"));
    verticalSplitter->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    horizontalSplitter = new QFrame(this);
    horizontalSplitter->setObjectName(QStringLiteral("horizontalSplitter"));
    horizontalSplitter->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    DisplayTissue1 = new DisplayTissue(this);
    DisplayTissue1->readProperties(tissueProperties());
    DiveGraph1 = new DiveGraph(this);
    DiveGraph1->readProperties(graphProperties());
    DiveGraph1->setFocusPolicy(Qt::ClickFocus);

    m_replay = new ProfileReplay(DiveGraph1, DisplayTissue1, this);
    m_replay->setPreviousDiveLookup([](const Dive& dive) { return DiveModule::getPreviousDive(dive, false); });
    m_replay->addStepKeys(this);

    centerForm(this);
    m_face = Faces::create(Settings::instance().currentDiveComputer(), this);
    if (m_face) {
        place(m_face->widget(), 0, 0, Faces::FACE_WIDTH, Faces::FACE_HEIGHT);
        m_face->widget()->setObjectName(QStringLiteral("DiveComputerDisplay1"));
        m_face->widget()->show();
    }
    m_replay->setFace(m_face.get());
    Form_Resize();
}

frmProfile::~frmProfile() {
    // The displays go before the replay that feeds them is taken apart.
    m_replay->setFace(nullptr);
    // The floating windows close with the window, whoever opened them.
    if (FloatingDisplays* windows = Floating::windows())
        windows->unloadAll();
}

const std::shared_ptr<Dive>& frmProfile::currentDive() const {
    return m_replay->dive();
}

const std::shared_ptr<Profile>& frmProfile::diveProfile() const {
    return m_replay->profile();
}

void frmProfile::addDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives) {
    m_replay->showDive(std::move(cDive), pDives, false);
    Form_Resize();
}

bool frmProfile::isFaceShown() const {
    return m_face && !m_face->widget()->isHidden();
}

void frmProfile::Form_Resize() {
    const auto step = [](const std::function<void()>& statement) {
        try {
            statement();
        } catch (const std::exception&) {
        }
    };
    const int scaleWidth = twipsOf(width());
    const int scaleHeight = twipsOf(height());
    // A model without a face lays out as if its face were hidden: the tissue display takes the
    // face's place below the toolbar.
    const auto faceTop = [this] {
        return m_face ? twipsOf(m_face->widget()->y()) : twipsOf(toolbarLeft->geometry().bottom() + 1);
    };
    const auto faceHeight = [this] { return isFaceShown() ? twipsOf(m_face->widget()->height()) : 0; };
    int splitterLeft = Faces::FACE_WIDTH;

    step([this] { localizeForm(this); });
    step([this] {
        if (const std::shared_ptr<Dive>& dive = m_replay->dive())
            setWindowTitle(getString(1000) + QStringLiteral(": ") +
                           QLocale::system().toString(dive->getDateTime(), QLocale::ShortFormat));
    });
    step([&] {
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
    step([&] { place(horizontalSplitter, splitterLeft, scaleHeight, scaleWidth - splitterLeft, SPLITTER_SIZE); });
    step([&] {
        if (m_face)
            place(m_face->widget(), 0, twipsOf(toolbarLeft->geometry().bottom() + 1), Faces::FACE_WIDTH,
                  Faces::FACE_HEIGHT);
    });
    step([&] {
        const int top = faceTop() + faceHeight();
        place(DisplayTissue1, 0, top, splitterLeft - 100, scaleHeight - top);
    });
    step([&] {
        place(DiveGraph1, splitterLeft + 100, 0, scaleWidth - splitterLeft - 200, scaleHeight);
        DiveGraph1->Refresh();
    });
    step([this] { DiveGraph1->moveDiver(DiveGraph1->getCurrentDiverPosition()); });
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
            if (const std::shared_ptr<Dive>& dive = m_replay->dive())
                ShownProfilePrinting::print(diveProfile(), DiveGraph1->getCurrentDiverPosition(), dive->diveID(),
                                            *output, this);
        } else if (!m_replay->toggleFloating(key, buttons.value(key))) {
            m_replay->step(key);
        }
    } catch (const std::exception& error) {
        CommandFailure::report(QStringLiteral("frmProfile.toolbarLeft_ButtonClick"),
                               QStringLiteral("Error running the command ") + key, error);
    }
    Form_Resize();
}
