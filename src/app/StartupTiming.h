#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

// Launch-to-window timing, for measuring start-up on large logbooks: with SONA_STARTUP_TIMING set,
// the milliseconds from the start of `main` to each mark and to the main window's first paint are
// written to the standard error, one line. Without it nothing is measured or written.
//
//     StartupTiming timing;            // first thing in main
//     timing.mark("application");
//     timing.watchFirstPaint(window);  // writes the line when the window first paints
class StartupTiming : public QObject {
public:
    StartupTiming();

    void mark(const char* name);
    // Writes the line at the window's first paint; at once when there is no window.
    void watchFirstPaint(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    bool m_enabled;
    QElapsedTimer m_timer;
    QStringList m_marks;
    QPointer<QWidget> m_window;
};
