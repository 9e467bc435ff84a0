#pragma once

#include "RuntimeError.h"

#include <functional>

// The number of the run-time error that `call` raises, 0 when it raises none; its description too
// when asked.
inline qint32 errorOf(const std::function<void()>& call, QString* description = nullptr) {
    try {
        call();
    } catch (const RuntimeError& e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

// The run-time error that `call` raises; one numbered 0 when it raises none.
inline RuntimeError raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e;
    }
    return RuntimeError(0, {}, {});
}
