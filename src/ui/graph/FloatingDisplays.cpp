#include "FloatingDisplays.h"

#include <QWidget>

namespace {
std::unique_ptr<FloatingDisplays>& installed() {
    static std::unique_ptr<FloatingDisplays> windows;
    return windows;
}
} // namespace

void Floating::install(std::unique_ptr<FloatingDisplays> windows) {
    installed() = std::move(windows);
}

FloatingDisplays* Floating::windows() {
    return installed().get();
}

void Floating::unloadAll() {
    if (FloatingDisplays* loaded = windows())
        loaded->unloadAll();
}

void Floating::press(FloatingDisplays& windows, FloatingDisplays::Window window, std::shared_ptr<Profile> profile,
                     qint16 step, QWidget* own, bool pressed) {
    if (pressed)
        windows.show(window, std::move(profile), step);
    else
        windows.hide(window);
    if (own)
        own->setHidden(pressed);
}
