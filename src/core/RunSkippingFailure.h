#pragma once

#include <exception>
#include <type_traits>
#include <utility>

// For a sequence whose steps stand alone (laying out a window, localising its controls, bringing
// each display of a replay to a step): a step that fails is left undone and the next one runs.
//
//     runSkippingFailure([&] { place(toolbar, 0, 0, width, height); });   // any std::exception
//     runSkippingFailure<RuntimeError>([&] { fillListView(rootKey); });   // run-time errors only
//     runSkippingFailure<AnyFailure>([&] { label->setText(text()); });    // whatever is thrown

// Stands for a failure of any type, whether or not it derives from std::exception.
struct AnyFailure {};

// Runs `step`; a `Failure` it throws ends the step and nothing more, any other goes up.
template <typename Failure = std::exception, typename Step> void runSkippingFailure(Step&& step) {
    if constexpr (std::is_same_v<Failure, AnyFailure>) {
        try {
            std::forward<Step>(step)();
        } catch (...) {
        }
    } else {
        try {
            std::forward<Step>(step)();
        } catch (const Failure&) {
        }
    }
}
