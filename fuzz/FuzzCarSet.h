#pragma once

#include "document/CarSet.h"

// A new car set for each fuzz run. Its megabyte of scratch area is left out:
// no reader uses it, and making and copying it would cost more than the parse.
inline tavolex::CarSet NewFuzzCarSet() {
    static const tavolex::CarSet model = [] {
        tavolex::CarSet carSet;
        tavolex::NewCarSet(carSet);
        carSet.scratch = {};
        return carSet;
    }();
    return model;
}
