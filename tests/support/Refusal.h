#pragma once
// The InputError a call must throw, returned for checks of its file, line and message.

#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro::testing {

template <class F>
InputError refusal(F&& f) {
    try {
        f();
    } catch (const InputError& e) {
        return e;
    }
    ADD_FAILURE() << "no InputError";
    return InputError("<none>", -1, "<no InputError>");
}

}  // namespace penumbro::testing
