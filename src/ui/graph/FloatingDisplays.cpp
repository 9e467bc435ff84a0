#include "FloatingDisplays.h"

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
