#include "WindowHelpers.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QList<QPointer<QWidget>>& forms() {
    static QList<QPointer<QWidget>> list;
    return list;
}
} // namespace

void Forms::add(QWidget* form) {
    forms().removeAll(nullptr);
    if (!forms().contains(form))
        forms().append(form);
}

QList<QWidget*> Forms::loaded() {
    QList<QWidget*> result;
    for (const QPointer<QWidget>& form : forms()) {
        if (form)
            result.append(form.data());
    }
    return result;
}

bool isFormLoaded(const QString& formName) {
    for (QWidget* form : Forms::loaded()) {
        if (form->objectName() == formName)
            return true;
    }
    return false;
}

void bringForward(QWidget* form) {
    form->show();
    form->raise();
    form->activateWindow();
}

void setTopMost(QWidget* form) {
    form->setWindowFlags(form->windowFlags() | Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    form->setAttribute(Qt::WA_ShowWithoutActivating);
    form->show();
}

void centerForm(QWidget* form) {
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize available = screen->geometry().size();
    const QSize size = form->frameGeometry().size();
    const int top = (available.height() * TWIPS_PER_PIXEL) / 2 - (size.height() * TWIPS_PER_PIXEL) / 2;
    const int left = (available.width() * TWIPS_PER_PIXEL) / 2 - (size.width() * TWIPS_PER_PIXEL) / 2;
    form->move(screen->geometry().left() + left / TWIPS_PER_PIXEL, screen->geometry().top() + top / TWIPS_PER_PIXEL);
}

void centerOver(QWidget* form, QWidget* over) {
    if (!over || !over->isVisible())
        return;
    const QRect outer = over->frameGeometry();
    const QSize own = form->frameGeometry().size();
    const int left = outer.left() * TWIPS_PER_PIXEL + (outer.width() - own.width()) * TWIPS_PER_PIXEL / 2;
    const int top = outer.top() * TWIPS_PER_PIXEL + (outer.height() - own.height()) * TWIPS_PER_PIXEL / 2;
    form->move(left / TWIPS_PER_PIXEL, top / TWIPS_PER_PIXEL);
}
