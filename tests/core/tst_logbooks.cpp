#include "LogbookFixture.h"
#include "Logbooks.h"
#include "ModelEnvironment.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <memory>

using NameCheck = Logbooks::NameCheck;
Q_DECLARE_METATYPE(Logbooks::NameCheck)

class tst_Logbooks : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = modelEnvironment(4);
        m_logbooks = std::make_unique<LogbookFixture>();
        m_logbooks->logbook(QStringLiteral("Red Sea"), 4);
        m_logbooks->logbook(QStringLiteral("Lakes"), 8);
    }
    void cleanup() {
        m_logbooks.reset();
        m_env.reset();
    }

    void checkName_data();
    void checkName();
    void createAndRemove();

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<LogbookFixture> m_logbooks;
};

void tst_Logbooks::checkName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<NameCheck>("check");
    QTest::newRow("empty") << "" << NameCheck::Empty;
    QTest::newRow("blanks only") << "   " << NameCheck::Empty;
    QTest::newRow("20 characters") << "abcdefghijklmnopqrst" << NameCheck::Accepted;
    QTest::newRow("21 characters") << "abcdefghijklmnopqrstu" << NameCheck::TooLong;
    QTest::newRow("20 characters between blanks") << "  abcdefghijklmnopqrst  " << NameCheck::Accepted;
    QTest::newRow("apostrophe") << "Diver's" << NameCheck::InvalidChars;
    QTest::newRow("ampersand") << "A & B" << NameCheck::InvalidChars;
    QTest::newRow("percent") << "100%" << NameCheck::InvalidChars;
    QTest::newRow("asterisk") << "Best*" << NameCheck::InvalidChars;
    QTest::newRow("existing name") << "Red Sea" << NameCheck::Exists;
    QTest::newRow("existing name in another case") << "RED SEA" << NameCheck::Exists;
    QTest::newRow("name of another model") << "Lakes" << NameCheck::Accepted;
    QTest::newRow("existing name with blanks is another name") << " Red Sea" << NameCheck::Accepted;
}

void tst_Logbooks::checkName() {
    QFETCH(QString, name);
    QTEST(Logbooks::checkName(name), "check");
}

void tst_Logbooks::createAndRemove() {
    m_env->fakes.clock->current = QDateTime(QDate(2026, 2, 1), QTime(8, 0));
    const qint32 id = Logbooks::create(QStringLiteral(" Sim "));
    Recordset rs(m_logbooks->db,
                 QStringLiteral("SELECT FILENAME, DIVE_MODEL, CREATION_DATE FROM FILE WHERE FILE_ID = ?"), {id});
    QCOMPARE(rs.value(0).toString(), QStringLiteral(" Sim "));
    QCOMPARE(rs.value(1).toInt(), 4);
    QCOMPARE(rs.dateTime(QStringLiteral("CREATION_DATE")), m_env->fakes.clock->current);
    rs.close();
    QCOMPARE(Logbooks::checkName(QStringLiteral(" Sim ")), NameCheck::Exists);

    QCOMPARE(Logbooks::diveCount(id), 0);
    m_logbooks->dive(id, at(2026, 2, 1));
    QCOMPARE(Logbooks::diveCount(id), 1);
    Logbooks::remove(id);
    QCOMPARE(Logbooks::checkName(QStringLiteral(" Sim ")), NameCheck::Accepted);
}

QTEST_GUILESS_MAIN(tst_Logbooks)
#include "tst_logbooks.moc"
