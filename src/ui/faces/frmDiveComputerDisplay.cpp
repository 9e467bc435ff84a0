#include "frmDiveComputerDisplay.h"

#include "DiveComputerDisplay.h"
#include "DiveComputerDisplayFactory.h"
#include "FloatingPlace.h"
#include "ProfileReader.h"
#include "Settings.h"
#include "SettingsWrite.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCloseEvent>
#include <QPointer>

namespace {
QPointer<frmDiveComputerDisplay>& theWindow() {
    static QPointer<frmDiveComputerDisplay> window;
    return window;
}
const QString leftKey = QStringLiteral("DiveComputerDisplayLeft");
const QString topKey = QStringLiteral("DiveComputerDisplayTop");
constexpr double defaultPlace = 1000;
} // namespace

frmDiveComputerDisplay* frmDiveComputerDisplay::loaded() {
    return theWindow();
}

frmDiveComputerDisplay* frmDiveComputerDisplay::showFloating() {
    if (!theWindow())
        theWindow() = new frmDiveComputerDisplay();
    setTopMost(theWindow());
    return theWindow();
}

void frmDiveComputerDisplay::pressedBy(std::shared_ptr<ProfileReader> profile, qint16 step) {
    DiveComputerDisplay* face = showFloating()->diveComputerDisplay();
    if (!face || !profile)
        return;
    face->addProfile(std::move(profile));
    face->updateDisplay(step);
}

void frmDiveComputerDisplay::released() {
    if (frmDiveComputerDisplay* window = loaded())
        window->hide();
}

void frmDiveComputerDisplay::followStep(const ProfileReader* hostProfile, qint16 step) {
    frmDiveComputerDisplay* window = loaded();
    DiveComputerDisplay* face = window ? window->diveComputerDisplay() : nullptr;
    if (face && hostProfile && face->currentProfile().get() == hostProfile)
        face->updateDisplay(step);
}

void frmDiveComputerDisplay::replaceProfile(const ProfileReader* oldProfile,
                                            std::shared_ptr<ProfileReader> newProfile) {
    frmDiveComputerDisplay* window = loaded();
    DiveComputerDisplay* face = window ? window->diveComputerDisplay() : nullptr;
    if (face && oldProfile && face->currentProfile().get() == oldProfile)
        face->addProfile(std::move(newProfile));
}

frmDiveComputerDisplay::frmDiveComputerDisplay() : QWidget(nullptr, Qt::Tool) {
    setObjectName(QStringLiteral("frmDiveComputerDisplay"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Dive Computer"));
    Forms::add(this);
    m_face = createDiveComputerDisplay(Settings::instance().currentDiveComputer(), this);
    // The window is the size of the face, which fills it.
    if (m_face) {
        m_face->move(0, 0);
        m_face->show();
        setFixedSize(m_face->size());
    } else {
        setFixedSize(Twips::pixels(3915), Twips::pixels(4770));
    }
    const QPoint place(Twips::pixels(int(floatingplace::storedTwips(leftKey, defaultPlace))),
                       Twips::pixels(int(floatingplace::storedTwips(topKey, defaultPlace))));
    move(floatingplace::ontoScreens(QRect(place, size()), floatingplace::screenAreas()).topLeft());
}

void frmDiveComputerDisplay::closeEvent(QCloseEvent* event) {
    // The window closes whether or not its place could be kept.
    SettingsWrite::reported(QStringLiteral("frmDiveComputerDisplay.Form_Unload"), [this] {
        floatingplace::storeTwips(leftKey, x());
        floatingplace::storeTwips(topKey, y());
    });
    event->accept();
    // Unloaded from now on, though the object itself goes with the next event-loop turn.
    if (theWindow() == this)
        theWindow() = nullptr;
}
