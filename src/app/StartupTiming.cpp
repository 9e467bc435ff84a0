#include "StartupTiming.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

StartupTiming::StartupTiming() : m_enabled(qEnvironmentVariableIsSet("SONA_STARTUP_TIMING")) {
    if (m_enabled)
        m_timer.start();
}

void StartupTiming::mark(const char* name) {
    if (m_enabled)
        m_marks.append(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(m_timer.nsecsElapsed() / 1e6, 0, 'f', 1));
}

void StartupTiming::watchFirstPaint(QWidget* window) {
    if (!m_enabled)
        return;
    if (!window) {
        report();
        return;
    }
    m_window = window;
    // The window's own paint comes after its children are laid out; any widget of it painting
    // first means the frame is being drawn.
    QCoreApplication::instance()->installEventFilter(this);
}

bool StartupTiming::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && m_window) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == m_window) {
            QCoreApplication::instance()->removeEventFilter(this);
            mark("first-paint");
            report();
            m_window = nullptr;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StartupTiming::report() {
    std::fprintf(stderr, "SONA_STARTUP_TIMING ms: %s\n", qPrintable(m_marks.join(QStringLiteral(", "))));
    std::fflush(stderr);
}
