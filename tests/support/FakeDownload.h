#pragma once

// Scripted stand-ins for the download's outside world: the three interface libraries, the
// confirmation dialog and the progress bar. Header only: include it from tests that link
// sona_download.

#include "B330Library.h"
#include "B770Library.h"
#include "DownloadConfirmDialog.h"
#include "DownloadProgress.h"
#include "InterfaceLibraries.h"
#include "RuntimeError.h"
#include "ZentoLibrary.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <functional>

// What every fake library shares: a log of the calls in order, a transfer that reports "running"
// for a scripted number of polls, and a call that can be made to fail as a missing library does.
struct FakeLibraryScript {
    QStringList calls;
    qint32 version = 210;
    // What getDownloadStatus answers before the start.
    qint32 statusBeforeStart = 0;
    qint32 startResult = 1;
    // How many polls after the start answer 1 (running).
    int runningPolls = 3;
    qint32 fetchResult = 0;
    QList<qint32> info;
    QList<qint32> records;
    // Called on every status poll after the start (a test presses Cancel here, say).
    std::function<void(int poll)> onPoll;
    // The call named here raises the error a missing library function gives.
    QString failingCall;

    int polls = 0;
    bool started = false;

    void log(const QString& call) {
        calls.append(call);
        const QString name = call.section(u'(', 0, 0);
        if (!failingCall.isEmpty() && name == failingCall)
            throw RuntimeError(453, name, QStringLiteral("Can't find DLL entry point ") + name);
    }
    qint32 status() {
        if (!started)
            return statusBeforeStart;
        const int poll = polls++;
        if (onPoll)
            onPoll(poll);
        return poll < runningPolls ? 1 : 0;
    }
    qint32 progress() const { return runningPolls > 0 ? std::min(100, polls * 100 / runningPolls) : 100; }
    static void copy(const QList<qint32>& from, qint32* to, qint32 size) {
        for (qint32 i = 0; i < size; ++i)
            to[i] = i < from.size() ? from[i] : 0;
    }
};

// The calls every library has.
template <class Library> class FakeLibrary : public Library, public FakeLibraryScript {
public:
    qint32 getVersion() override {
        log(QStringLiteral("getVersion"));
        return version;
    }
    qint32 getDownloadStatus() override {
        log(QStringLiteral("getDownloadStatus"));
        return status();
    }
    qint32 startDownload(qint32 serialPort) override {
        log(QStringLiteral("startDownload(%1)").arg(serialPort));
        started = startResult == 1;
        return startResult;
    }
    qint32 getProgress() override {
        log(QStringLiteral("getProgress"));
        return progress();
    }
};

// The Zento and B330 libraries fill a fixed array the program hands them.
template <class Library> class FakeRecordLibrary : public FakeLibrary<Library> {
public:
    qint32 downloadProfile(qint32* infoBlock, qint32 family, qint32* recordArray, qint32 capacity) override {
        this->log(QStringLiteral("downloadProfile(%1,%2)").arg(family).arg(capacity));
        if (this->fetchResult == 0) {
            this->copy(this->info, infoBlock, 7);
            this->copy(this->records, recordArray, capacity + 1);
        }
        return this->fetchResult;
    }
};

using FakeZentoLibrary = FakeRecordLibrary<ZentoLibrary>;
using FakeB330Library = FakeRecordLibrary<B330Library>;

class FakeB770Library : public FakeLibrary<B770Library> {
public:
    FakeB770Library() { version = 105; }
    qint32 portExists = 1;
    QList<qint32> freeProfile;
    // DimensioneProfili's answer; -1: the size of `records`.
    qint32 recordSize = -1;

    qint32 EsisteSeriale(qint32 serialPort) override {
        log(QStringLiteral("EsisteSeriale(%1)").arg(serialPort));
        return portExists;
    }
    qint32 DimensioneProfili() override {
        log(QStringLiteral("DimensioneProfili"));
        return recordSize >= 0 ? recordSize : qint32(records.size());
    }
    qint32 DimensioneFree() override {
        log(QStringLiteral("DimensioneFree"));
        return qint32(freeProfile.size());
    }
    qint32 downloadProfile(qint32* infoBlock, qint32 infoSize, qint32* recordArray, qint32 recordCount,
                           qint32* freeArray, qint32 freeSize) override {
        log(QStringLiteral("downloadProfile(%1,%2,%3)").arg(infoSize).arg(recordCount).arg(freeSize));
        if (fetchResult == 0) {
            copy(info, infoBlock, infoSize);
            copy(records, recordArray, recordCount);
            copy(freeProfile, freeArray, freeSize);
        }
        return fetchResult;
    }
    qint32 stopDownload() override {
        log(QStringLiteral("stopDownload"));
        started = false;
        return 1;
    }
};

class FakeProgressBar : public DownloadProgress {
public:
    void setMax(int m) override { maxValue = m; }
    int max() const override { return maxValue; }
    void setMin(int m) override { minValue = m; }
    int min() const override { return minValue; }
    void setValue(int v) override {
        current = v;
        values.append(v);
    }
    int value() const override { return current; }

    int maxValue = 100;
    int minValue = 0;
    int current = 0;
    QList<int> values;
};

// The confirmation dialog: answers OK or Cancel from `answers` (OK when none is queued).
class FakeConfirmDialog : public DownloadConfirmDialog {
public:
    struct Script {
        QList<bool> answers;
        int shown = 0;
    };
    explicit FakeConfirmDialog(Script& script) : m_script(script) {}
    void showModal() override {
        ++m_script.shown;
        m_ok = m_script.answers.isEmpty() ? true : m_script.answers.takeFirst();
    }
    bool isOk() const override { return m_ok; }

private:
    Script& m_script;
    bool m_ok = false;
};

// Installs a fake of each library and of the confirmation dialog for one test case, and takes
// them away again.
class FakeDownloadWorld {
public:
    FakeDownloadWorld() {
        auto z = std::make_unique<FakeZentoLibrary>();
        auto b = std::make_unique<FakeB330Library>();
        auto k = std::make_unique<FakeB770Library>();
        zento = z.get();
        b330 = b.get();
        b770 = k.get();
        InterfaceLibraries::install(std::move(z));
        InterfaceLibraries::install(std::move(b));
        InterfaceLibraries::install(std::move(k));
        DownloadConfirmDialog::installFactory([this] { return std::make_unique<FakeConfirmDialog>(confirm); });
    }
    ~FakeDownloadWorld() {
        InterfaceLibraries::reset();
        DownloadConfirmDialog::installFactory({});
    }
    FakeDownloadWorld(const FakeDownloadWorld&) = delete;
    FakeDownloadWorld& operator=(const FakeDownloadWorld&) = delete;

    FakeZentoLibrary* zento;
    FakeB330Library* b330;
    FakeB770Library* b770;
    FakeConfirmDialog::Script confirm;
    FakeProgressBar progress;
};
