#include "RunSkippingFailure.h"
#include "RuntimeError.h"

#include <QtTest>
#include <functional>
#include <stdexcept>

namespace {
enum class Thrown { RunTimeError, LibraryError, NotAnException };

void raise(Thrown thrown) {
    switch (thrown) {
    case Thrown::RunTimeError:
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("test"), QStringLiteral("Overflow"));
    case Thrown::LibraryError:
        throw std::length_error("too long");
    case Thrown::NotAnException:
        throw 5;
    }
}

// Whether a step that throws `thrown` is skipped by the kind of skip `skip` names; false when the
// failure goes up to the caller.
bool skipped(const QString& skip, Thrown thrown) {
    const std::function<void()> step = [thrown] { raise(thrown); };
    try {
        if (skip == QLatin1String("run-time errors"))
            runSkippingFailure<RuntimeError>(step);
        else if (skip == QLatin1String("exceptions"))
            runSkippingFailure(step);
        else
            runSkippingFailure<AnyFailure>(step);
        return true;
    } catch (...) {
        return false;
    }
}
} // namespace

Q_DECLARE_METATYPE(Thrown)

class tst_RunSkippingFailure : public QObject {
    Q_OBJECT
private slots:
    void skipsWhatItIsAskedTo_data();
    void skipsWhatItIsAskedTo();
};

void tst_RunSkippingFailure::skipsWhatItIsAskedTo_data() {
    QTest::addColumn<QString>("skip");
    QTest::addColumn<Thrown>("thrown");
    QTest::addColumn<bool>("isSkipped");
    QTest::newRow("run-time errors: a run-time error") << "run-time errors" << Thrown::RunTimeError << true;
    QTest::newRow("run-time errors: a library's error goes up") << "run-time errors" << Thrown::LibraryError << false;
    QTest::newRow("exceptions: a run-time error") << "exceptions" << Thrown::RunTimeError << true;
    QTest::newRow("exceptions: a library's error") << "exceptions" << Thrown::LibraryError << true;
    QTest::newRow("exceptions: a thrown number goes up") << "exceptions" << Thrown::NotAnException << false;
    QTest::newRow("any failure: a thrown number") << "any failure" << Thrown::NotAnException << true;
}

void tst_RunSkippingFailure::skipsWhatItIsAskedTo() {
    QFETCH(QString, skip);
    QFETCH(Thrown, thrown);
    QFETCH(bool, isSkipped);
    QCOMPARE(skipped(skip, thrown), isSkipped);
}

QTEST_GUILESS_MAIN(tst_RunSkippingFailure)
#include "tst_runskippingfailure.moc"
