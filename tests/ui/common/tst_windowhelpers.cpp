#include "WindowHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QtTest>

class tst_WindowHelpers : public QObject {
    Q_OBJECT
private slots:
    void loadedFormsByExactName();
    void loadOrderIsKept();
    void centreOnScreen();
    void formWiderThanScreenGetsNegativeLeft();
};

void tst_WindowHelpers::loadedFormsByExactName() {
    QVERIFY(!isFormLoaded("frmDisplayTissue"));
    auto* form = new QDialog;
    form->setObjectName("frmDisplayTissue");
    Forms::add(form);
    QVERIFY(isFormLoaded("frmDisplayTissue"));
    QVERIFY(!isFormLoaded("frmdisplaytissue"));
    delete form;
    QVERIFY(!isFormLoaded("frmDisplayTissue"));
}

void tst_WindowHelpers::loadOrderIsKept() {
    QDialog first, second, third;
    Forms::add(&first);
    Forms::add(&second);
    Forms::add(&third);
    Forms::add(&first); // loading twice keeps its first place
    QCOMPARE(Forms::loaded(), (QList<QWidget*>{&first, &second, &third}));
}

void tst_WindowHelpers::centreOnScreen() {
    QDialog form;
    form.resize(300, 200);
    centerForm(&form);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize size = form.frameGeometry().size();
    QCOMPARE(form.x(), screen.left() + (screen.width() * 15 / 2 - size.width() * 15 / 2) / 15);
    QCOMPARE(form.y(), screen.top() + (screen.height() * 15 / 2 - size.height() * 15 / 2) / 15);
}

void tst_WindowHelpers::formWiderThanScreenGetsNegativeLeft() {
    QDialog form;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    form.setMinimumWidth(screen.width() + 200);
    form.resize(screen.width() + 200, 100);
    centerForm(&form);
    QVERIFY(form.x() < screen.left());
}

QTEST_MAIN(tst_WindowHelpers)
#include "tst_windowhelpers.moc"
