#include "frmDisplayTissue.h"

#include "DisplayTissue.h"
#include "FloatingPlace.h"
#include "PropertyBag.h"
#include "SettingsWrite.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCloseEvent>
#include <QPointer>

namespace {
QPointer<frmDisplayTissue>& theWindow() {
    static QPointer<frmDisplayTissue> window;
    return window;
}
const QString leftKey = QStringLiteral("TissueDisplayLeft");
const QString topKey = QStringLiteral("TissueDisplayTop");
const QString widthKey = QStringLiteral("TissueDisplayWidth");
const QString heightKey = QStringLiteral("TissueDisplayHeight");
} // namespace

frmDisplayTissue* frmDisplayTissue::loaded() {
    return theWindow();
}

frmDisplayTissue* frmDisplayTissue::showFloating() {
    if (!theWindow())
        theWindow() = new frmDisplayTissue();
    setTopMost(theWindow());
    return theWindow();
}

frmDisplayTissue::frmDisplayTissue() : QWidget(nullptr, Qt::Tool) {
    setObjectName(QStringLiteral("frmDisplayTissue"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tissue Display"));
    Forms::add(this);
    DisplayTissue1 = new DisplayTissue(this);
    DisplayTissue1->setObjectName(QStringLiteral("DisplayTissue1"));
    PropertyBag bag;
    bag.write(QStringLiteral("textBase"), 300, {});
    bag.write(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 8), {});
    DisplayTissue1->readProperties(bag);
    const QRect stored(Twips::pixels(int(floatingplace::storedTwips(leftKey, 1000))),
                       Twips::pixels(int(floatingplace::storedTwips(topKey, 1000))),
                       Twips::pixels(int(floatingplace::storedTwips(widthKey, 3165))),
                       Twips::pixels(int(floatingplace::storedTwips(heightKey, 1950))));
    const QRect place = floatingplace::ontoScreens(stored, floatingplace::screenAreas());
    resize(qMax(place.width(), 40), qMax(place.height(), 30));
    move(place.topLeft());
}

void frmDisplayTissue::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DisplayTissue1->setGeometry(rect());
}

void frmDisplayTissue::closeEvent(QCloseEvent* event) {
    // The window closes whether or not its place could be kept.
    SettingsWrite::reported(QStringLiteral("frmDisplayTissue.Form_Unload"), [this] {
        floatingplace::storeTwips(leftKey, x());
        floatingplace::storeTwips(topKey, y());
        floatingplace::storeTwips(widthKey, width());
        floatingplace::storeTwips(heightKey, height());
    });
    event->accept();
    // Unloaded from now on, though the object itself goes with the next event-loop turn.
    if (theWindow() == this)
        theWindow() = nullptr;
}
