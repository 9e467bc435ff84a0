#include "FormLocalizer.h"
#include "RuntimeError.h"
#include "SmartCheckBox.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
QStringList keysOf(const QSignalSpy& spy) {
    QStringList keys;
    for (const QList<QVariant>& args : spy)
        keys << args.at(0).toString();
    return keys;
}
} // namespace

class tst_SmartCheckBox : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newInstance();
    void viewModeGlyph_data();
    void viewModeGlyph();
    void settersReportTheirKeys();
    void disabledGreysTheCaptionOnly();
    void refusedValues_data();
    void refusedValues();
    void storedPropertiesDefaults();
    void storedPropertiesIgnoreCase();
    void storedPropertiesRoundTrip();
    void scaleConversions();
    void mouseEventsReportAndChangeNothing();
    void paintIsRaised();
    void localizerSetsTheCaption();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_SmartCheckBox::init() {
    m_env = std::make_unique<TestEnvironment>();
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->restart();
}

void tst_SmartCheckBox::cleanup() {
    m_env.reset();
}

void tst_SmartCheckBox::newInstance() {
    SmartCheckBox box;
    QCOMPARE(box.Caption(), QStringLiteral("smart check"));
    QCOMPARE(box.viewMode(), qint16(0));
    QCOMPARE(box.glyph(), QString());
    QCOMPARE(box.value(), qint16(0));
    QCOMPARE(box.BackColor(), SmartCheckBox::DEFAULT_BACK_COLOR);
    QCOMPARE(box.ForeColor(), SmartCheckBox::DEFAULT_FORE_COLOR);
    QCOMPARE(box.backgroundColor(), QApplication::palette().color(QPalette::Button));
    QCOMPARE(box.captionColor(), QApplication::palette().color(QPalette::ButtonText));
    QVERIFY(box.isEnabled());
    QCOMPARE(box.size(), QSize(155, 23));
    QCOMPARE(box.ScaleWidth(), 2325.0f);
    QCOMPARE(box.focusPolicy(), Qt::NoFocus);
}

void tst_SmartCheckBox::viewModeGlyph_data() {
    QTest::addColumn<qint16>("mode");
    QTest::addColumn<QString>("glyph");
    QTest::newRow("0: nothing") << qint16(0) << QString();
    QTest::newRow("1: check mark") << qint16(1) << QStringLiteral("\u2714");
    QTest::newRow("2: dot") << qint16(2) << QStringLiteral("\u25CF");
    QTest::newRow("3: nothing") << qint16(3) << QString();
    QTest::newRow("-1: nothing") << qint16(-1) << QString();
}

void tst_SmartCheckBox::viewModeGlyph() {
    QFETCH(qint16, mode);
    QFETCH(QString, glyph);
    SmartCheckBox box;
    QSignalSpy changes(&box, &SmartCheckBox::propertyChanged);
    box.setViewMode(mode);
    QCOMPARE(box.viewMode(), mode);
    QCOMPARE(box.glyph(), glyph);
    // The same value again is reported again.
    box.setViewMode(mode);
    QCOMPARE(box.glyph(), glyph);
    QCOMPARE(keysOf(changes), (QStringList{"viewMode", "viewMode"}));
}

void tst_SmartCheckBox::settersReportTheirKeys() {
    SmartCheckBox box;
    QSignalSpy changes(&box, &SmartCheckBox::propertyChanged);
    box.setBackColor(0x00E0E0E0);
    box.setCaption(QStringLiteral("Stop"));
    box.setCurrentX(10);
    box.setCurrentY(20);
    box.setDrawStyle(2);
    box.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    box.setForeColor(0x000000FF);
    box.setMousePointer(11);
    box.setScaleHeight(100);
    box.setScaleLeft(5);
    box.setScaleWidth(200);
    box.setScaleTop(6);
    box.setToolTipText(QStringLiteral("tip"));
    box.setValue(1);
    box.setViewMode(1);
    box.setEnabled(false);
    QCOMPARE(keysOf(changes), (QStringList{"BackColor", "Caption", "CurrentX", "CurrentY", "DrawStyle", "Font",
                                           "ForeColor", "MousePointer", "ScaleHeight", "ScaleLeft", "ScaleWidth",
                                           "ScaleTop", "ToolTipText", "Value", "viewMode", "Enabled"}));

    QCOMPARE(box.Caption(), QStringLiteral("Stop"));
    QCOMPARE(box.backgroundColor(), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(box.captionColor(), QColor(255, 0, 0));
    QCOMPARE(box.cursor().shape(), Qt::WaitCursor);
    QCOMPARE(box.ScaleWidth(), 200.0f);
    QCOMPARE(box.ScaleLeft(), 5.0f);
    QCOMPARE(box.ToolTipText(), QStringLiteral("tip"));
    QCOMPARE(box.value(), qint16(1));
}

void tst_SmartCheckBox::disabledGreysTheCaptionOnly() {
    SmartCheckBox box;
    box.setViewMode(1);
    box.setBackColor(0x00E0E0E0);
    box.setEnabled(false);
    QCOMPARE(box.glyph(), QStringLiteral("\u2714"));
    QCOMPARE(box.backgroundColor(), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(box.viewMode(), qint16(1));
    QVERIFY(!box.grab().isNull());
}

void tst_SmartCheckBox::refusedValues_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("number");
    QTest::newRow("value 3") << "value" << 380;
    QTest::newRow("value -1") << "value-1" << 380;
    QTest::newRow("draw style 7") << "DrawStyle" << 380;
    QTest::newRow("mouse pointer 16") << "MousePointer" << 380;
    QTest::newRow("scale width 0") << "ScaleWidth" << 380;
    QTest::newRow("scale mode 9") << "ScaleX" << 5;
}

void tst_SmartCheckBox::refusedValues() {
    QFETCH(QString, member);
    QFETCH(int, number);
    SmartCheckBox box;
    box.setValue(2);
    try {
        if (member == u"value")
            box.setValue(3);
        else if (member == u"value-1")
            box.setValue(-1);
        else if (member == u"DrawStyle")
            box.setDrawStyle(7);
        else if (member == u"MousePointer")
            box.setMousePointer(16);
        else if (member == u"ScaleWidth")
            box.setScaleWidth(0);
        else
            box.ScaleX(1, 9);
        QFAIL("no error raised");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), number);
    }
    QCOMPARE(box.value(), qint16(2));
}

void tst_SmartCheckBox::storedPropertiesDefaults() {
    SmartCheckBox box;
    box.setCaption(QStringLiteral("before"));
    box.setViewMode(1);
    box.setBackColor(0x00FF0000);
    QSignalSpy changes(&box, &SmartCheckBox::propertyChanged);
    box.readProperties({});
    QCOMPARE(box.Caption(), QStringLiteral("smart check"));
    QCOMPARE(box.glyph(), QString());
    QCOMPARE(box.value(), qint16(0));
    QCOMPARE(box.BackColor(), SmartCheckBox::DEFAULT_BACK_COLOR);
    QCOMPARE(box.ForeColor(), SmartCheckBox::DEFAULT_FORE_COLOR);
    QCOMPARE(box.ScaleWidth(), 1935.0f);
    QCOMPARE(box.ScaleHeight(), 345.0f);
    QVERIFY(box.isEnabled());
    QCOMPARE(changes.count(), 0);
    // The defaults it now holds are not written.
    QCOMPARE(box.writeProperties(), QVariantMap());
}

void tst_SmartCheckBox::storedPropertiesIgnoreCase() {
    SmartCheckBox box;
    box.readProperties({{"caption", "1454 Stop"},
                        {"VIEWMODE", 1},
                        {"backcolor", 0x00E0E0E0},
                        {"scalewidth", 2235},
                        {"enabled", false},
                        {"font", QFont(QStringLiteral("DejaVu Sans"), 8)}});
    QCOMPARE(box.Caption(), QStringLiteral("1454 Stop"));
    QCOMPARE(box.viewMode(), qint16(1));
    QCOMPARE(box.glyph(), QStringLiteral("\u2714"));
    QCOMPARE(box.backgroundColor(), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(box.ScaleWidth(), 2235.0f);
    QVERIFY(!box.isEnabled());
    QCOMPARE(box.font().family(), QStringLiteral("DejaVu Sans"));
}

void tst_SmartCheckBox::storedPropertiesRoundTrip() {
    QWidget host;
    SmartCheckBox box(&host);
    box.setCaption(QStringLiteral("Deco Depth Error"));
    box.setViewMode(2);
    box.setValue(1);
    box.setForeColor(0x00123456);
    box.setToolTipText(QStringLiteral("tip"));
    box.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    box.setEnabled(false);
    const QVariantMap stored = box.writeProperties();
    QVERIFY(!stored.contains(QStringLiteral("BackColor")));

    SmartCheckBox copy(&host);
    copy.readProperties(stored);
    QCOMPARE(copy.writeProperties(), stored);
    QCOMPARE(copy.glyph(), QStringLiteral("\u25CF"));
    QCOMPARE(copy.font(), box.font());
}

void tst_SmartCheckBox::scaleConversions() {
    SmartCheckBox box;
    QCOMPARE(box.ScaleX(2540), 1440.0f); // himetric to twips
    QCOMPARE(box.ScaleX(1440, SmartCheckBox::SCALE_TWIPS, SmartCheckBox::SCALE_INCHES), 1.0f);
    QCOMPARE(box.ScaleY(2, SmartCheckBox::SCALE_CHARACTERS, SmartCheckBox::SCALE_TWIPS), 480.0f);
    QCOMPARE(box.ScaleX(10, SmartCheckBox::SCALE_PIXELS, SmartCheckBox::SCALE_TWIPS), 150.0f);
    box.setScaleWidth(155); // one unit a pixel
    QCOMPARE(box.ScaleX(150, SmartCheckBox::SCALE_TWIPS), 10.0f);
    QCOMPARE(box.TextWidth(QStringLiteral("Stop")), float(box.fontMetrics().horizontalAdvance(QStringLiteral("Stop"))));

    box.Size(3000, 450);
    QCOMPARE(box.size(), QSize(200, 30));
}

void tst_SmartCheckBox::mouseEventsReportAndChangeNothing() {
    SmartCheckBox box;
    box.setViewMode(1);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy down(&box, &SmartCheckBox::MouseDown);
    QSignalSpy up(&box, &SmartCheckBox::MouseUp);
    QSignalSpy clicked(&box, &QAbstractButton::clicked);

    QTest::mousePress(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 4));
    QTest::mouseRelease(&box, Qt::RightButton, Qt::NoModifier, QPoint(20, 6));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).value<qint16>(), qint16(1));
    QCOMPARE(down.at(0).at(1).value<qint16>(), qint16(1));
    // Twips until a scale of its own is set.
    QCOMPARE(down.at(0).at(2).toFloat(), 150.0f);
    QCOMPARE(down.at(0).at(3).toFloat(), 60.0f);
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(0).value<qint16>(), qint16(2));

    // In the stored scale, 1935 units across the control's 2325 twips.
    box.readProperties({{"viewMode", 1}});
    QTest::mousePress(&box, Qt::MiddleButton, Qt::ControlModifier, QPoint(31, 0));
    QCOMPARE(down.at(1).at(0).value<qint16>(), qint16(4));
    QCOMPARE(down.at(1).at(1).value<qint16>(), qint16(2));
    QCOMPARE(down.at(1).at(2).toFloat(), 31.0f * 15 * 1935 / 2325);

    QCOMPARE(clicked.count(), 0);
    QCOMPARE(box.viewMode(), qint16(1));
    QCOMPARE(box.value(), qint16(0));
}

void tst_SmartCheckBox::paintIsRaised() {
    SmartCheckBox box;
    QSignalSpy paints(&box, &SmartCheckBox::Paint);
    box.grab();
    QVERIFY(paints.count() >= 1);
}

void tst_SmartCheckBox::localizerSetsTheCaption() {
    QWidget form;
    auto* box = new SmartCheckBox(&form);
    setTag(box, QStringLiteral("1454"));
    box->setToolTipText(QStringLiteral("1453"));
    localizeForm(&form);
    QCOMPARE(box->Caption(), QStringLiteral("Stop"));
    QCOMPARE(box->ToolTipText(), QStringLiteral("Profile"));
}

QTEST_MAIN(tst_SmartCheckBox)
#include "tst_smartcheckbox.moc"
